#include "calc/press_flow.h"

#include <gtest/gtest.h>

#include "fake_window.h"

namespace quorvel {
namespace {

using testing::fake_window;
using testing::press;

constexpr auto 按钮1 = button::按钮1;

TEST(press_flow, blanks_the_label_before_reading_any_box) {
    fake_window window;
    window.boxes = {"100", "2", "2", "", ""};
    working_values values;
    press_flow(按钮1, window, values);
    ASSERT_FALSE(window.label_writes.empty());
    EXPECT_EQ(window.label_writes.front(), "");
    EXPECT_EQ(window.shown(), "赔率不够！(1)");
    EXPECT_EQ(window.label, "");
}

TEST(press_flow, an_empty_total_is_reported_first) {
    working_values values;
    values.total = 55;
    values.odds_x = 9;
    const auto window = press(按钮1, {"", "", "3", "4"}, values);
    EXPECT_EQ(window.notices.size(), 1U);
    EXPECT_EQ(window.shown(), "您未输入交易金额！");
    EXPECT_EQ(window.label, "");
    EXPECT_EQ(values.total, 0.0);  // read before the check
    EXPECT_EQ(values.odds_x, 9);   // not reached
}

TEST(press_flow, an_empty_first_odds_is_reported_and_leaves_the_odds) {
    working_values values;
    values.odds_x = 9;
    const auto window = press(按钮1, {"100", "", "3", "4"}, values);
    EXPECT_EQ(window.notices.size(), 1U);
    EXPECT_EQ(window.shown(), "请按顺序从上向下输入赔率！！");
    EXPECT_EQ(values.total, 100);
    EXPECT_EQ(values.odds_x, 9);
}

TEST(press_flow, a_blank_total_counts_as_filled_and_reads_as_zero) {
    working_values values;
    const auto window = press(按钮1, {" ", "2", "3"}, values);
    EXPECT_EQ(values.total, 0.0);
    EXPECT_EQ(window.shown(), "赔率不够！(1)");  // the rule ran, with a total of 0
}

struct fill_case {
    std::vector<std::string> odds;
    const char* shown;
};

class fill_pattern : public ::testing::TestWithParam<fill_case> {};

TEST_P(fill_pattern, decides_the_odds_count) {
    std::vector<std::string> texts = {"1000"};
    texts.insert(texts.end(), GetParam().odds.begin(), GetParam().odds.end());
    const auto window = press(按钮1, texts);
    EXPECT_EQ(window.shown(), GetParam().shown);
    EXPECT_LE(window.notices.size(), 1U);
}

INSTANTIATE_TEST_SUITE_P(
    boxes, fill_pattern,
    ::testing::Values(
        fill_case{{"5.5", "5.5"}, "x:y=500:500"},
        fill_case{{"5.5", "5.5", "5.5"}, "x:y:z=333:333:333"},
        fill_case{{"5.5", "5.5", "5.5", "5.5"}, "x:y:z:t=250:250:250:250"}, fill_case{{"5.5"}, ""},
        fill_case{{"5.5", "", "5.5"}, ""}, fill_case{{"5.5", "", "", "5.5"}, ""},
        fill_case{{"5.5", "5.5", "", "5.5"}, ""}, fill_case{{"5.5", "", "5.5", "5.5"}, ""},
        // a filled box that reads as 0 still counts: its odds is 0
        fill_case{{"5.5", "."}, "赔率不够！(1)"}, fill_case{{"5.5", "abc"}, "赔率不够！(1)"}));

TEST(press_flow, a_gap_in_the_odds_ends_silently_with_the_label_blank) {
    const auto window = press(按钮1, {"100", "2", "3", "", "4"});
    EXPECT_TRUE(window.notices.empty());
    EXPECT_EQ(window.label, "");
    EXPECT_EQ(window.label_writes.size(), 1U);
}

TEST(press_flow, writes_every_odds_before_the_rule_runs) {
    working_values values;
    values.odds_z = 9;
    values.odds_t = 9;
    press(按钮1, {"100", "2.5", "2.5"}, values);
    EXPECT_EQ(values.odds_x, 2.5);
    EXPECT_EQ(values.odds_y, 2.5);
    EXPECT_EQ(values.odds_z, 0.0);
    EXPECT_EQ(values.odds_t, 0.0);
}

TEST(press_flow, nothing_of_an_earlier_press_changes_a_later_one) {
    working_values values;
    const auto first = press(button::按钮2, {"1000", "3", "4", "5", "10"}, values).shown();
    press(button::按钮3, {"100", "-2", "1.5", "1.5"}, values);
    press(按钮1, {"-100", "2", "0", "7", "7"}, values);
    EXPECT_EQ(press(button::按钮2, {"1000", "3", "4", "5", "10"}, values).shown(), first);
}

TEST(press_flow, the_result_line_is_written_once_after_the_blanking) {
    const auto window = press(按钮1, {"100", "2.5", "2.5"});
    ASSERT_EQ(window.label_writes.size(), 2U);
    EXPECT_EQ(window.label_writes[0], "");
    EXPECT_EQ(window.label_writes[1], "x:y=50:50");
    EXPECT_TRUE(window.notices.empty());
}

}  // namespace
}  // namespace quorvel
