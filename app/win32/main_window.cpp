#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/win32/dpi.h"
#include "app/win32/notice.h"
#include "app/win32/resource.h"
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
constexpr UINT_PTR button_subclass = 2;

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

// A push button that Enter presses while it has the focus, as Space does, and that never takes
// the default-button look the dialog keyboard handling gives a button with the focus: none of
// the buttons is the window's default.
LRESULT CALLBACK plain_push_button(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                   DWORD_PTR) {
    switch (message) {
        case BM_SETSTYLE:
            if ((w & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                w = (w & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
            }
            break;
        case WM_GETDLGCODE: {
            // Ask for Enter, which the dialog keyboard handling would otherwise give to the
            // window's default button.
            const auto* key = reinterpret_cast<const MSG*>(l);
            const LRESULT code = DefSubclassProc(button, message, w, l);
            if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                return code | DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (w == VK_RETURN) {
                SendMessageW(GetParent(button), WM_COMMAND,
                             MAKEWPARAM(LOWORD(GetDlgCtrlID(button)), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(button, message, w, l);
}

// How a show command is carried out: a fixed window shows normal, or minimized if asked to.
int shown_as(int show_command) {
    switch (show_command) {
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            return SW_SHOWMINNOACTIVE;
        default:
            return SW_SHOWNORMAL;
    }
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
    // The program's icon: large for the task bar and Alt+Tab, small for the title bar.
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(QUORVEL_ICON));
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUORVEL_ICON),
                                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
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
    RECT outer{};
    GetWindowRect(window_, &outer);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int shown = shown_as(show_command);
    ShowWindow(window_, shown);
    // The first show of a program takes the launcher's show command instead of the one given;
    // a fixed window is put back to its normal place and size.
    if (IsZoomed(window_) != FALSE) {
        ShowWindow(window_, SW_RESTORE);
    }
    if (shown == SW_SHOWNORMAL) {
        restore_focus();
    }
    UpdateWindow(window_);
}

bool main_window::handle_dialog_keys(MSG& message) {
    return IsDialogMessageW(window_, &message) != FALSE;
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
            apply_dpi(dpi_of(window_));
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
        case WM_ACTIVATE:
            // As a dialog box does: the focus goes back to the control that had it when the
            // window was left (for a notice, another program, or when it was minimized).
            if (LOWORD(w) == WA_INACTIVE) {
                remember_focus();
            } else if (HIWORD(w) == 0) {
                restore_focus();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            restore_focus();
            return 0;
        case WM_SIZE:
            if (w == SIZE_MINIMIZED) {
                remember_focus();
            }
            break;
        case WM_DPICHANGED: {
            // Moved to a display of another scaling: everything is laid out again for its DPI,
            // at the place Windows suggests.
            const auto* suggested = reinterpret_cast<const RECT*>(l);
            apply_dpi(HIWORD(w));
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void main_window::create_controls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const def::control& c : def::controls()) {
        const std::wstring text = from_utf8(c.start_text);
        const DWORD extended_style = c.kind == def::control_kind::edit_box ? WS_EX_CLIENTEDGE : 0;
        const HWND handle = CreateWindowExW(
            extended_style, class_of(c.kind), text.c_str(), style_of(c), c.left, c.top, c.width,
            c.height, window_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.identity)), instance,
            nullptr);
        if (c.kind == def::control_kind::edit_box) {
            // A limit of 0 is the platform's maximum; the edit control's own is 30,000.
            SendMessageW(handle, EM_LIMITTEXT, static_cast<WPARAM>(c.length_limit), 0);
            SetWindowSubclass(handle, filtered_edit, filter_subclass,
                              static_cast<DWORD_PTR>(c.filter));
            boxes_.at(static_cast<std::size_t>(*c.reads_into)) = handle;
        }
        if (c.kind == def::control_kind::push_button) {
            SetWindowSubclass(handle, plain_push_button, button_subclass, 0);
        }
        if (c.is_result_label) {
            result_label_ = handle;
        }
    }
}

void main_window::apply_dpi(UINT dpi) {
    auto fonts = std::make_unique<window_fonts>(dpi);
    for (const def::control& c : def::controls()) {
        const HWND handle = GetDlgItem(window_, static_cast<int>(c.identity));
        SetWindowPos(handle, nullptr, scaled(c.left, dpi), scaled(c.top, dpi), scaled(c.width, dpi),
                     scaled(c.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->font_of(c)), TRUE);
    }
    fonts_ = std::move(fonts);  // the old fonts go once no control uses them
    const SIZE outer = outer_size(window_style, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void main_window::remember_focus() {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus) != FALSE) {
        focus_ = focus;
    }
}

void main_window::restore_focus() {
    SetFocus(focus_ != nullptr && IsWindow(focus_) != FALSE ? focus_ : boxes_.front());
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
    // The notice disables the window, which takes the focus from its controls; once it is
    // dismissed the window is active again with the focus where it was.
    remember_focus();
    show_notice_box(from_gbk(text));
    if (IsWindowVisible(window_) != FALSE) {
        SetActiveWindow(window_);
        restore_focus();
    }
}

}  // namespace quorvel::win32
