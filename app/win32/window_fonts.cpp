#include "app/win32/window_fonts.h"

#include "app/win32/dpi.h"

namespace quorvel::win32 {
namespace {

namespace def = window_definition;

// The system's default GUI font as a description; its size is for the system's DPI.
LOGFONTW default_gui_font() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

const def::control* find_control(bool (*wanted)(const def::control&)) {
    for (const def::control& c : def::controls()) {
        if (wanted(c)) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace

window_fonts::window_fonts(UINT dpi) {
    LOGFONTW gui = default_gui_font();
    gui.lfHeight = MulDiv(gui.lfHeight, static_cast<int>(dpi), static_cast<int>(system_dpi()));
    gui_ = CreateFontIndirectW(&gui);

    // Bold at the given character height (a negative height in GDI), in the system's default
    // face: no face name.
    if (const def::control* credit =
            find_control([](const def::control& c) { return c.font.character_height > 0; })) {
        LOGFONTW bold{};
        bold.lfHeight = -scaled(credit->font.character_height, dpi);
        bold.lfWeight = credit->font.bold ? FW_BOLD : FW_NORMAL;
        bold.lfCharSet = DEFAULT_CHARSET;
        credit_ = CreateFontIndirectW(&bold);
    }

    // The instructions: the default GUI face with a cell as tall as their line height (a positive
    // height in GDI), so that the static control's wrapped lines stand that far apart in any face.
    // The 12-pixel default GUI font of a Chinese Windows desktop has that cell already.
    if (const def::control* wrapped =
            find_control([](const def::control& c) { return c.line_height > 0; })) {
        LOGFONTW lines = gui;
        lines.lfHeight = scaled(wrapped->line_height, dpi);
        lines.lfWidth = 0;
        instructions_ = CreateFontIndirectW(&lines);
    }
}

window_fonts::~window_fonts() {
    for (HFONT font : {gui_, credit_, instructions_}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
}

HFONT window_fonts::font_of(const def::control& c) const {
    if (c.font.character_height > 0 && credit_ != nullptr) {
        return credit_;
    }
    if (c.line_height > 0 && instructions_ != nullptr) {
        return instructions_;
    }
    return gui_;
}

}  // namespace quorvel::win32
