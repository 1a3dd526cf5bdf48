#pragma once

#include <array>

namespace quorvel {

// The thirteen doubles a press computes in. The press flow writes the total and the four odds;
// each rule treats the rest as its own storage and reads only what it wrote in the same press.
struct working_values {
    double total = 0.0;
    double odds_x = 0.0;
    double odds_y = 0.0;
    double odds_z = 0.0;
    double odds_t = 0.0;
    double stake_x = 0.0;
    double stake_y = 0.0;
    double stake_z = 0.0;
    double stake_t = 0.0;
    double scratch_a = 0.0;
    double pivot_odds = 0.0;
    double scratch_b = 0.0;
    double scratch_c = 0.0;
};

// The letters x, y, z and t in their fixed order, so that a rule can walk the first n of them.
inline constexpr int letter_count = 4;
inline constexpr std::array<double working_values::*, letter_count> odds_of = {
    &working_values::odds_x, &working_values::odds_y, &working_values::odds_z,
    &working_values::odds_t};
inline constexpr std::array<double working_values::*, letter_count> stake_of = {
    &working_values::stake_x, &working_values::stake_y, &working_values::stake_z,
    &working_values::stake_t};

}  // namespace quorvel
