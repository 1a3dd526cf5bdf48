// The extended type against its hardware witness: the x87, set inside the test to a 64-bit
// significand, rounding to nearest and every exception masked, runs the same operations on the
// same operands, and every result must have the same bits. Operands come from generators aimed at
// the hard cases: random numbers over the whole range, quotients and products next to a 64-bit
// or a 53-bit rounding midpoint (where rounding twice differs from rounding once), sums that
// cancel, results at the edges of the double's and the extended format's range, zeros,
// infinities and not-a-numbers.
//
// QUORVEL_WITNESS_OPERATIONS sets how many operations of each kind run (1,000,000 by default).
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include "calc/extended.h"

#if !defined(__x86_64__)
#error "the x87 witness runs on x86-64 only"
#endif

static_assert(std::numeric_limits<long double>::digits == 64, "long double is the x87 format");

namespace quorvel {
namespace {

__extension__ using uint128 = unsigned __int128;

// The x87 control word for the length of a test: 64-bit significand, round to nearest, every
// exception masked; the earlier one comes back at the end.
class x87_at_64_bits {
  public:
    x87_at_64_bits() {
        __asm__ volatile("fnstcw %0" : "=m"(saved_));
        load(0x037F);
    }
    ~x87_at_64_bits() { load(saved_); }
    x87_at_64_bits(const x87_at_64_bits&) = delete;
    x87_at_64_bits& operator=(const x87_at_64_bits&) = delete;

  private:
    static void load(std::uint16_t word) { __asm__ volatile("fldcw %0" : : "m"(word)); }
    std::uint16_t saved_ = 0;
};

// A number as the x87 lays it out in memory: 64-bit significand (integer bit explicit), then
// sign and 15-bit biased exponent.
struct x87_layout {
    std::uint16_t sign_exponent = 0;
    std::uint64_t significand = 0;
    bool operator==(const x87_layout&) const = default;
};

constexpr std::int32_t x87_bias = 16383;
constexpr std::int32_t smallest_normal_exponent = -16382;
constexpr std::uint64_t top_bit = 1ULL << 63;

x87_layout layout_of(long double value) {
    x87_layout layout;
    std::memcpy(&layout.significand, &value, sizeof layout.significand);
    std::memcpy(&layout.sign_exponent, reinterpret_cast<const char*>(&value) + 8,
                sizeof layout.sign_exponent);
    return layout;
}

long double hardware_number(x87_layout layout) {
    long double value = 0;
    std::memcpy(&value, &layout.significand, sizeof layout.significand);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &layout.sign_exponent,
                sizeof layout.sign_exponent);
    return value;
}

x87_layout layout_of(const extended& value) {
    const auto f = value.parts();
    const auto sign = static_cast<std::uint16_t>(f.negative ? 0x8000 : 0);
    switch (f.what) {
        case extended::kind::zero:
            return {sign, 0};
        case extended::kind::infinite:
            return {static_cast<std::uint16_t>(sign | 0x7FFF), top_bit};
        case extended::kind::nan:
            return {static_cast<std::uint16_t>(sign | 0x7FFF), f.significand};
        case extended::kind::finite:
            break;
    }
    if (f.exponent >= smallest_normal_exponent) {
        return {static_cast<std::uint16_t>(sign | (f.exponent + x87_bias)), f.significand};
    }
    const std::int32_t shift = smallest_normal_exponent - f.exponent;  // a denormal
    return {sign, shift >= 64 ? 0 : f.significand >> static_cast<unsigned>(shift)};
}

// The portable number with the value of a valid x87 layout.
extended portable_number(x87_layout layout) {
    const bool negative = (layout.sign_exponent & 0x8000) != 0;
    const std::int32_t biased = layout.sign_exponent & 0x7FFF;
    using kind = extended::kind;
    if (biased == 0x7FFF) {
        const bool infinite = (layout.significand << 1U) == 0;
        return extended::from_parts(
            {infinite ? kind::infinite : kind::nan, negative, 0, layout.significand});
    }
    if (layout.significand == 0) {
        return extended::from_parts({kind::zero, negative, 0, 0});
    }
    const int top = 63 - std::countl_zero(layout.significand);
    const std::int32_t exponent =
        (biased == 0 ? smallest_normal_exponent : biased - x87_bias) - (63 - top);
    return extended::from_parts(
        {kind::finite, negative, exponent, layout.significand << static_cast<unsigned>(63 - top)});
}

// One operand, on both sides.
struct operand {
    long double hardware;
    extended portable;
};

operand from_layout(x87_layout layout) {
    return {hardware_number(layout), portable_number(layout)};
}

operand from_double(double value) {
    return {static_cast<long double>(value), extended(value)};
}

// The x87 layout of a finite number significand x 2^(exponent - 63), significand with bit 63 set;
// denormal, zero or infinite where the exponent leaves the range.
x87_layout finite_layout(bool negative, std::int32_t exponent, std::uint64_t significand) {
    const auto sign = static_cast<std::uint16_t>(negative ? 0x8000 : 0);
    if (exponent > x87_bias) {
        return {static_cast<std::uint16_t>(sign | 0x7FFF), top_bit};
    }
    if (exponent >= smallest_normal_exponent) {
        return {static_cast<std::uint16_t>(sign | (exponent + x87_bias)), significand};
    }
    const std::int32_t shift = smallest_normal_exponent - exponent;
    return {sign, shift >= 64 ? 0 : significand >> static_cast<unsigned>(shift)};
}

// The inverse of an odd number modulo 2^128, by Newton's iteration.
uint128 inverse(uint128 odd) {
    uint128 x = odd;  // right to 3 bits
    for (int i = 0; i < 6; ++i) {
        x *= 2 - odd * x;
    }
    return x;
}

uint128 low_bits(uint128 value, int count) {
    return count >= 128 ? value : value & ((uint128{1} << static_cast<unsigned>(count)) - 1);
}

int bit_length(uint128 value) {
    int length = 0;
    while (value != 0) {
        value >>= 1U;
        ++length;
    }
    return length;
}

class operand_source {
  public:
    explicit operand_source(std::uint64_t seed) : random_(seed) {}

