#include "cli/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace quorvel::cli {
namespace {

std::string standard_shortest(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

// The WebAssembly build writes numbers from {fmt}'s digits; they must read as std::to_chars
// writes them here, in both forms and at the ties between them.
TEST(number_text, shortest_text_from_digits_writes_what_to_chars_writes) {
    for (const double value :
         {0.0, -0.0, 1.0, 2.5, -3.75, 1e22, 1e23, 123456789012345680000.0, 0.0001, 1e-5, 5e-324,
          1.7976931348623157e308, 100.0, 1234.5, std::ldexp(1.0, 70), 0.1 + 0.2}) {
        EXPECT_EQ(shortest_text_from_digits(value), standard_shortest(value)) << value;
    }
    std::mt19937_64 random(2024);
    for (int i = 0; i < 300000; ++i) {
        double value = 0;
        const std::uint64_t bits = random();
        switch (i % 3) {
            case 0:
                std::memcpy(&value, &bits, sizeof value);
                break;
            case 1:
                value =
                    std::ldexp(static_cast<double>(bits >> 11U), static_cast<int>(bits % 140) - 60);
                break;
            default:
                value = static_cast<double>(bits % 100000) / static_cast<double>(1 + bits % 977);
        }
        if (std::isfinite(value)) {
            ASSERT_EQ(shortest_text_from_digits(value), standard_shortest(value)) << value;
        }
    }
}

TEST(number_text, two_decimals_round_the_exact_value) {
    EXPECT_EQ(two_decimals_text(0.125), "0.12");  // exactly halfway: to even
    EXPECT_EQ(two_decimals_text(0.375), "0.38");
    EXPECT_EQ(two_decimals_text(2.675), "2.67");  // just below 2.675 in binary
    EXPECT_EQ(two_decimals_text(-1.005), "-1.00");
    EXPECT_EQ(two_decimals_text(1e20), "100000000000000000000.00");
}

}  // namespace
}  // namespace quorvel::cli
