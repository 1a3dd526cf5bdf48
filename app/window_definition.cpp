#include "app/window_definition.h"

#include <algorithm>

namespace quorvel::window_definition {
namespace {

constexpr control total_box(std::string_view name, std::uint32_t identity, int left, int top,
                            int width, int height, box reads_into) {
    control c{name, control_kind::edit_box, identity, left, top, width, height, ""};
    c.filter = input_filter::digits_and_minus;
    c.length_limit = 8;
    c.reads_into = reads_into;
    return c;
}

constexpr control odds_box(std::string_view name, std::uint32_t identity, int top, box reads_into) {
    control c{name, control_kind::edit_box, identity, 120, top, 32, 24, ""};
    c.filter = input_filter::digits_minus_and_full_stop;
    c.reads_into = reads_into;
    return c;
}

constexpr control plain_label(std::string_view name, std::uint32_t identity, int left, int top,
                              int width, int height, std::string_view text) {
    return control{name, control_kind::label, identity, left, top, width, height, text};
}

constexpr control button_control(std::string_view name, std::uint32_t identity, int top,
                                 std::string_view text, button presses) {
    control c{name, control_kind::push_button, identity, 232, top, 120, 32, text};
    c.horizontal = horizontal_alignment::centre;
    c.presses = presses;
    return c;
}

constexpr control credit_label() {
    control c = plain_label("标签7", 0x16010063, 16, 112, 88, 24, "by Tamsivo");
    c.text_colour = red;
    c.font = {.bold = true, .character_height = 14};
    return c;
}

constexpr control result_label() {
    control c = plain_label("标签5", 0x1601000C, 16, 149, 352, 40, "");
    c.horizontal = horizontal_alignment::centre;
    c.is_result_label = true;
    return c;
}

constexpr control instruction_label() {
    control c = plain_label("标签8", 0x16010448, 16, 192, 344, 160, instructions);
    c.text_colour = blue;
    c.vertical = vertical_alignment::top;
    c.word_wrap = true;
    // The instructions wrap to thirteen lines at the label's width. At 12 pixels a line, the
    // line spacing of the 12-pixel default GUI font of a Chinese Windows desktop, they fill 156
    // of its 160 pixels; the taller line spacing of most other CJK faces would cut the last line.
    c.line_height = 12;
    return c;
}

constexpr std::array<control, 16> all_controls = {
    total_box("编辑框1", 0x16010003, 16, 24, 64, 40, box::编辑框1),
    odds_box("编辑框2", 0x16010004, 15, box::编辑框2),
    odds_box("编辑框3", 0x16010006, 45, box::编辑框3),
    odds_box("编辑框4", 0x16010007, 75, box::编辑框4),
    odds_box("编辑框5", 0x1601005C, 105, box::编辑框5),
    plain_label("标签1", 0x16010008, 160, 15, 32, 24, "x"),
    plain_label("标签2", 0x16010009, 160, 45, 32, 24, "y"),
    plain_label("标签3", 0x1601000A, 160, 75, 32, 24, "z"),
    plain_label("标签6", 0x16010061, 160, 105, 32, 24, "t"),
    plain_label("标签4", 0x1601000B, 8, 72, 96, 32, "准备投的总钱数"),
    credit_label(),
    result_label(),
    instruction_label(),
    button_control("按钮1", 0x16010002, 15, "所有赔率赚的差不多", button::按钮1),
    button_control("按钮2", 0x16010067, 50, "博冷门（保底）", button::按钮2),
    button_control("按钮3", 0x16010068, 85, "中奖率大（防冷门）", button::按钮3),
};

}  // namespace

std::span<const control> controls() {
    return all_controls;
}

const control* find(std::string_view name) {
    const auto* found = std::find_if(all_controls.begin(), all_controls.end(),
                                     [&](const control& c) { return c.name == name; });
    return found == all_controls.end() ? nullptr : found;
}

}  // namespace quorvel::window_definition
