#include "calc/lowest_odds_break_even.h"

#include "calc/break_even.h"
#include "calc/rule_arithmetic.h"

namespace quorvel {
namespace {

using namespace rule_arithmetic;

constexpr double lower_margin = -1e-7;

// The candidate stays the pivot only while it is lower than the next odds by more than 1e-7; a
// difference that is not a number also keeps it.
bool candidate_is_lower(double candidate, double next) {
    const extended difference = extended(candidate) - next;
    return difference < lower_margin || difference.is_nan();
}

}  // namespace

void lowest_odds_break_even(int n, working_values& values, window_port& window) {
    const int pivot = choose_pivot(values, n, candidate_is_lower);
    break_even_on_pivot(n, pivot, whole_number_mode::truncate, values, window);
}

}  // namespace quorvel
