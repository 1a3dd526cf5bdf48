#pragma once

#include <cstdint>

#include "calc/bit_cast.h"

namespace quorvel {

// A binary floating-point number with a 64-bit significand and a 15-bit exponent range, the
// format in which the rules carry every intermediate result. Each operation forms the exact
// result and rounds it once to 64 significant bits, to nearest with ties to even; results beyond
// the range overflow to an infinity, and results below the smallest normal value lose precision
// gradually down to 2^-16445. Division by zero gives an infinity, 0 / 0, infinity - infinity,
// infinity / infinity and 0 x infinity give the default not-a-number, and a not-a-number operand
// passes through. Everything is computed with integers, so the bits are the same on every CPU,
// whatever state its floating-point unit is in.
class extended {
  public:
    // A double, exactly.
    // NOLINTNEXTLINE(google-explicit-constructor): a double widens exactly
    extended(double value) : extended(widened(bit_cast<std::uint64_t>(value))) {}

    friend extended operator+(extended a, extended b);
    friend extended operator-(extended a, extended b);
    friend extended operator*(extended a, extended b);
    friend extended operator/(extended a, extended b);
    extended& operator+=(extended b) { return *this = *this + b; }

    // Ordered comparisons: false when either side is not a number; +0 and -0 are equal.
    friend bool operator<(extended a, extended b);
    friend bool operator>(extended a, extended b) { return b < a; }

    [[nodiscard]] bool is_nan() const { return kind_ == kind::nan; }

    enum class kind : std::uint8_t { zero, finite, infinite, nan };
    // The fields of the representation, for comparing two numbers bit for bit.
    struct fields {
        kind what;
        bool negative;
        std::int32_t exponent;
        std::uint64_t significand;
    };
    [[nodiscard]] fields parts() const { return {kind_, negative_, exponent_, significand_}; }
    // The number with these fields, laid out as parts() gives them (a finite number's
    // significand with bit 63 set).
    static extended from_parts(const fields& f) {
        return {f.what, f.negative, f.exponent, f.significand};
    }

    // The nearest double, ties to even, with the double's subnormals and its overflow to an
    // infinity: the value a store of this number into a double holds.
    [[nodiscard]] double to_double() const {
        if (kind_ == kind::finite && exponent_ >= -1022 && exponent_ < 1023) {
            // The usual case, a normal double: keep the top 53 bits and round on the 11 others;
            // a carry out of the 53 bits moves on into the exponent field, as it should.
            std::uint64_t kept = significand_ >> 11U;
            const std::uint64_t rest = significand_ & 0x7FFU;
            if (rest > 0x400U || (rest == 0x400U && (kept & 1U) != 0)) {
                ++kept;
            }
            const std::int32_t biased = exponent_ + 1023;  // 1 to 2045 here
            return bit_cast<double>(
                (negative_ ? 1ULL << 63U : 0) |
                ((static_cast<std::uint64_t>(biased) << 52U) + (kept - (1ULL << 52U))));
        }
        return to_double_elsewhere(*this);
    }

  private:
    extended(kind k, bool negative, std::int32_t exponent, std::uint64_t significand)
        : kind_(k), negative_(negative), exponent_(exponent), significand_(significand) {}

    static extended widened(std::uint64_t bits) {
        const auto biased = static_cast<std::int32_t>((bits >> 52U) & 0x7FFU);
        if (biased != 0 && biased != 0x7FF) {  // a normal double
            return {kind::finite, (bits >> 63U) != 0, biased - 1023, (bits << 11U) | (1ULL << 63U)};
        }
        return widened_elsewhere(bits);
    }
    // Zeros, subnormals, infinities and not-a-numbers.
    static extended widened_elsewhere(std::uint64_t bits);
    // Subnormal doubles, zeros, infinities, not-a-numbers and overflows. The number is taken by
    // value, so that the usual case can keep it in registers.
    static double to_double_elsewhere(extended value);

    friend struct extended_arithmetic;

    kind kind_;
    bool negative_;
    // Finite: value = significand_ x 2^(exponent_ - 63), with bit 63 of significand_ set.
    // Not a number: significand_ holds the payload as the 64-bit format lays it out (bit 63 set,
    // bit 62 the quiet bit).
    std::int32_t exponent_;
    std::uint64_t significand_;
};

}  // namespace quorvel
