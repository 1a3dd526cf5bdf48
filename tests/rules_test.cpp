#include <gtest/gtest.h>

#include <cmath>

#include "fake_window.h"
#include "rule_cases.h"

namespace quorvel {
namespace {

using testing::press;
using testing::press_case;

class rule : public ::testing::TestWithParam<press_case> {};

TEST_P(rule, shows_its_line_or_its_notice) {
    const auto window = press(GetParam().pressed, GetParam().texts);
    EXPECT_EQ(window.shown(), GetParam().shown);
    EXPECT_LE(window.notices.size(), 1U);
    if (!window.notices.empty()) {
        EXPECT_EQ(window.label, "");  // a notice leaves the label blank
    }
}

INSTANTIATE_TEST_SUITE_P(presses, rule, ::testing::ValuesIn(testing::rule_cases()));

double just_below(double value) {
    return std::nextafter(value, 0.0);
}

// The stored roundings decide these lines: each stake is one unit in the last place below a
// whole number, which the two whole-number modes then treat differently.
TEST(equal_return_split, rounds_where_the_stakes_are_stored) {
    working_values values;
    const auto window = press(button::按钮1, {"100", "1.6", "4.8"}, values);
    EXPECT_EQ(values.stake_x, just_below(75));
    EXPECT_EQ(values.stake_y, 25);
    EXPECT_EQ(values.scratch_a, 83.333333333333343);  // the raw stakes' sum, kept
    EXPECT_EQ(window.shown(), "x:y=75:25");
}

TEST(equal_return_split, a_refusal_keeps_the_raw_stakes_and_their_sum) {
    working_values values;
    press(button::按钮1, {"100", "2", "2"}, values);
    EXPECT_EQ(values.stake_x, 50);
    EXPECT_EQ(values.stake_y, 50);
    EXPECT_EQ(values.scratch_a, 100);
}

TEST(lowest_odds_break_even, rounds_where_the_stakes_are_stored) {
    working_values values;
    press(button::按钮2, {"100", "3", "3", "5"}, values);
    EXPECT_EQ(values.pivot_odds, 3);
    EXPECT_EQ(values.stake_y, 100.0 / 3);  // the pivot keeps its raw stake
    EXPECT_EQ(values.stake_z, just_below(25));
    EXPECT_EQ(values.scratch_a, 100 - 100.0 / 3);
}

TEST(highest_odds_break_even, rounds_where_the_stakes_are_stored) {
    working_values values;
    const auto window = press(button::按钮3, {"1000", "1.5", "6", "8"}, values);
    EXPECT_EQ(values.pivot_odds, 8);
    EXPECT_EQ(values.stake_z, 125);
    EXPECT_LT(values.stake_x, 700);
    EXPECT_GT(values.stake_x, 699.9999999999);
    EXPECT_LT(values.stake_y, 175);
    EXPECT_GT(values.stake_y, 174.9999999999);
    EXPECT_EQ(window.shown(), "x:y:z=700:175:125");
}

TEST(break_even, two_odds_leave_the_three_odds_values_alone) {
    working_values values;
    values.pivot_odds = 9;
    values.scratch_b = 9;
    values.scratch_c = 9;
    values.stake_z = 9;
    press(button::按钮2, {"1000", "1.2", "7.5"}, values);
    press(button::按钮3, {"1000", "1.2", "7.5"}, values);
    EXPECT_EQ(values.pivot_odds, 9);
    EXPECT_EQ(values.scratch_b, 9);
    EXPECT_EQ(values.scratch_c, 9);
    EXPECT_EQ(values.stake_z, 9);
}

}  // namespace
}  // namespace quorvel
