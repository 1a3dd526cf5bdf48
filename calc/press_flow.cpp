#include "calc/press_flow.h"

#include <array>
#include <string>

#include "calc/equal_return_split.h"
#include "calc/fp_environment.h"
#include "calc/highest_odds_break_even.h"
#include "calc/lowest_odds_break_even.h"
#include "calc/notice_texts.h"
#include "calc/text_to_number.h"

namespace quorvel {
namespace {

constexpr std::array<box, letter_count> odds_boxes = {box::编辑框2, box::编辑框3, box::编辑框4,
                                                      box::编辑框5};

// The odds count for the boxes x, y, z and t that are filled, or 0 for a pattern that counts
// none: x and y, x to z, or all four; any gap before the last filled box counts none.
int odds_count(const std::array<bool, letter_count>& filled) {
    if (filled[0] && filled[1] && !filled[2] && !filled[3]) {
        return 2;
    }
    if (filled[0] && filled[1] && filled[2] && !filled[3]) {
        return 3;
    }
    if (filled[0] && filled[1] && filled[2] && filled[3]) {
        return 4;
    }
    return 0;
}

}  // namespace

void press_flow(button pressed, window_port& window, working_values& values) {
    const fp_environment_scope environment;
    window.set_result_text({});

    const std::string total_text = window.read_box_text(box::编辑框1);
    values.total = text_to_number(total_text);
    if (is_empty_text(total_text)) {
        window.show_notice(notice_text::no_total);
        return;
    }

    std::array<std::string, letter_count> odds_texts;
    for (std::size_t letter = 0; letter < odds_boxes.size(); ++letter) {
        odds_texts.at(letter) = window.read_box_text(odds_boxes.at(letter));
    }
    if (is_empty_text(odds_texts[0])) {
        window.show_notice(notice_text::odds_out_of_order);
        return;
    }
    std::array<bool, letter_count> filled{};
    for (std::size_t letter = 0; letter < odds_boxes.size(); ++letter) {
        values.*odds_of.at(letter) = text_to_number(odds_texts.at(letter));
        filled.at(letter) = !is_empty_text(odds_texts.at(letter));
    }

    const int n = odds_count(filled);
    if (n == 0) {
        return;
    }
    switch (pressed) {
        case button::按钮1:
            equal_return_split(n, values, window);
            break;
        case button::按钮2:
            lowest_odds_break_even(n, values, window);
            break;
        case button::按钮3:
            highest_odds_break_even(n, values, window);
            break;
    }
}

}  // namespace quorvel
