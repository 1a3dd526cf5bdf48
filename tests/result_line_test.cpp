#include "calc/result_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <ostream>

namespace quorvel {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct whole_case {
    double stake;
    std::int32_t floored;    // floor_with_tolerance
    std::int32_t truncated;  // truncate
};

void PrintTo(const whole_case& c, std::ostream* out) {
    *out << std::setprecision(17) << c.stake << " gives " << c.floored << " floored, "
         << c.truncated << " truncated";
}

class whole_number_of : public ::testing::TestWithParam<whole_case> {};

TEST_P(whole_number_of, stake_in_both_modes) {
    const auto& c = GetParam();
    EXPECT_EQ(to_whole_number(c.stake, whole_number_mode::floor_with_tolerance), c.floored)
        << c.stake;
    EXPECT_EQ(to_whole_number(c.stake, whole_number_mode::truncate), c.truncated) << c.stake;
}

INSTANTIATE_TEST_SUITE_P(
    stakes, whole_number_of,
    ::testing::Values(
        whole_case{2.9999999999995, 3, 2}, whole_case{2.999999999998, 2, 2},
        whole_case{74.99999999999999, 75, 74}, whole_case{0.9999999999995, 1, 0},
        whole_case{2.5, 2, 2}, whole_case{25, 25, 25}, whole_case{0.0, 0, 0},
        whole_case{-0.0, 0, 0}, whole_case{-0.3, -1, 0}, whole_case{-2.5, -3, -2},
        whole_case{-2.9999999999995, -3, -2}, whole_case{-3.0000000000001, -4, -3},
        whole_case{-2.9, -3, -2}, whole_case{2.9, 2, 2},
        // the fraction limit itself, and the next double above it
        whole_case{fraction_limit, 0, 0}, whole_case{std::nextafter(fraction_limit, 2.0), 1, 0},
        // the 32-bit step
        whole_case{2147483647.9, 2147483647, 2147483647},
        whole_case{2147483648.0, -2147483647 - 1, -2147483647 - 1}, whole_case{4294967296.0, 0, 0},
        whole_case{-2147483649.0, 2147483647, 2147483647}, whole_case{4294967301.5, 5, 5},
        whole_case{9223372036854774784.0, -1024, -1024}, whole_case{9223372036854775808.0, 0, 0},
        whole_case{-9223372036854775808.0, 0, 0}, whole_case{1e19, 0, 0}, whole_case{nan, 0, 0},
        whole_case{inf, 0, 0}, whole_case{-inf, 0, 0}));

TEST(number_text, is_plain_decimal_digits) {
    EXPECT_EQ(number_text(0), "0");
    EXPECT_EQ(number_text(42), "42");
    EXPECT_EQ(number_text(-7), "-7");
    EXPECT_EQ(number_text(2147483647), "2147483647");
    EXPECT_EQ(number_text(-2147483647 - 1), "-2147483648");
}

working_values with_stakes(double x, double y, double z, double t) {
    working_values values;
    values.stake_x = x;
    values.stake_y = y;
    values.stake_z = z;
    values.stake_t = t;
    return values;
}

TEST(result_line, joins_the_first_n_stakes_behind_their_prefix) {
    const auto three = with_stakes(42.553191489361701, 31.914893617021278, 25.531914893617024, 9);
    EXPECT_EQ(result_line(3, whole_number_mode::floor_with_tolerance, three), "x:y:z=42:31:25");
    EXPECT_EQ(result_line(3, whole_number_mode::truncate, three), "x:y:z=42:31:25");

    const auto two = with_stakes(74.99999999999999, 25, 7, 7);
    EXPECT_EQ(result_line(2, whole_number_mode::floor_with_tolerance, two), "x:y=75:25");
    EXPECT_EQ(result_line(2, whole_number_mode::truncate, two), "x:y=74:25");

    const auto four = with_stakes(-0.3, 0, 2147483648.0, nan);
    EXPECT_EQ(result_line(4, whole_number_mode::floor_with_tolerance, four),
              "x:y:z:t=-1:0:-2147483648:0");
}

}  // namespace
}  // namespace quorvel
