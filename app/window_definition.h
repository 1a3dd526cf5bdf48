#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "calc/window_port.h"

// The main window and its sixteen controls as data: every front end builds its window from
// these tables and nothing else. Texts are UTF-8; a front end converts them at its edge.
namespace quorvel::window_definition {

enum class control_kind { edit_box, label, push_button };

// Which typed characters a box accepts; text pasted into a box is not filtered.
enum class input_filter {
    none,
    // control characters (below 0x20), the digits 0 to 9 and the minus sign
    digits_and_minus,
    // the same and the full stop
    digits_minus_and_full_stop,
};

enum class horizontal_alignment { left, centre };
enum class vertical_alignment { top, centre };

struct rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(rgb, rgb) = default;
};

inline constexpr rgb black{0, 0, 0};
inline constexpr rgb red{255, 0, 0};
inline constexpr rgb blue{0, 0, 255};

struct font_setting {
    bool bold = false;
    int character_height = 0;  // in pixels; 0 keeps the system's default GUI font
};

struct control {
    std::string_view name;  // 编辑框1, 按钮1, 标签1, ...
    control_kind kind;
    std::uint32_t identity;
    int left;  // within the window's client area, in pixels
    int top;
    int width;
    int height;
    std::string_view start_text;
    rgb text_colour = black;
    horizontal_alignment horizontal = horizontal_alignment::left;
    vertical_alignment vertical = vertical_alignment::centre;
    bool word_wrap = false;
    // A wrapped label's distance from one line to the next, in pixels; 0 for the font's own.
    int line_height = 0;
    font_setting font{};
    input_filter filter = input_filter::none;
    int length_limit = 0;             // characters; 0 for the platform's maximum
    std::optional<box> reads_into{};  // the box a press reads
    std::optional<button> presses{};  // the button a click presses
    bool is_result_label = false;     // the label a press writes its result into
};

// The main window.
inline constexpr std::uint32_t window_identity = 0x52010001;
inline constexpr std::string_view window_caption = "Quorvel";
// The outer size on the Windows desktop, frame and title bar included.
inline constexpr int outer_width = 380;
inline constexpr int outer_height = 385;
// The frame Windows draws around a window with a fixed border and a caption; where the window
// manager draws the frame instead, the client area keeps the size Windows gives it.
inline constexpr int fixed_frame_width = 3;
inline constexpr int caption_height = 23;
inline constexpr int client_width = outer_width - 2 * fixed_frame_width;
inline constexpr int client_height = outer_height - caption_height - 2 * fixed_frame_width;

// The size of the window's default font, in pixels, where a front end chooses that font itself
// (the Qt window, the browser page); the Windows program uses the system's default GUI font.
inline constexpr int default_font_pixel_size = 11;

// The notices: their caption, and the two shown at start-up before the window appears.
inline constexpr std::string_view notice_caption = "信息：";
// The label of a notice's one button where a front end draws the notice itself (the browser
// page); the desktop front ends show their platform's own OK button.
inline constexpr std::string_view notice_button = "确定";
// The maker's web address, shown first at start-up.
inline constexpr std::string_view maker_address = "https://quorvel.example.com/";
inline constexpr std::array<std::string_view, 2> start_up_notices = {maker_address,
                                                                     "赌博伤身违法，切勿沉迷！！"};

// The usage text of 标签8: eleven lines joined by carriage return and line feed.
inline constexpr std::string_view instructions =
    "使用教程：\r\n"
    "1.输入准备投入的金额，最少1元，最大99999999\r\n"
    "2.x,y,z,t分别是四个即将买入的赔率。\r\n"
    "3.如果买的赔率不到4个，比如只买两个赔率1.2与7.5，\r\n"
    "  可以在x输入 1.2 ，y输入 7.5。3个赔率与上面类似。\r\n"
    "4.三个按键，从上往下分别是：\r\n"
    "    ①所有赔率赚的钱差不多相同。\r\n"
    "    ②赔率最低的压够回本的钱，其他赔率平均多买。\r\n"
    "    ③赔率最高的压够回本的钱，其他赔率差不多买。\r\n"
    "5.计算结果（钱）在下面以比例的形式出现。（所有比例项之和约等于总金额）\r\n"
    "世界杯火热进行中，谨慎投注。赌博伤身，切勿沉迷！本软件仅供娱乐。";

// The sixteen controls, in the order they are created.
std::span<const control> controls();

// The control of that name, or null.
const control* find(std::string_view name);

// True when the box with this filter accepts the typed character (a Unicode code point).
constexpr bool accepts_typed(input_filter filter, char32_t character) {
    const bool control_character = character < 0x20;
    const bool digit_or_minus = (character >= U'0' && character <= U'9') || character == U'-';
    switch (filter) {
        case input_filter::none:
            return true;
        case input_filter::digits_and_minus:
            return control_character || digit_or_minus;
        case input_filter::digits_minus_and_full_stop:
            return control_character || digit_or_minus || character == U'.';
    }
    return false;
}

}  // namespace quorvel::window_definition
