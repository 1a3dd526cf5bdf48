// Drives the real Windows program's window through window messages, under Wine or on Windows.
//   window_tests              runs the checks and ends with "N passed, N failed"
//   window_tests --presses F  presses each line of F (BUTTON<TAB>TOTAL<TAB>X...T, raw GBK) through
//                             the window's boxes and buttons and prints what the window showed,
//                             in quorvel-cli's batch format
#include <windows.h>

#include <atomic>
#include <cfenv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/win32/main_window.h"
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
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            while (IsWindow(box) != FALSE && !stop_) {
                Sleep(1);
            }
        }
    }

    std::atomic<bool> stop_{false};
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
}

void window_frame_and_place() {
    RECT outer{};
    GetWindowRect(window->handle(), &outer);
    CHECK(outer.right - outer.left == 380);
    CHECK(outer.bottom - outer.top == 385);
    CHECK(outer.left == (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
    CHECK(outer.top == (GetSystemMetrics(SM_CYSCREEN) - 385) / 2);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window->handle(), GWL_STYLE));
    CHECK((style & WS_THICKFRAME) == 0);
    CHECK((style & WS_MAXIMIZEBOX) == 0);
    CHECK((style & WS_MINIMIZEBOX) != 0);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK(GetWindow(window->handle(), GW_OWNER) == nullptr);
    CHECK(text_of(window->handle()) == L"Quorvel");
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
        CHECK(place.left == c.left && place.top == c.top);
        CHECK(place.right - place.left == c.width && place.bottom - place.top == c.height);
        wchar_t class_name[32] = {};
        GetClassNameW(handle, class_name, 32);
        switch (c.kind) {
            case def::control_kind::edit_box:
                CHECK(_wcsicmp(class_name, L"Edit") == 0);
                CHECK((GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
                if (c.length_limit > 0) {
                    CHECK(SendMessageW(handle, EM_GETLIMITTEXT, 0, 0) == c.length_limit);
                } else {  // the edit control's own limit, at least 30,000 characters
                    CHECK(SendMessageW(handle, EM_GETLIMITTEXT, 0, 0) >= 30000);
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
    CHECK(credit.lfHeight == 14);
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
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            set_text(boxes.at(i), i + 1 < fields.size() ? win32::from_gbk(fields[i + 1]) : L"");
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
    DestroyWindow(window->handle());
    std::printf("%d passed, %d failed\n", passed_tests, failed_tests);
    return failed_tests == 0 ? 0 : 1;
}
