// Drives the real Windows program's window through window messages, under Wine or on Windows.
//   window_tests              runs the checks and ends with "N passed, N failed"
//   window_tests --presses F  presses each line of F (BUTTON<TAB>TOTAL<TAB>X...T, raw GBK) through
//                             the window's boxes and buttons and prints what the window showed,
//                             in quorvel-cli's batch format
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/win32/dpi.h"
#include "app/win32/main_window.h"
#include "app/win32/resource.h"
#include "app/win32/text_edge.h"
#include "app/window_definition.h"
#include "calc/fp_environment.h"
#include "codec/windows_text.h"
#include "tests/rule_cases.h"

namespace {

using namespace quorvel;
namespace def = window_definition;
using win32::from_utf8;

// --- a small check harness: each test passes when all its checks hold -------------------------

int passed_tests = 0;
int failed_tests = 0;
bool current_ok = true;

void check(bool ok, const char* what, const char* file, int line) {
    if (!ok) {
        current_ok = false;
        std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    }
}
#define CHECK(condition) check((condition), #condition, __FILE__, __LINE__)

void run_test(const char* name, const std::function<void()>& test) {
    current_ok = true;
    const ULONGLONG start = GetTickCount64();
    test();
    (current_ok ? passed_tests : failed_tests) += 1;
    std::printf("%s %s (%llu ms)\n", current_ok ? "ok    " : "FAILED", name,
                static_cast<unsigned long long>(GetTickCount64() - start));
    std::fflush(stdout);
}

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// --- notices: found as top-level dialogs by a second thread, recorded and dismissed -----------

struct seen_notice {
    std::wstring caption;
    std::wstring text;
    bool icon_shown = false;
    bool ok_only = false;
    bool main_window_enabled = true;
    bool main_window_visible = false;
};

class notice_watcher {
  public:
    notice_watcher() : thread_([this] { watch(); }) {}
    ~notice_watcher() {
        stop_ = true;
        thread_.join();
    }
    notice_watcher(const notice_watcher&) = delete;
    notice_watcher& operator=(const notice_watcher&) = delete;

    std::vector<seen_notice> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(seen_, {});
    }

    // Dismisses the notices that follow with the Enter key instead of a click on OK.
    void dismiss_with_enter(bool enter) { enter_ = enter; }

  private:
    static bool visible_child(HWND box, int id) {
        const HWND child = GetDlgItem(box, id);
        return child != nullptr && IsWindowVisible(child) != FALSE;
    }

