// The floating-point environment: plain after start-up, held for the length of each press and then
// given back, and no outcome depends on what foreign code did to it.
#include "calc/fp_environment.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/equal_return_split.h"
#include "calc/highest_odds_break_even.h"
#include "calc/lowest_odds_break_even.h"
#include "calc/text_to_number.h"
#include "fake_window.h"
#include "rule_cases.h"

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace quorvel {
namespace {

#if defined(__x86_64__)
std::uint16_t x87_control() {
    std::uint16_t word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}
void load_x87_control(std::uint16_t word) {
    __asm__ volatile("fldcw %0" : : "m"(word));
}
#endif

// What foreign code might leave behind: rounding toward zero, and where the hardware has them,
// the x87 at 53-bit precision and subnormal numbers flushed to zero. The test's own environment
// comes back at the end.
class foreign_environment {
  public:
    foreign_environment() {
        std::fegetenv(&saved_);
        std::fesetround(FE_TOWARDZERO);
#if defined(__x86_64__)
        load_x87_control(static_cast<std::uint16_t>((x87_control() & ~0x0300U) | 0x0200U));
        _mm_setcsr(_mm_getcsr() | 0x8040U);  // flush to zero, denormals are zero
#elif defined(__aarch64__)
        std::fenv_t environment{};
        std::fegetenv(&environment);
        environment.__fpcr |= 0x1000000U;  // flush to zero
        std::fesetenv(&environment);
#endif
    }
    ~foreign_environment() {
        std::fesetenv(&saved_);
    }
    foreign_environment(const foreign_environment&) = delete;
    foreign_environment& operator=(const foreign_environment&) = delete;

    static bool in_force() {
#if defined(__x86_64__)
        if ((x87_control() & 0x0300U) != 0x0200U || (_mm_getcsr() & 0x8040U) != 0x8040U) {
            return false;
        }
#endif
        return std::fegetround() == FE_TOWARDZERO;
    }

  private:
    std::fenv_t saved_{};
};

// Divides at run time, so the compiler cannot fold the operation away.
double divide(double a, double b) {
    volatile double numerator = a;
    volatile double denominator = b;
    return numerator / denominator;
}

std::string text_of(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Presses whose outcome lies close to the overall check: the reciprocals of the odds add up to
// within a few units of 1e-7 / total of 1, so a single misrounding anywhere shows.
std::vector<testing::press_case> near_threshold_presses(int count) {
    std::mt19937_64 random(20261211);
    std::vector<testing::press_case> presses;
    for (int i = 0; i < count; ++i) {
        const auto total = static_cast<double>(random() % 100000 + 1);
        const std::size_t n = 2 + static_cast<std::size_t>(i % 3);
        std::vector<std::string> texts = {text_of(total)};
        double reciprocals = 0.0;
        for (std::size_t k = 0; k + 1 < n; ++k) {
            const double odds =
                static_cast<double>(random() % 1900 + 101) / 100.0 * static_cast<double>(n);
            reciprocals += 1.0 / odds;
            texts.push_back(text_of(odds));
        }
        const double margin =
            1e-7 / total * (static_cast<double>(random() % 2001) / 1000.0);  // 0 to 2e-7 / total
        texts.push_back(text_of(1.0 / (1.0 - reciprocals - margin)));
        presses.push_back({static_cast<button>(i % 3), texts, {}});
    }
    // One that 53-bit x87 precision used to turn from a notice into a result line.
    presses.push_back({button::按钮1, {"84446", "2.96", "8.25", "1.8485995458026836"}, {}});
    for (const auto& c : testing::rule_cases()) {
        presses.push_back(c);
    }
    return presses;
}

TEST(fp_environment, is_plain_after_start_up) {
    EXPECT_TRUE(fp_environment_is_set());
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

TEST(fp_environment, divisions_by_zero_give_infinities_without_a_trap) {
    EXPECT_EQ(divide(1.0, 0.0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(divide(-1.0, 0.0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(divide(0.0, 0.0)));
}

TEST(fp_environment, a_scope_sets_the_plain_environment_and_gives_the_callers_back) {
    const foreign_environment foreign;
    ASSERT_TRUE(foreign_environment::in_force());
    EXPECT_FALSE(fp_environment_is_set());
    {
        const fp_environment_scope scope;
        EXPECT_TRUE(fp_environment_is_set());
        const double smallest = std::numeric_limits<double>::denorm_min();
        EXPECT_EQ(divide(smallest * 4, 2.0), smallest * 2);  // subnormals are kept
    }
    EXPECT_TRUE(foreign_environment::in_force());
}

TEST(fp_environment, presses_end_the_same_whatever_foreign_code_left_between_them) {
    const auto presses = near_threshold_presses(20000);
    std::vector<std::string> plain;
    working_values values;
    for (const auto& p : presses) {
        plain.push_back(testing::press(p.pressed, p.texts, values).shown());
    }
    EXPECT_EQ(plain[presses.size() - testing::rule_cases().size() - 1], "赔率不够！(2)");

    const foreign_environment foreign;
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const auto& p = presses[i];
        ASSERT_EQ(testing::press(p.pressed, p.texts, values).shown(), plain[i]) << p;
        ASSERT_TRUE(foreign_environment::in_force()) << "the press did not give it back";
    }
}

// Without a press's scope around them, text reading and the rules give the same bits in the
// foreign environment as in the plain one.
TEST(fp_environment, text_reading_and_the_rules_do_not_depend_on_it) {
    std::mt19937_64 random(7);
    std::vector<std::string> texts = {"9728.42", "0.1", "2.0000001", "1e-320",
                                      "1.7976931348623157e308"};
    for (int i = 0; i < 20000; ++i) {
        texts.push_back(std::to_string(random() % 10000000) + "." + std::to_string(random() % 100));
    }
    const auto presses = near_threshold_presses(2000);
    const auto run_rules = [&presses]() {
        std::vector<double> stored;
        for (const auto& p : presses) {
            working_values values;
            values.total = text_to_number(p.texts[0]);
            const int n = static_cast<int>(p.texts.size()) - 1;
            for (int k = 0; k < n; ++k) {
                values.*odds_of.at(static_cast<std::size_t>(k)) =
                    text_to_number(p.texts.at(static_cast<std::size_t>(k) + 1));
            }
            testing::fake_window window;
            switch (p.pressed) {
                case button::按钮1:
                    equal_return_split(n, values, window);
                    break;
                case button::按钮2:
                    lowest_odds_break_even(n, values, window);
                    break;
                case button::按钮3:
                    highest_odds_break_even(n, values, window);
                    break;
            }
            for (const double value :
                 {values.stake_x, values.stake_y, values.stake_z, values.stake_t, values.scratch_a,
                  values.scratch_b, values.scratch_c, values.pivot_odds}) {
                stored.push_back(value);
            }
        }
        return stored;
    };

    std::vector<double> plain_numbers;
    for (const auto& text : texts) {
        plain_numbers.push_back(text_to_number(text));
    }
    const std::vector<double> plain_rules = run_rules();
    EXPECT_EQ(plain_numbers[0], 9728.42);

    const foreign_environment foreign;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const double value = text_to_number(texts[i]);
        ASSERT_EQ(std::memcmp(&value, &plain_numbers[i], sizeof value), 0) << texts[i];
    }
    const std::vector<double> foreign_rules = run_rules();
    ASSERT_EQ(foreign_rules.size(), plain_rules.size());
    EXPECT_EQ(
        std::memcmp(foreign_rules.data(), plain_rules.data(), plain_rules.size() * sizeof(double)),
        0);
}

}  // namespace
}  // namespace quorvel
