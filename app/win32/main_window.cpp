#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/win32/notice.h"
#include "app/win32/text_edge.h"
#include "app/window_definition.h"
#include "calc/press_flow.h"

namespace quorvel::win32 {
namespace {

namespace def = window_definition;

constexpr wchar_t class_name[] = L"QuorvelMainWindow";
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The place stored with the window; it is centred before it is first shown.
constexpr int stored_left = 50;
constexpr int stored_top = 50;
constexpr UINT_PTR filter_subclass = 1;

const def::control* control_with_identity(std::uint32_t identity) {
    for (const def::control& c : def::controls()) {
        if (c.identity == identity) {
            return &c;
        }
    }
    return nullptr;
}

std::uint32_t identity_of(HWND control) {
    return static_cast<std::uint32_t>(GetDlgCtrlID(control));
}

// Typed characters reach an edit box as WM_CHAR (input methods send WM_IME_CHAR first); the
// ones the box's filter refuses are dropped without a sound. Pasting sends no characters.
LRESULT CALLBACK filtered_edit(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                               DWORD_PTR filter) {
    if ((message == WM_CHAR || message == WM_IME_CHAR) &&
        !def::accepts_typed(static_cast<def::input_filter>(filter), static_cast<char32_t>(w))) {
        return 0;
    }
    return DefSubclassProc(edit, message, w, l);
}

DWORD style_of(const def::control& c) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (c.kind) {
        case def::control_kind::edit_box:
            return style | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        case def::control_kind::push_button:
            return style | WS_TABSTOP | BS_PUSHBUTTON;
        case def::control_kind::label:
            break;
    }
    if (c.word_wrap) {
        return style | SS_LEFT;  // wrapped at word boundaries, from the top-left corner
    }
    // One line, vertically centred, and cut at the label's edges.
    const DWORD horizontal =
        c.horizontal == def::horizontal_alignment::centre ? SS_CENTER : SS_LEFTNOWORDWRAP;
    return style | horizontal | SS_CENTERIMAGE;
}

const wchar_t* class_of(def::control_kind kind) {
    switch (kind) {
        case def::control_kind::edit_box:
            return L"EDIT";
        case def::control_kind::push_button:
            return L"BUTTON";
        case def::control_kind::label:
            break;
    }
    return L"STATIC";
}

}  // namespace

main_window* main_window::create(HINSTANCE instance) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    RegisterClassExW(&window_class);

    auto* window = new main_window;
    const std::wstring caption = from_utf8(def::window_caption);
    const HWND handle =
        CreateWindowExW(0, class_name, caption.c_str(), window_style, stored_left, stored_top,
                        def::outer_width, def::outer_height, nullptr, nullptr, instance, window);
    if (handle == nullptr) {
        delete window;
        return nullptr;
    }
    return window;
}

void main_window::show_centred(int show_command) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - def::outer_width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - def::outer_height) / 2;
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, show_command);
    UpdateWindow(window_);
}

LRESULT CALLBACK main_window::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<main_window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<main_window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, w, l);
    }
    return self->handle_message(message, w, l);
}

LRESULT main_window::handle_message(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            create_controls();
            // The start-up notices, one after the other, while the window is still hidden.
            for (const std::string_view text : def::start_up_notices) {
                show_notice_box(from_utf8(text));
            }
            return 0;
        case WM_COMMAND: {
            const auto* c = control_with_identity(identity_of(reinterpret_cast<HWND>(l)));
            if (HIWORD(w) == BN_CLICKED && c != nullptr && c->presses) {
                press_flow(*c->presses, *this, values_);
                return 0;
            }
            break;
        }
        case WM_CTLCOLORSTATIC: {
            const auto* c = control_with_identity(identity_of(reinterpret_cast<HWND>(l)));
            auto* context = reinterpret_cast<HDC>(w);
            if (c != nullptr) {
                SetTextColor(context,
                             RGB(c->text_colour.red, c->text_colour.green, c->text_colour.blue));
            }
            SetBkColor(context, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DESTROY:
            if (credit_font_ != nullptr) {
                DeleteObject(credit_font_);
            }
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void main_window::create_controls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    auto* const gui_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const def::control& c : def::controls()) {
        const std::wstring text = from_utf8(c.start_text);
        const DWORD extended_style = c.kind == def::control_kind::edit_box ? WS_EX_CLIENTEDGE : 0;
        const HWND handle = CreateWindowExW(
            extended_style, class_of(c.kind), text.c_str(), style_of(c), c.left, c.top, c.width,
            c.height, window_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.identity)), instance,
            nullptr);
        HFONT font = gui_font;
        if (c.font.bold || c.font.character_height > 0) {
            // Bold at the given height, in the system's default face (no face name).
            credit_font_ = CreateFontW(c.font.character_height, 0, 0, 0,
                                       c.font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);
            font = credit_font_;
        }
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.kind == def::control_kind::edit_box) {
            if (c.length_limit > 0) {
                SendMessageW(handle, EM_LIMITTEXT, static_cast<WPARAM>(c.length_limit), 0);
            }
            SetWindowSubclass(handle, filtered_edit, filter_subclass,
                              static_cast<DWORD_PTR>(c.filter));
            boxes_.at(static_cast<std::size_t>(*c.reads_into)) = handle;
        }
        if (c.is_result_label) {
            result_label_ = handle;
        }
    }
}

std::string main_window::read_box_text(box which) {
    const HWND edit = boxes_.at(static_cast<std::size_t>(which));
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    const int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return to_gbk(text);
}

void main_window::set_result_text(std::string_view text) {
    SetWindowTextW(result_label_, from_gbk(text).c_str());
    UpdateWindow(result_label_);
}

void main_window::show_notice(std::string_view text) {
    show_notice_box(from_gbk(text));
}

}  // namespace quorvel::win32