    std::uint64_t bits() { return random_(); }
    std::uint64_t pick(std::uint64_t count) { return random_() % count; }
    bool coin() { return (random_() & 1U) != 0; }
    std::int32_t between(std::int32_t low, std::int32_t high) {
        return low + static_cast<std::int32_t>(pick(static_cast<std::uint64_t>(high - low + 1)));
    }

    // Any double: every bit pattern, not-a-numbers, infinities and subnormals included.
    operand any_double() { return from_double(std::bit_cast<double>(bits())); }

    // A total or an odds as people type them.
    operand typical_double() {
        const double scales[] = {1.0, 10.0, 100.0, 1000.0, 1e8};
        const double value = static_cast<double>(pick(100000) + 1) / scales[pick(5)];
        return from_double(coin() ? value : -value);
    }

    // A finite number with a random 64-bit significand and an exponent in [low, high].
    operand extended_between(std::int32_t low, std::int32_t high) {
        return from_layout(finite_layout(coin(), between(low, high), bits() | top_bit));
    }

    operand any_extended() { return extended_between(-16450, 16383); }

    // A double with a random significand and an exponent in [low, high].
    operand double_between(int low, int high) {
        const double significand = 1.0 + static_cast<double>(bits() >> 12U) * 0x1p-52;
        const double value = std::ldexp(significand, between(low, high));
        return from_double(coin() ? value : -value);
    }

    operand special() {
        switch (pick(7)) {
            case 0:
                return from_double(coin() ? 0.0 : -0.0);
            case 1:
                return from_double(coin() ? HUGE_VAL : -HUGE_VAL);
            case 2: {  // payloads from a small set too, so that two of them are often alike
                const std::uint64_t payload = coin() ? bits() >> 12U : 0x8000000000000ULL | pick(3);
                return from_double(std::bit_cast<double>(0x7FF0000000000000ULL | payload |
                                                         (coin() ? top_bit : 0)));
            }
            case 3:  // a not-a-number of the 64-bit format with its own payload
                return from_layout({static_cast<std::uint16_t>(coin() ? 0xFFFF : 0x7FFF),
                                    bits() | top_bit | (1ULL << 62U)});
            case 4:
                return from_layout({static_cast<std::uint16_t>(coin() ? 0x8000 : 0), bits() >> 1U});
            case 5:
                return from_double(std::numeric_limits<double>::denorm_min());
            default:
                return any_double();
        }
    }

    // A random odd number of exactly `length` bits.
    uint128 odd_of_length(int length) {
        const uint128 random_bits = (uint128{bits()} << 64U) | bits();
        return low_bits(random_bits, length - 1) |
               (uint128{1} << static_cast<unsigned>(length - 1)) | 1U;
    }

    // A small odd offset from a midpoint.
    std::int64_t offset() {
        const std::int64_t offsets[] = {-3, -1, 1, 3};
        return offsets[pick(4)];
    }

