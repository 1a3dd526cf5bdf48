#include "calc/break_even.h"

#include "calc/notice_texts.h"
#include "calc/rule_arithmetic.h"

namespace quorvel {
namespace {

using namespace rule_arithmetic;

void break_even_two(int pivot, whole_number_mode mode, working_values& values,
                    window_port& window) {
    values.stake_x = stored(extended(values.total) / values.odds_x);
    values.stake_y = stored(extended(values.total) / values.odds_y);
    values.scratch_a = stored(extended(values.stake_x) + values.stake_y);
    if (!leaves_margin(values.total, values.scratch_a)) {
        window.show_notice(notice_text::odds_short_two);
        return;
    }
    const int other = 1 - pivot;
    stake(values, other) = stored(extended(values.total) - stake(values, pivot));
    show_result_line(2, mode, values, window);
}

void break_even_more(int n, int pivot, whole_number_mode mode, working_values& values,
                     window_port& window) {
    values.pivot_odds = odds(values, pivot);
    for (int letter = 0; letter < n; ++letter) {
        const double letter_odds = letter == pivot ? values.pivot_odds : odds(values, letter);
        stake(values, letter) = stored(extended(values.total) / letter_odds);
    }
    // The remainder: what is left of the total once the pivot is paid for.
    values.scratch_a = stored(extended(values.total) - stake(values, pivot));

    extended raw_sum = values.stake_x;
    for (int letter = 1; letter < n; ++letter) {
        raw_sum += stake(values, letter);
    }
    values.scratch_b = stored(raw_sum);
    if (!leaves_margin(values.total, values.scratch_b)) {
        window.show_notice(notice_text::odds_short_overall);
        return;
    }

    // The other odds' stakes on the remainder, and their sum, in letter order.
    extended remainder_sum = 0.0;
    bool first_other = true;
    for (int letter = 0; letter < n; ++letter) {
        if (letter != pivot) {
            stake(values, letter) = stored(extended(values.scratch_a) / odds(values, letter));
            remainder_sum = first_other ? extended(stake(values, letter))
                                        : remainder_sum + stake(values, letter);
            first_other = false;
        }
    }
    values.scratch_c = stored(remainder_sum);
    if (!leaves_margin(values.scratch_a, values.scratch_c)) {
        window.show_notice(notice_text::odds_short_remainder);
        return;
    }

    for (int letter = 0; letter < n; ++letter) {
        if (letter != pivot) {
            stake(values, letter) =
                even_share(stake(values, letter), values.scratch_c, values.scratch_a);
        }
    }
    show_result_line(n, mode, values, window);
}

}  // namespace

void break_even_on_pivot(int n, int pivot, whole_number_mode mode, working_values& values,
                         window_port& window) {
    if (n == 2) {
        break_even_two(pivot, mode, values, window);
    } else {
        break_even_more(n, pivot, mode, values, window);
    }
}

}  // namespace quorvel
