// The browser page's side of the core: the window definition as JSON, from which the page
// builds its elements; the filter of typed characters; and presses through the press flow, with
// the page's boxes and result label as the window. Notices open the page's modal dialog.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "app/window_definition.h"
#include "calc/fp_environment.h"
#include "calc/press_flow.h"
#include "calc/window_port.h"
#include "calc/working_values.h"
#include "codec/gbk_codec.h"

// The page's operations (app/web/page.js), reached through Module.quorvelPage.
// NOLINTBEGIN: the bodies are JavaScript
EM_JS(char*, page_box_text, (int box), { return allocateUTF8(Module.quorvelPage.boxText(box)); });
EM_JS(void, page_set_result_text, (const char* text),
      { Module.quorvelPage.setResultText(UTF8ToString(text)); });
EM_JS(void, page_show_notice, (const char* text),
      { Module.quorvelPage.showNotice(UTF8ToString(text)); });
// NOLINTEND

namespace {

using namespace quorvel;
namespace def = window_definition;

// The page as the press flow's window. Its notice opens the modal dialog and returns: a notice
// is always the last thing a press shows, and the dialog keeps the page inert until it is
// dismissed, so the press has ended, as it would after the desktop's notice, before anything
// can happen next.
class page_window final : public window_port {
  public:
    std::string read_box_text(box which) override {
        char* text = page_box_text(static_cast<int>(which));
        std::optional<std::string> gbk = codec::utf8_to_gbk(text);
        std::free(text);  // NOLINT(cppcoreguidelines-no-malloc): allocated by the page's malloc
        return gbk.value_or("?");
    }
    void set_result_text(std::string_view text) override {
        page_set_result_text(codec::gbk_to_utf8(text).c_str());
    }
    void show_notice(std::string_view text) override {
        page_show_notice(codec::gbk_to_utf8(text).c_str());
    }
};

working_values values;  // one record for the page's life, as in the desktop window

void append_json_string(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            static_cast<void>(std::snprintf(escaped, sizeof escaped, "\\u%04x",
                                            static_cast<unsigned>(static_cast<unsigned char>(c))));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void append_member(std::string& out, std::string_view name, std::string_view text) {
    append_json_string(out, name);
    out += ':';
    append_json_string(out, text);
    out += ',';
}

void append_member(std::string& out, std::string_view name, std::int64_t number) {
    append_json_string(out, name);
    out += ':';
    out += std::to_string(number);
    out += ',';
}

void append_member(std::string& out, std::string_view name, bool flag) {
    append_json_string(out, name);
    out += flag ? ":true," : ":false,";
}

std::string colour_text(def::rgb colour) {
    char text[8];
    static_cast<void>(
        std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue));
    return text;
}

std::string_view kind_name(def::control_kind kind) {
    switch (kind) {
        case def::control_kind::edit_box:
            return "edit_box";
        case def::control_kind::label:
            return "label";
        case def::control_kind::push_button:
            return "push_button";
    }
    return "";
}

void close_object(std::string& out, char closing) {
    if (out.back() == ',') {
        out.back() = closing;
    } else {
        out += closing;
    }
}

std::string definition_json() {
    std::string out = "{";
    append_member(out, "caption", def::window_caption);
    append_member(out, "identity", std::int64_t{def::window_identity});
    append_member(out, "clientWidth", std::int64_t{def::client_width});
    append_member(out, "clientHeight", std::int64_t{def::client_height});
    append_member(out, "fontPixelSize", std::int64_t{def::default_font_pixel_size});
    append_member(out, "noticeCaption", def::notice_caption);
    append_member(out, "noticeButton", def::notice_button);
    out += "\"startUpNotices\":[";
    for (const std::string_view text : def::start_up_notices) {
        append_json_string(out, text);
        out += ',';
    }
    close_object(out, ']');
    out += ",\"controls\":[";
    for (const def::control& c : def::controls()) {
        out += '{';
        append_member(out, "name", c.name);
        append_member(out, "kind", kind_name(c.kind));
        append_member(out, "identity", std::int64_t{c.identity});
        append_member(out, "left", std::int64_t{c.left});
        append_member(out, "top", std::int64_t{c.top});
        append_member(out, "width", std::int64_t{c.width});
        append_member(out, "height", std::int64_t{c.height});
        append_member(out, "text", c.start_text);
        append_member(out, "colour", colour_text(c.text_colour));
        append_member(out, "centred", c.horizontal == def::horizontal_alignment::centre);
        append_member(out, "topAligned", c.vertical == def::vertical_alignment::top);
        append_member(out, "wordWrap", c.word_wrap);
        append_member(out, "lineHeight", std::int64_t{c.line_height});
        append_member(out, "bold", c.font.bold);
        append_member(out, "characterHeight", std::int64_t{c.font.character_height});
        append_member(out, "filter", static_cast<std::int64_t>(c.filter));
        append_member(out, "lengthLimit", std::int64_t{c.length_limit});
        append_member(out, "box", c.reads_into ? static_cast<std::int64_t>(*c.reads_into) : -1);
        append_member(out, "button", c.presses ? static_cast<std::int64_t>(*c.presses) : -1);
        append_member(out, "resultLabel", c.is_result_label);
        close_object(out, '}');
        out += ',';
    }
    close_object(out, ']');
    out += '}';
    return out;
}

}  // namespace

extern "C" {

// Sets the floating-point environment every press computes in, then gives the window
// definition as JSON (UTF-8), for the page to build its window from.
EMSCRIPTEN_KEEPALIVE const char* quorvel_start() {
    set_fp_environment();
    static const std::string json = definition_json();
    return json.c_str();
}

// 1 when a box with this filter keeps the typed character (a Unicode code point).
EMSCRIPTEN_KEEPALIVE int quorvel_accepts_typed(int filter, std::uint32_t character) {
    return def::accepts_typed(static_cast<def::input_filter>(filter), character) ? 1 : 0;
}

// One press of the button (0 to 2 for 按钮1 to 按钮3).
EMSCRIPTEN_KEEPALIVE void quorvel_press(int pressed) {
    if (pressed < 0 || pressed > static_cast<int>(button::按钮3)) {
        return;
    }
    page_window window;
    press_flow(static_cast<button>(pressed), window, values);
}

}  // extern "C"