    // Operands whose exact quotient lies within a tiny offset of a midpoint: divisor B (odd, of
    // divisor_length bits) and dividend A with A x 2^k = B x Q + c, Q odd of k bits, so that
    // A / B = (Q + c / B) / 2^k. Q of 65 bits puts the quotient next to a 64-bit midpoint; Q
    // of 54 bits next to a 53-bit one, which rounding to 64 bits first turns into a tie.
    std::pair<operand, operand> near_midpoint_quotient() {
        static constexpr std::array<std::array<int, 2>, 4> shapes = {
            {{53, 54}, {53, 65}, {63, 54}, {63, 65}}};
        for (;;) {
            const auto [divisor_length, k] = shapes.at(pick(shapes.size()));
            const uint128 divisor = odd_of_length(divisor_length);
            const std::int64_t c = offset();
            const uint128 minus_c = c < 0 ? uint128(-c) : -uint128(c);
            const uint128 q = low_bits(minus_c * inverse(divisor), k);
            if (bit_length(q) != k) {
                continue;
            }
            const uint128 product = divisor * q + static_cast<uint128>(c);  // below 2^128
            const uint128 dividend = product >> static_cast<unsigned>(k);
            if (dividend == 0) {
                continue;
            }
            const std::int32_t exponent_a = between(-200, 200);
            const std::int32_t exponent_b = exponent_a - between(-3, 3);
            return {number(dividend, exponent_a), number(divisor, exponent_b)};
        }
    }

    // Operands whose exact product has its dropped bits next to a midpoint: A odd, and B chosen
    // so that A x B = 2^(k-1) + c modulo 2^k, with k the count of bits that rounding to 64 bits
    // (or to 53) drops. Both operands are doubles in half the cases.
    std::pair<operand, operand> near_midpoint_product() {
        for (;;) {
            const int shape = static_cast<int>(pick(4));
            const int length_a = shape < 2 ? 53 : 64;
            const int k = std::array{42, 53, 64, 53}[static_cast<std::size_t>(shape)];
            const uint128 a = odd_of_length(length_a);
            const std::int64_t c = offset();
            const uint128 target =
                (uint128{1} << static_cast<unsigned>(k - 1)) + static_cast<uint128>(c);
            uint128 b = low_bits(target * inverse(a), k);
            if (shape == 0) {
                b |= uint128{pick(1U << 11U) | (1U << 10U)} << static_cast<unsigned>(k);
            }
            const int length_b = bit_length(b);
            if (b == 0 || length_b > (shape < 2 ? 53 : 64)) {
                continue;
            }
            const std::int32_t exponent_a = between(-200, 200);
            return {number(a, exponent_a), number(b, between(-200, 200))};
        }
    }

    // Two operands whose sum (or difference) lands next to a rounding midpoint of the larger:
    // the smaller one sits at the last place of the 64-bit or the 53-bit significand.
    std::pair<operand, operand> near_midpoint_sum() {
        const operand a = coin() ? extended_between(-300, 300) : double_between(-300, 300);
        const std::int32_t lead = a.portable.parts().exponent;
        const std::int32_t place = lead - (coin() ? 64 : 53) + between(-2, 1);
        // A significand of a few set bits: a power of two, or one with a bit below, often at its
        // very end, where aligning it to the larger operand pushes that bit out.
        std::uint64_t significand = top_bit;
        if (coin()) {
            significand |= 1ULL << (coin() ? pick(63) : pick(3));
        }
        return {a, from_layout(finite_layout(coin(), place, significand))};
    }

    // Two operands that nearly cancel: the same magnitude a few units apart, signs to cancel.
    std::pair<operand, operand> cancelling() {
        const auto a = extended_between(-500, 500);
        const auto f = a.portable.parts();
        const std::uint64_t nudge = pick(8);
        const std::uint64_t other = coin()
                                        ? f.significand - std::min(nudge, f.significand - top_bit)
                                        : f.significand + std::min(nudge, ~f.significand);
        return {a, from_layout(finite_layout(
                       coin(), f.exponent - static_cast<std::int32_t>(pick(2)), other))};
    }

    // A general pair for one operation: one of the shapes above, in turns.
    std::pair<operand, operand> pair(std::uint64_t turn,
                                     const std::function<std::pair<operand, operand>()>& aimed) {
        switch (turn % 10) {
            case 0:
                return {any_double(), any_double()};
            case 1:
                return {any_extended(), any_extended()};
            case 2:
                return {typical_double(), typical_double()};
            case 3:
            case 4:
                return aimed();
            case 5:  // results near the double's subnormal range and its overflow
                return {double_between(-600, 600), double_between(-600, 600)};
            case 6:  // results near the extended format's smallest normal number
                return {extended_between(-8300, -8100), extended_between(-8300, -8100)};
            case 7:  // results near the extended format's overflow
                return {extended_between(8100, 8300), extended_between(-8300, 8300)};
            case 8:
                return {special(), coin() ? special() : any_extended()};
            default:
                return {extended_between(-16450, -16300), extended_between(-100, 100)};
        }
    }