    void watch() {
        static const std::wstring caption = from_utf8(def::notice_caption);
        while (!stop_) {
            const HWND box = FindWindowW(L"#32770", caption.c_str());
            if (box == nullptr || IsWindowVisible(box) == FALSE) {
                Sleep(2);
                continue;
            }
            seen_notice notice;
            notice.caption = text_of(box);
            notice.text = text_of(GetDlgItem(box, 0xFFFF));  // the message box's text
            // The icon's place: 20 on Windows, 1088 in Wine's message box template.
            for (const int icon_id : {20, 1088}) {
                const HWND icon = GetDlgItem(box, icon_id);
                notice.icon_shown =
                    notice.icon_shown || (icon != nullptr && IsWindowVisible(icon) != FALSE &&
                                          SendMessageW(icon, STM_GETICON, 0, 0) != 0);
            }
            notice.ok_only = visible_child(box, IDOK);
            for (const int other : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
                notice.ok_only = notice.ok_only && !visible_child(box, other);
            }
            const HWND main = FindWindowW(L"QuorvelMainWindow", nullptr);
            notice.main_window_enabled = main == nullptr || IsWindowEnabled(main) != FALSE;
            notice.main_window_visible = main != nullptr && IsWindowVisible(main) != FALSE;
            {
                std::lock_guard lock(mutex_);
                seen_.push_back(notice);
            }
            if (enter_) {
                PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 1);
            } else {
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            while (IsWindow(box) != FALSE && !stop_) {
                Sleep(1);
            }
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> enter_{false};
    std::mutex mutex_;
    std::vector<seen_notice> seen_;
    std::thread thread_;
};

// --- the window under test ------------------------------------------------------------------

notice_watcher* watcher = nullptr;
win32::main_window* window = nullptr;

HWND control(std::string_view name) {
    return GetDlgItem(window->handle(), static_cast<int>(def::find(name)->identity));
}

UINT window_dpi() {
    return win32::dpi_of(window->handle());
}

int at_dpi(int pixels) {
    return win32::scaled(pixels, window_dpi());
}

// Runs the window's message loop until no message is left, as the program's own loop does.
void pump_messages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (!window->handle_dialog_keys(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A key pressed and released on the control with the focus, through the message loop.
void press_key(WPARAM key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001U));
    pump_messages();
}

void set_text(std::string_view name, const std::wstring& text) {
    SetWindowTextW(control(name), text.c_str());
}

void type_into(std::string_view name, std::wstring_view typed) {
    SetFocus(control(name));
    for (const wchar_t c : typed) {
        SendMessageW(control(name), WM_CHAR, static_cast<WPARAM>(c), 1);
    }
}

void paste_into(std::string_view name, const std::wstring& text) {
    if (OpenClipboard(window->handle()) == FALSE) {
        CHECK(!"the clipboard opens");
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(control(name), WM_PASTE, 0, 0);
}

// Clicks the button; returns the notices it raised and leaves the result label as it was then.
std::vector<seen_notice> click(std::string_view name) {
    watcher->take();
    SendMessageW(control(name), BM_CLICK, 0, 0);
    return watcher->take();
}

std::wstring shown_after_click(std::string_view name) {
    const auto notices = click(name);
    return notices.empty() ? text_of(control("标签5")) : notices.front().text;
}

void fill(const std::vector<std::string>& texts) {
    static constexpr std::array<std::string_view, 5> boxes = {"编辑框1", "编辑框2", "编辑框3",
                                                              "编辑框4", "编辑框5"};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        set_text(boxes.at(i), i < texts.size() ? from_utf8(texts[i]) : std::wstring());
    }
}

// --- the checks ------------------------------------------------------------------------------

void start_up() {
    window = win32::main_window::create(GetModuleHandleW(nullptr));
    CHECK(window != nullptr);
    const auto notices = watcher->take();
    window->show_centred(SW_SHOWNORMAL);
    CHECK(notices.size() == 2);
    if (notices.size() == 2) {
        CHECK(notices[0].text == from_utf8(def::maker_address));
        CHECK(notices[1].text == from_utf8("赌博伤身违法，切勿沉迷！！"));
    }
    for (const auto& notice : notices) {
        CHECK(notice.caption == from_utf8("信息："));
        CHECK(!notice.main_window_visible);
        CHECK(!notice.main_window_enabled);  // task-modal: the hidden window is disabled too
        CHECK(!notice.icon_shown);
        CHECK(notice.ok_only);
    }
    CHECK(IsWindowVisible(window->handle()) != FALSE);
    CHECK(IsWindowEnabled(window->handle()) != FALSE);
    CHECK(GetFocus() == control("编辑框1"));  // typing goes into the total box at once
}

void window_frame_and_place() {
    RECT outer{};
    GetWindowRect(window->handle(), &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    if (window_dpi() == 96) {
        CHECK(width == 380);
        CHECK(height == 385);
    }
    // The client area is the table's 374 × 356 pixels scaled to the window's DPI, give or take
    // the difference between Windows' frame and this system's.
    RECT client{};
    GetClientRect(window->handle(), &client);
    CHECK(std::abs(client.right - at_dpi(def::client_width)) <= at_dpi(6));
    CHECK(std::abs(client.bottom - at_dpi(def::client_height)) <= at_dpi(6));
    CHECK(outer.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    CHECK(outer.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window->handle(), GWL_STYLE));
    CHECK((style & WS_THICKFRAME) == 0);
    CHECK((style & WS_MAXIMIZEBOX) == 0);
    CHECK((style & WS_MINIMIZEBOX) != 0);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK(GetWindow(window->handle(), GW_OWNER) == nullptr);
    CHECK(text_of(window->handle()) == L"Quorvel");
    // The program's icon, in the title bar and the task bar, from the .exe's icon resource.
    CHECK(GetClassLongPtrW(window->handle(), GCLP_HICON) != 0);
    CHECK(GetClassLongPtrW(window->handle(), GCLP_HICONSM) != 0);
    CHECK(FindResourceW(nullptr, MAKEINTRESOURCEW(QUORVEL_ICON), RT_GROUP_ICON) != nullptr);
}

void every_control_as_the_table_defines_it() {
    int found = 0;
    for (const def::control& c : def::controls()) {
        const HWND handle = GetDlgItem(window->handle(), static_cast<int>(c.identity));
        CHECK(handle != nullptr);
        if (handle == nullptr) {
            continue;
        }
        ++found;
        CHECK(static_cast<std::uint32_t>(GetDlgCtrlID(handle)) == c.identity);
        RECT place{};
        GetWindowRect(handle, &place);
        MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&place), 2);
        CHECK(place.left == at_dpi(c.left) && place.top == at_dpi(c.top));
        CHECK(place.right - place.left == at_dpi(c.width));
        CHECK(place.bottom - place.top == at_dpi(c.height));
        wchar_t class_name[32] = {};
        GetClassNameW(handle, class_name, 32);
        switch (c.kind) {
            case def::control_kind::edit_box:
                CHECK(_wcsicmp(class_name, L"Edit") == 0);
                CHECK((GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
                if (c.length_limit > 0) {
                    CHECK(SendMessageW(handle, EM_GETLIMITTEXT, 0, 0) == c.length_limit);
                } else {  // the platform's maximum, not the edit control's own 30,000
                    CHECK(SendMessageW(handle, EM_GETLIMITTEXT, 0, 0) == 0x7FFFFFFE);
                }
                break;
            case def::control_kind::label:
                CHECK(_wcsicmp(class_name, L"Static") == 0);
                CHECK(text_of(handle) == from_utf8(c.start_text));
                break;
            case def::control_kind::push_button:
                CHECK(_wcsicmp(class_name, L"Button") == 0);
                CHECK(text_of(handle) == from_utf8(c.start_text));
                CHECK((GetWindowLongPtrW(handle, GWL_STYLE) & BS_DEFPUSHBUTTON) == 0);
                break;
        }
    }
    CHECK(found == 16);
    LOGFONTW credit{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control("标签7"), WM_GETFONT, 0, 0)),
               sizeof credit, &credit);
    CHECK(credit.lfWeight == FW_BOLD);
    CHECK(credit.lfHeight == -at_dpi(14));  // a character height, not a cell height
    CHECK(credit.lfFaceName[0] == L'\0');
    const auto result_style = GetWindowLongPtrW(control("标签5"), GWL_STYLE);
    CHECK((result_style & SS_TYPEMASK) == SS_CENTER);
    CHECK((GetWindowLongPtrW(control("标签8"), GWL_STYLE) & SS_TYPEMASK) == SS_LEFT);
}

void typed_characters_are_filtered() {
    set_text("编辑框1", L"");
    type_into("编辑框1", L"a. ");
    CHECK(text_of(control("编辑框1")).empty());
    type_into("编辑框1", L"123456789");
    CHECK(text_of(control("编辑框1")) == L"12345678");
    set_text("编辑框1", L"");
    type_into("编辑框1", L"-5");
    CHECK(text_of(control("编辑框1")) == L"-5");
    type_into("编辑框1", L"\b");
    CHECK(text_of(control("编辑框1")) == L"-");
    set_text("编辑框2", L"");
    type_into("编辑框2", L"1.5.2-3");
    CHECK(text_of(control("编辑框2")) == L"1.5.2-3");
    type_into("编辑框2", from_utf8("１x三"));
    CHECK(text_of(control("编辑框2")) == L"1.5.2-3");
    // It reads as 1.5.
    set_text("编辑框1", L"100");
    set_text("编辑框3", L"4");
    set_text("编辑框4", L"");
    set_text("编辑框5", L"");
    CHECK(shown_after_click("按钮1") == L"x:y=72:27");
}

void pasted_text_is_not_filtered() {
    fill({"100", "2"});
    paste_into("编辑框3", L"abc");
    CHECK(text_of(control("编辑框3")) == L"abc");
    CHECK(shown_after_click("按钮1") == from_utf8("赔率不够！(1)"));  // filled, reads as 0
    set_text("编辑框1", L"");
    paste_into("编辑框1", L"123456789abc");
    CHECK(text_of(control("编辑框1")) == L"12345678");
}

void each_button_runs_its_rule_and_notices_blank_the_label() {
    fill({"100", "2.5", "2.5"});
    CHECK(shown_after_click("按钮1") == L"x:y=50:50");
    CHECK(shown_after_click("按钮2") == L"x:y=60:40");
    CHECK(shown_after_click("按钮3") == L"x:y=60:40");
    set_text("编辑框1", L"");
    const auto notices = click("按钮1");
    CHECK(notices.size() == 1);
    if (notices.size() == 1) {
        CHECK(notices[0].text == from_utf8("您未输入交易金额！"));
        CHECK(notices[0].caption == from_utf8("信息："));
        CHECK(!notices[0].icon_shown);
        CHECK(notices[0].ok_only);
        CHECK(!notices[0].main_window_enabled);
    }
    CHECK(text_of(control("标签5")).empty());
    CHECK(IsWindowEnabled(window->handle()) != FALSE);
}

void every_rule_case_through_the_window() {
    for (const auto& c : quorvel::testing::rule_cases()) {
        fill(c.texts);
        const std::string name = "按钮" + std::to_string(static_cast<int>(c.pressed) + 1);
        const std::string shown = codec::windows::utf8_from_wide(shown_after_click(name));
        if (shown != c.shown) {
            std::fprintf(stderr, "button %s with %s...: shows %s, expected %s\n", name.c_str(),
                         c.texts.front().c_str(), shown.c_str(), c.shown.c_str());
        }
        CHECK(shown == c.shown);
    }
}

std::uint16_t x87_control() {
    std::uint16_t word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

// A press computes the same whatever state the caller left the floating-point unit in, and
// gives that state back: here the Windows standard of 53-bit x87 precision, with rounding toward
// zero on top, as foreign code might leave it.
void presses_give_the_callers_environment_back() {
    CHECK(fp_environment_is_set());  // as the start-up left it
    std::fenv_t before{};
    std::fegetenv(&before);
    const auto foreign = static_cast<std::uint16_t>((x87_control() & ~0x0F00U) | 0x0E00U);
    __asm__ volatile("fldcw %0" : : "m"(foreign));
    std::fesetround(FE_TOWARDZERO);

    fill({"84446", "2.96", "8.25", "1.8485995458026836"});
    const auto notices = click("按钮1");
    CHECK(notices.size() == 1 && notices.front().text == from_utf8("赔率不够！(2)"));
    fill({"100", "3", "4", "5"});
    CHECK(shown_after_click("按钮1") == L"x:y:z=42:31:25");
    CHECK((x87_control() & 0x0F00U) == 0x0E00U);
    CHECK(std::fegetround() == FE_TOWARDZERO);
    std::fesetenv(&before);
}

void declares_per_monitor_dpi_awareness() {
    // From the manifest: the window is drawn for its display's DPI, not stretched as a bitmap.
    CHECK(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) ==
          DPI_AWARENESS_PER_MONITOR_AWARE);
}

// The extent of a control's text in the control's own font.
SIZE text_extent(HWND handle) {
    const HDC context = GetDC(handle);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(context, font);
    const std::wstring text = text_of(handle);
    SIZE extent{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(context, old);
    ReleaseDC(handle, context);
    return extent;
}

// The box around the ink of a control drawn into a bitmap at the given size: every pixel that
// differs clearly from the window's background (the faint edge pixels of smoothed text aside).
// Empty when there is none.
RECT ink_bounds(HWND handle, int width, int height) {
    RECT place{};
    GetWindowRect(handle, &place);
    const SIZE size{place.right - place.left, place.bottom - place.top};
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HDC screen = GetDC(handle);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    PrintWindow(handle, memory, PW_CLIENTONLY);
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    RECT ink{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = GetPixel(memory, x, y);
            const int difference = std::max({std::abs(GetRValue(pixel) - GetRValue(background)),
                                             std::abs(GetGValue(pixel) - GetGValue(background)),
                                             std::abs(GetBValue(pixel) - GetBValue(background))});
            if (difference > 96) {
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                       std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(handle, screen);
    SetWindowPos(handle, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return ink;
}

void nothing_is_clipped() {
    fill({"100", "8.25", "8.25", "8.25", "8.25"});
    for (const def::control& c : def::controls()) {
        const HWND handle = control(c.name);
        RECT client{};
        GetClientRect(handle, &client);
        const SIZE extent = text_extent(handle);
        switch (c.kind) {
            case def::control_kind::push_button:  // within the button's edges
                CHECK(extent.cx <= client.right - 2 * GetSystemMetrics(SM_CXEDGE) - at_dpi(4));
                CHECK(extent.cy <= client.bottom);
                break;
            case def::control_kind::edit_box:
                CHECK(extent.cx <= client.right - at_dpi(2));
                CHECK(extent.cy <= client.bottom);
                break;
            case def::control_kind::label:
                break;
        }
    }
    // The labels drawn with room to their right and below: their ink must end inside their own
    // width, and the instructions' inside their own height too.
    for (const std::string_view name : {"标签1", "标签2", "标签3", "标签6", "标签4", "标签7"}) {
        const int width = at_dpi(def::find(name)->width);
        const RECT ink = ink_bounds(control(name), 2 * width, at_dpi(def::find(name)->height));
        if (ink.right > width) {
            std::fprintf(stderr, "%s: ink %ld wide in %d\n", name.data(), ink.right, width);
        }
        // The credit's bold 14-pixel text in the system's default face: under Wine that face is
        // DejaVu Sans, whose "by Tamsivo" is one pixel wider than the label at 96 DPI.
        const int allowance = name == "标签7" ? at_dpi(1) : 0;
        CHECK(ink.right > 0 && ink.right <= width + allowance);
    }
    const def::control& instructions = *def::find("标签8");
    const int height = at_dpi(instructions.height);
    const RECT ink = ink_bounds(control("标签8"), at_dpi(instructions.width), 2 * height);
    std::printf("       the instructions end at row %ld of %d\n", ink.bottom, height);
    CHECK(ink.bottom > height * 3 / 4);  // the last line is drawn
    CHECK(ink.bottom <= height);
}

// A character GBK lacks reads as "?", never as a look-alike: "²" is not a 2.
void a_character_gbk_lacks_is_no_look_alike() {
    fill({"100", "2"});
    paste_into("编辑框3", from_utf8("²"));
    CHECK(shown_after_click("按钮1") == from_utf8("赔率不够！(1)"));
}

void a_long_paste_is_taken_whole() {
    fill({"100", "", "4"});
    paste_into("编辑框2", std::wstring(99999, L' ') + L"3");
    CHECK(GetWindowTextLengthW(control("编辑框2")) == 100000);
    CHECK(shown_after_click("按钮1") == L"x:y=57:42");
}

void the_focus_comes_back_where_it_was() {
    // After a notice dismissed with Enter: on the button that raised it.
    fill({"", "2", "3"});
    SetFocus(control("按钮2"));
    watcher->dismiss_with_enter(true);
    const auto notices = click("按钮2");
    watcher->dismiss_with_enter(false);
    pump_messages();
    CHECK(notices.size() == 1);
    CHECK(GetFocus() == control("按钮2"));
    // After being minimized and restored: in the box that had it.
    SetFocus(control("编辑框4"));
    ShowWindow(window->handle(), SW_MINIMIZE);
    pump_messages();
    ShowWindow(window->handle(), SW_RESTORE);
    SetForegroundWindow(window->handle());
    pump_messages();
    CHECK(GetFocus() == control("编辑框4"));
}

void enter_presses_the_focused_button_which_never_looks_default() {
    fill({"100", "2.5", "2.5"});
    SetFocus(control("编辑框5"));
    press_key(VK_TAB);
    CHECK(GetFocus() == control("按钮1"));
    press_key(VK_TAB);
    CHECK(GetFocus() == control("按钮2"));
    press_key(VK_RETURN);
    CHECK(text_of(control("标签5")) == L"x:y=60:40");
    set_text("标签5", L"");
    press_key(VK_SPACE);
    CHECK(text_of(control("标签5")) == L"x:y=60:40");
    for (const std::string_view name : {"按钮1", "按钮2", "按钮3"}) {
        CHECK((GetWindowLongPtrW(control(name), GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON);
    }
    // In a box, Enter presses nothing: no button is the window's default.
    set_text("标签5", L"");
    SetFocus(control("编辑框2"));
    press_key(VK_RETURN);
    CHECK(text_of(control("标签5")).empty());
}

// Started the way a launcher asks (its STARTUPINFO), the window shows normal, centred and at its
// own size, unless it was asked to start minimized. Exits 0 when it did.
int show_as_the_launcher_asks() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int show_command =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
    window = win32::main_window::create(GetModuleHandleW(nullptr));
    window->show_centred(show_command);
    pump_messages();
    RECT outer{};
    GetWindowRect(window->handle(), &outer);
    const SIZE size = win32::outer_size(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, window_dpi());
    const bool minimized = IsIconic(window->handle()) != FALSE;
    const bool normal = IsZoomed(window->handle()) == FALSE && !minimized &&
                        outer.right - outer.left == size.cx &&
                        outer.bottom - outer.top == size.cy &&
                        outer.left == (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    std::printf("show command %d: %s\n", show_command,
                minimized ? "minimized"
                : normal  ? "normal and centred"
                          : "neither");
    const bool asked_minimized = show_command == SW_SHOWMINIMIZED || show_command == SW_MINIMIZE ||
                                 show_command == SW_SHOWMINNOACTIVE;
    DestroyWindow(window->handle());
    return (asked_minimized ? minimized : normal) ? 0 : 1;
}

// Presses every line of the file through the window and prints what it showed.
int press_lines(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 2;
    }
    static constexpr std::array<std::string_view, 5> boxes = {"编辑框1", "编辑框2", "编辑框3",
                                                              "编辑框4", "编辑框5"};
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
             start = tab + 1) {
            fields.push_back(line.substr(start, tab - start));
        }
        fields.push_back(line.substr(start));
        // The total is typed (its box takes 8 characters); the odds are pasted, as a user
        // would bring a long text, so that the boxes' own length limits take part.
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const std::wstring text = i + 1 < fields.size() ? win32::from_gbk(fields[i + 1]) : L"";
            set_text(boxes.at(i), i == 0 ? text : L"");
            if (i > 0 && !text.empty()) {
                paste_into(boxes.at(i), text);
            }
        }
        const auto notices = click("按钮" + fields[0]);
        const std::wstring label = text_of(control("标签5"));
        if (!notices.empty()) {
            std::printf("notice\t%s\n",
                        codec::windows::utf8_from_wide(notices.front().text).c_str());
        } else if (!label.empty()) {
            std::printf("result\t%s\n", codec::windows::utf8_from_wide(label).c_str());
        } else {
            std::printf("silent\n");
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    set_fp_environment();
    notice_watcher watching;
    watcher = &watching;
    if (argc == 2 && std::string_view(argv[1]) == "--show-as-the-launcher-asks") {
        return show_as_the_launcher_asks();
    }
    if (argc == 3 && std::string_view(argv[1]) == "--presses") {
        window = win32::main_window::create(GetModuleHandleW(nullptr));
        window->show_centred(SW_SHOWNORMAL);
        return press_lines(argv[2]);
    }
    run_test("start-up shows both notices before the centred window", start_up);
    if (window == nullptr) {
        std::printf("%d passed, %d failed\n", passed_tests, failed_tests);
        return 1;
    }
    run_test("the window cannot be resized or maximized and stands centred",
             window_frame_and_place);
    run_test("every control stands as the table defines it", every_control_as_the_table_defines_it);
    run_test("typed characters are filtered, up to the length limit",
             typed_characters_are_filtered);
    run_test("pasted text is not filtered", pasted_text_is_not_filtered);
    run_test("each button runs its rule; a notice blanks the label",
             each_button_runs_its_rule_and_notices_blank_the_label);
    run_test("every rule case shows through the window", every_rule_case_through_the_window);
    run_test("presses give the caller's floating-point state back",
             presses_give_the_callers_environment_back);
    run_test("the program declares per-monitor DPI awareness", declares_per_monitor_dpi_awareness);
    run_test("no text is clipped at this DPI", nothing_is_clipped);
    run_test("a long paste is taken whole", a_long_paste_is_taken_whole);
    run_test("a character GBK lacks is no look-alike", a_character_gbk_lacks_is_no_look_alike);
    run_test("the focus comes back where it was", the_focus_comes_back_where_it_was);
    run_test("Enter presses the focused button, which never looks like the default",
             enter_presses_the_focused_button_which_never_looks_default);
    DestroyWindow(window->handle());
    std::printf("%d passed, %d failed\n", passed_tests, failed_tests);
    return failed_tests == 0 ? 0 : 1;
}
