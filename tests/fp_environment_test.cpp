#include "calc/fp_environment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvel {
namespace {

void load_x87_control(std::uint16_t word) {
    __asm__ volatile("fldcw %0" : : "m"(word));
}
void load_mxcsr(std::uint32_t word) {
    __asm__ volatile("ldmxcsr %0" : : "m"(word));
}

// Divides at run time, so the compiler cannot fold the operation away.
template <class T>
T divide(T a, T b) {
    volatile T numerator = a;
    volatile T denominator = b;
    return numerator / denominator;
}

TEST(fp_environment, carries_a_64_bit_significand) {
    EXPECT_EQ(x87_precision_control(), 3U);
    EXPECT_TRUE(fp_environment_is_set());
    volatile long double one = 1.0L;
    const long double tiny = std::ldexp(1.0L, -62);
    EXPECT_EQ((one + tiny) - one, tiny);
}

TEST(fp_environment, divisions_by_zero_give_infinities_without_a_trap) {
    EXPECT_EQ(divide(1.0L, 0.0L), std::numeric_limits<long double>::infinity());
    EXPECT_EQ(divide(-1.0, 0.0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(divide(0.0L, 0.0L)));
}

TEST(fp_environment, is_restored_from_any_earlier_setting) {
    // 53-bit precision, rounding toward zero, division traps unmasked; flush-to-zero on SSE.
    load_x87_control(0x0E3B);
    load_mxcsr(0x9F80 & ~0x0200U);
    EXPECT_FALSE(fp_environment_is_set());
    set_fp_environment();
    EXPECT_TRUE(fp_environment_is_set());
    EXPECT_EQ(x87_precision_control(), 3U);
    const double smallest = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(divide(smallest * 4, 2.0), smallest * 2);  // subnormals are kept
    EXPECT_EQ(divide(1.0L, 3.0L) * 3.0L, 1.0L);
}

}  // namespace
}  // namespace quorvel