  private:
    // significand x 2^exponent for an integer significand of up to 64 bits.
    static operand number(uint128 significand, std::int32_t exponent) {
        const int length = bit_length(significand);
        const auto normalised =
            static_cast<std::uint64_t>(significand << static_cast<unsigned>(64 - length));
        return from_layout(finite_layout(false, exponent + length - 1, normalised));
    }

    std::mt19937_64 random_;
};

std::uint64_t operations_per_kind() {
    const char* const text = std::getenv("QUORVEL_WITNESS_OPERATIONS");
    return text != nullptr ? std::strtoull(text, nullptr, 10) : 1'000'000;
}

std::string describe(const x87_layout& layout) {
    char text[48];
    std::snprintf(text, sizeof text, "%04x:%016llx", layout.sign_exponent,
                  static_cast<unsigned long long>(layout.significand));
    return text;
}

std::string describe(const operand& a) {
    return describe(layout_of(a.portable));
}

// Counts the results that differ and keeps the first few for the failure message.
class mismatches {
  public:
    void check(bool same, const std::string& what) {
        if (same) {
            return;
        }
        ++count_;
        if (count_ <= 10) {
            examples_ += what + "\n";
        }
    }
    void expect_none(const char* operation, std::uint64_t compared) const {
        EXPECT_EQ(count_, 0U) << operation << ": " << count_ << " of " << compared
                              << " differ, among them:\n"
                              << examples_;
    }

  private:
    std::uint64_t count_ = 0;
    std::string examples_;
};

using hardware_operation = long double (*)(long double, long double);
using portable_operation = extended (*)(const extended&, const extended&);

// Runs one binary operation on both sides over the generated pairs.
void witness_binary(const char* name, hardware_operation on_hardware,
                    portable_operation on_portable,
                    const std::function<std::pair<operand, operand>(operand_source&)>& aimed,
                    std::uint64_t seed) {
    const x87_at_64_bits x87;
    operand_source source(seed);
    mismatches found;
    const std::uint64_t count = operations_per_kind();
    for (std::uint64_t i = 0; i < count; ++i) {
        auto [a, b] = source.pair(i, [&] { return aimed(source); });
        if (source.coin()) {
            std::swap(a, b);
        }
        const x87_layout expected = layout_of(on_hardware(a.hardware, b.hardware));
        const extended result = on_portable(a.portable, b.portable);
        const x87_layout actual = layout_of(result);
        const double expected_double = static_cast<double>(on_hardware(a.hardware, b.hardware));
        const double actual_double = result.to_double();
        found.check(expected == actual && std::bit_cast<std::uint64_t>(expected_double) ==
                                              std::bit_cast<std::uint64_t>(actual_double),
                    describe(a) + " " + name + " " + describe(b) + ": x87 " + describe(expected) +
                        ", portable " + describe(actual));
    }
    found.expect_none(name, count);
}

TEST(extended_against_x87, widening_a_double) {
    const x87_at_64_bits x87;
    operand_source source(1);
    mismatches found;
    const std::uint64_t count = operations_per_kind();
    for (std::uint64_t i = 0; i < count; ++i) {
        const double value = std::bit_cast<double>(source.bits());
        const x87_layout expected = layout_of(static_cast<long double>(value));
        found.check(expected == layout_of(extended(value)), describe(expected));
    }
    found.expect_none("widening", count);
}

TEST(extended_against_x87, addition) {
    witness_binary(
        "+", [](long double a, long double b) { return a + b; },
        [](const extended& a, const extended& b) { return a + b; },
        [](operand_source& s) { return s.coin() ? s.near_midpoint_sum() : s.cancelling(); }, 2);
}

TEST(extended_against_x87, subtraction) {
    witness_binary(
        "-", [](long double a, long double b) { return a - b; },
        [](const extended& a, const extended& b) { return a - b; },
        [](operand_source& s) { return s.coin() ? s.near_midpoint_sum() : s.cancelling(); }, 3);
}

TEST(extended_against_x87, multiplication) {
    witness_binary(
        "*", [](long double a, long double b) { return a * b; },
        [](const extended& a, const extended& b) { return a * b; },
        [](operand_source& s) { return s.near_midpoint_product(); }, 4);
}

TEST(extended_against_x87, division) {
    witness_binary(
        "/", [](long double a, long double b) { return a / b; },
        [](const extended& a, const extended& b) { return a / b; },
        [](operand_source& s) { return s.near_midpoint_quotient(); }, 5);
}

// Rounding to a double, on its own: significands next to a 53-bit midpoint, exponents across
// the subnormal range, the smallest normal double and the overflow.
TEST(extended_against_x87, rounding_to_a_double) {
    const x87_at_64_bits x87;
    operand_source source(6);
    mismatches found;
    const std::uint64_t count = operations_per_kind();
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint64_t significand = source.bits() | top_bit;
        if (source.coin()) {  // the 11 dropped bits at or next to the half
            significand = (significand & ~0x7FFULL) | (0x400U + source.pick(5) - 2);
        }
        const std::int32_t exponents[] = {source.between(-1080, -1015), source.between(1018, 1030),
                                          source.between(-60, 60), source.between(-16450, 16383)};
        const operand a =
            from_layout(finite_layout(source.coin(), exponents[source.pick(4)], significand));
        const auto expected = std::bit_cast<std::uint64_t>(static_cast<double>(a.hardware));
        const auto actual = std::bit_cast<std::uint64_t>(a.portable.to_double());
        found.check(expected == actual, describe(a));
    }
    found.expect_none("to_double", count);
}

