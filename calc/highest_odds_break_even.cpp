#include "calc/highest_odds_break_even.h"

#include "calc/break_even.h"
#include "calc/rule_arithmetic.h"

namespace quorvel {
namespace {

using namespace rule_arithmetic;

// The candidate stays the pivot only while it exceeds the next odds by more than 1e-7; a
// difference that is not a number hands the pivot on.
bool candidate_exceeds(double candidate, double next) {
    return extended(candidate) - next > check_margin;
}

}  // namespace

void highest_odds_break_even(int n, working_values& values, window_port& window) {
    const int pivot = choose_pivot(values, n, candidate_exceeds);
    break_even_on_pivot(n, pivot, whole_number_mode::floor_with_tolerance, values, window);
}

}  // namespace quorvel
