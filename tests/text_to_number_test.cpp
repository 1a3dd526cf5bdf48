#include "calc/text_to_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace quorvel {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

// The C library's correctly rounded reading of a plain ASCII number (in the "C" locale).
double standard_reading(const std::string& ascii) {
    return std::strtod(ascii.c_str(), nullptr);
}

struct reading_case {
    std::string text;
    double value;
};

// Shows the text with its high bytes as \xHH, so that a failing row reads like the case.
void PrintTo(const reading_case& c, std::ostream* out) {
    *out << '"';
    for (const char c_byte : c.text.substr(0, 60)) {
        const auto byte = static_cast<unsigned char>(c_byte);
        if (byte >= 0x20 && byte < 0x7F) {
            *out << byte;
        } else {
            const char* hex = "0123456789ABCDEF";
            *out << "\\x" << hex[byte >> 4U] << hex[byte & 0xFU];
        }
    }
    *out << "\" reads as " << c.value;
}

class reads_as : public ::testing::TestWithParam<reading_case> {};

TEST_P(reads_as, the_double_of_its_number) {
    const double value = text_to_number(GetParam().text);
    EXPECT_EQ(value, GetParam().value);
    EXPECT_EQ(std::signbit(value), std::signbit(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    box_texts, reads_as,
    ::testing::Values(
        reading_case{"12.5", 12.5}, reading_case{"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 12.5},
        reading_case{"\xA1\xA1"
                     "7",
                     7},
        reading_case{"   8", 8}, reading_case{"\t\n\v\f\r 9", 9}, reading_case{"1.5abc", 1.5},
        reading_case{"abc", 0}, reading_case{"-2", -2}, reading_case{"+3", 3},
        reading_case{".5", 0.5}, reading_case{"5.", 5}, reading_case{"1e2", 100},
        reading_case{"2d1", 20}, reading_case{"2D-1", 0.2}, reading_case{"1E+2", 100},
        reading_case{"1e", 1}, reading_case{"1e+", 1}, reading_case{"1ex", 1},
        reading_case{"1,5", 1}, reading_case{"1.2.3", 1.2}, reading_case{"0x10", 0},
        reading_case{"--1", 0}, reading_case{"- 1", 0}, reading_case{"1e999", inf},
        reading_case{"-1e999", -inf}, reading_case{"1e-999", 0}, reading_case{"-1e-999", -0.0},
        reading_case{"", 0}, reading_case{".", 0}, reading_case{"-", 0}, reading_case{"-.", 0},
        reading_case{"-0", -0.0}, reading_case{"inf", 0}, reading_case{"nan", 0},
        reading_case{"infinity", 0}, reading_case{"1.5.2-3", 1.5},
        // full-width sign and exponent letters, and a full-width space before the number
        reading_case{"\xA3\xAD\xA3\xB3\xA3\xC5\xA3\xB2", -300},
        reading_case{"\xA3\xAB\xA3\xB4\xA3\xE5\xA3\xAD\xA3\xB1", 0.4},
        // a lone lead byte at the end is dropped; other pairs end the number
        reading_case{"12\xA3", 12}, reading_case{"\xB0", 0}, reading_case{"1\xA3\xB0", 10},
        reading_case{"5\xC4\xFA"
                     "5",
                     5},
        reading_case{"\x81"
                     "5",
                     0},
        reading_case{"\xA1\xAB"
                     "1",
                     0},
        reading_case{"\xA1\xEE"
                     "1",
                     0},
        reading_case{"\xFF\xFF"
                     "3",
                     0},
        reading_case{"3\xFF", 3},
        // rounding at the edges of the double range
        reading_case{"9007199254740993", 9007199254740992.0},
        reading_case{"9007199254740993.000000000000000000000000000001", 9007199254740994.0},
        reading_case{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        reading_case{"1.7976931348623159e308", inf},
        reading_case{"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        reading_case{"2.4703282292062327e-324", 0.0},
        reading_case{"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
        reading_case{"2.2250738585072011e-308", 2.2250738585072009e-308}));

std::string repeated(char c, std::size_t count) {
    return std::string(count, c);
}

TEST(text_to_number, long_mantissas_are_rounded_correctly) {
    // Digits far beyond the point where a double is decided still break a tie.
    EXPECT_EQ(text_to_number("9007199254740993" + repeated('0', 10000) + "1e-10001"),
              9007199254740994.0);
    EXPECT_EQ(text_to_number("9007199254740993." + repeated('0', 10000) + "1"), 9007199254740994.0);
    EXPECT_EQ(text_to_number("9007199254740993." + repeated('0', 10000)), 9007199254740992.0);
    EXPECT_EQ(text_to_number("0." + repeated('9', 10000)), 1.0);
    EXPECT_EQ(text_to_number("0." + repeated('0', 9999) + "1e10000"), 1.0);
    EXPECT_EQ(text_to_number("1" + repeated('0', 10000) + "e-10000"), 1.0);
    EXPECT_EQ(text_to_number(repeated('0', 10000) + "2.5"), 2.5);
    EXPECT_EQ(text_to_number("1" + repeated('0', 10000)), inf);
}

TEST(text_to_number, long_exponents_saturate_to_infinity_or_zero) {
    const std::string forty_nines = repeated('9', 40);
    EXPECT_EQ(text_to_number("1e" + forty_nines), inf);
    EXPECT_EQ(text_to_number("-1e" + forty_nines), -inf);
    EXPECT_EQ(text_to_number("1e-" + forty_nines), 0.0);
    EXPECT_EQ(text_to_number("0e" + forty_nines), 0.0);
    EXPECT_EQ(text_to_number("0." + repeated('0', 500) + "1e" + forty_nines), inf);
    EXPECT_EQ(text_to_number("1e-" + repeated('0', 40) + "2"), 0.01);
}

TEST(text_to_number, matches_the_standard_reading_of_random_numbers) {
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> length(1, 30);
    std::uniform_int_distribution<int> exponent(-340, 320);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int digits = length(random);
        const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point) {
                text += '.';
            }
            text += static_cast<char>('0' + digit(random));
        }
        if (random() % 2) {
            text += "e" + std::to_string(exponent(random));
        }
        const double expected = standard_reading(text);
        ASSERT_EQ(text_to_number(text), expected) << text;
        // The same number with a d exponent, and in full-width characters, reads the same.
        std::string with_d = text;
        std::string full_width;
        for (char& c : with_d) {
            full_width += '\xA3';
            full_width += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
            if (c == 'e') {
                c = 'd';
            }
        }
        ASSERT_EQ(text_to_number(with_d), expected) << with_d;
        ASSERT_EQ(text_to_number(full_width), expected) << text;
    }
}

TEST(text_to_number, reads_a_full_stop_under_a_comma_locale) {
    // The test environment provides this locale; its decimal point is a comma.
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(text_to_number("1.5"), 1.5);
    EXPECT_EQ(text_to_number("1,5"), 1.0);
    std::setlocale(LC_ALL, "C");
}

TEST(text_to_number, any_bytes_read_safely) {
    // Every pair of high and low bytes, and long runs of high bytes, read without fault.
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const std::string text = {static_cast<char>(lead), static_cast<char>(trail), '7'};
            const double value = text_to_number(text);
            const bool folds_to_digit = lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9;
            const bool folds_to_blank = lead == 0xA1 && trail == 0xA1;
            const bool folds_to_sign = lead == 0xA3 && (trail == 0xAB || trail == 0xAD);
            const bool folds_to_point = lead == 0xA3 && trail == 0xAE;
            if (folds_to_digit) {
                EXPECT_EQ(value, (trail - 0xB0) * 10 + 7);
            } else if (folds_to_blank) {
                EXPECT_EQ(value, 7);
            } else if (folds_to_sign) {
                EXPECT_EQ(std::fabs(value), 7);
            } else if (folds_to_point) {
                EXPECT_EQ(value, 0.7);
            } else {
                EXPECT_EQ(value, 0.0) << lead << " " << trail;
            }
        }
    }
    EXPECT_EQ(text_to_number(std::string(100001, '\xA3')), 0.0);
    EXPECT_EQ(text_to_number(std::string("\0"
                                         "5",
                                         2)),
              0.0);
}

}  // namespace
}  // namespace quorvel