// Ordered comparisons, and the check of a difference against 1e-7 and -1e-7, unrounded.
TEST(extended_against_x87, comparisons) {
    const x87_at_64_bits x87;
    operand_source source(7);
    mismatches found;
    const std::uint64_t count = operations_per_kind();
    for (std::uint64_t i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            auto [a, b] = source.pair(i / 2, [&] { return source.cancelling(); });
            found.check((a.hardware < b.hardware) == (a.portable < b.portable) &&
                            (a.hardware > b.hardware) == (a.portable > b.portable),
                        describe(a) + " <> " + describe(b));
            continue;
        }
        // Two doubles whose difference lies within a few units of 1e-7 (or -1e-7).
        const double b = source.typical_double().portable.to_double();
        const double margin = source.coin() ? 1e-7 : -1e-7;
        double a = b + margin;
        for (std::uint64_t k = source.pick(6); k > 0; --k) {
            a = std::nextafter(a, source.coin() ? HUGE_VAL : -HUGE_VAL);
        }
        const long double hardware_difference = static_cast<long double>(a) - b;
        const extended portable_difference = extended(a) - b;
        // The margins are the doubles nearest to 1e-7 and -1e-7, as the rules hold them.
        const long double hardware_margin = 1e-7;
        found.check((hardware_difference > hardware_margin) == (portable_difference > 1e-7) &&
                        (hardware_difference < -hardware_margin) == (portable_difference < -1e-7),
                    describe(from_double(a)) + " - " + describe(from_double(b)));
    }
    found.expect_none("comparisons", count);
}

// Sums of three and four doubles carried at 64 bits, as the rules add their stakes, with terms
// that cancel; every partial sum and the stored total must agree.
TEST(extended_against_x87, sums_of_three_and_four_terms) {
    const x87_at_64_bits x87;
    operand_source source(8);
    mismatches found;
    const std::uint64_t count = operations_per_kind();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t terms = 3 + i % 2;
        std::array<double, 4> t{};
        t[0] = source.double_between(-40, 40).portable.to_double();
        for (std::size_t k = 1; k < terms; ++k) {
            switch (source.pick(4)) {
                case 0:  // cancels an earlier term, to within a few units
                    t[k] = -std::nextafter(t[source.pick(k)], source.coin() ? HUGE_VAL : -HUGE_VAL);
                    break;
                case 1:
                    t[k] = source.double_between(-100, 40).portable.to_double();
                    break;
                case 2:
                    t[k] = source.typical_double().portable.to_double();
                    break;
                default:
                    t[k] = source.special().portable.to_double();
                    break;
            }
        }
        long double hardware_sum = t[0];
        extended portable_sum = t[0];
        bool same = true;
        for (std::size_t k = 1; k < terms; ++k) {
            hardware_sum += t[k];
            portable_sum += t[k];
            same = same && layout_of(hardware_sum) == layout_of(portable_sum);
        }
        same = same && std::bit_cast<std::uint64_t>(static_cast<double>(hardware_sum)) ==
                           std::bit_cast<std::uint64_t>(portable_sum.to_double());
        found.check(same, describe(from_double(t[0])) + " + " + describe(from_double(t[1])) +
                              " + " + describe(from_double(t[2])) + " + " +
                              describe(from_double(t[3])));
    }
    found.expect_none("sums", count);
}

}  // namespace
}  // namespace quorvel
