#pragma once

#include <cstddef>

#include "calc/extended.h"
#include "calc/working_values.h"

// The arithmetic the three rules share. Every operation is formed in the extended format (a
// 64-bit significand) and rounded to double only where a rule stores the result, through
// stored().
namespace quorvel::rule_arithmetic {

// The margin every check must exceed, in the unit of the total.
inline constexpr double check_margin = 1e-7;

// Rounds an extended-precision result to the double that a rule stores.
inline double stored(const extended& value) {
    return value.to_double();
}

// True when amount - spent, at extended precision and unrounded, is greater than check_margin.
// A difference that is not a number fails, like one that is too small.
inline bool leaves_margin(double amount, double spent) {
    return extended(amount) - spent > check_margin;
}

// One odds' final share when an amount is spread so that every odds pays back the same: its
// stake on the amount divided by the sum of those stakes, the quotient stored, times the amount.
inline double even_share(double stake_on_amount, double sum_of_stakes, double amount) {
    const double quotient = stored(extended(stake_on_amount) / sum_of_stakes);
    return stored(extended(quotient) * amount);
}

inline double& odds(working_values& values, int letter) {
    return values.*odds_of.at(static_cast<std::size_t>(letter));
}

inline double& stake(working_values& values, int letter) {
    return values.*stake_of.at(static_cast<std::size_t>(letter));
}

// Walks the first n letters: the candidate starts as x, and each following odds is compared with
// the current candidate; the candidate stays only when keeps(candidate, that odds) holds,
// otherwise that odds becomes the candidate. Returns the last candidate's letter (0 is x).
template <class Keeps>
int choose_pivot(working_values& values, int n, Keeps keeps) {
    int candidate = 0;
    for (int letter = 1; letter < n; ++letter) {
        if (!keeps(odds(values, candidate), odds(values, letter))) {
            candidate = letter;
        }
    }
    return candidate;
}

}  // namespace quorvel::rule_arithmetic
