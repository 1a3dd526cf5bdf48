#include "calc/equal_return_split.h"

#include <array>
#include <string_view>

#include "calc/notice_texts.h"
#include "calc/result_line.h"
#include "calc/rule_arithmetic.h"

namespace quorvel {

using namespace rule_arithmetic;

void equal_return_split(int n, working_values& values, window_port& window) {
    // The raw stakes: what each odds needs to pay back the total on its own.
    for (int letter = 0; letter < n; ++letter) {
        stake(values, letter) = stored(extended(values.total) / odds(values, letter));
    }
    extended sum = values.stake_x;
    for (int letter = 1; letter < n; ++letter) {
        sum += stake(values, letter);
    }
    values.scratch_a = stored(sum);

    if (!leaves_margin(values.total, values.scratch_a)) {
        static constexpr std::array<std::string_view, 3> notices = {notice_text::odds_short_two,
                                                                    notice_text::odds_short_three,
                                                                    notice_text::odds_short_four};
        window.show_notice(notices.at(static_cast<std::size_t>(n - 2)));
        return;
    }
    for (int letter = 0; letter < n; ++letter) {
        stake(values, letter) = even_share(stake(values, letter), values.scratch_a, values.total);
    }
    show_result_line(n, whole_number_mode::floor_with_tolerance, values, window);
}

}  // namespace quorvel
