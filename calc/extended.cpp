#include "calc/extended.h"

#include <algorithm>
#include <utility>

namespace quorvel {

// Wide enough for the exact product of two significands and for a sum with 63 guard bits.
__extension__ using uint128 = unsigned __int128;

namespace {

constexpr int extended_precision = 64;
constexpr std::int32_t extended_min_exponent = -16382;
constexpr std::int32_t extended_max_exponent = 16383;

constexpr int double_precision = 53;
constexpr std::int32_t double_min_exponent = -1022;
constexpr std::int32_t double_max_exponent = 1023;
constexpr int double_fraction_bits = 52;
constexpr std::uint64_t double_fraction_mask = (1ULL << double_fraction_bits) - 1;
constexpr std::uint64_t double_exponent_all_ones = 0x7FF;
constexpr std::int32_t double_bias = 1023;
constexpr std::int32_t double_subnormal_unit = -1074;

constexpr std::uint64_t top_bit = 1ULL << 63;
constexpr std::uint64_t quiet_bit = 1ULL << 62;
constexpr int double_to_extended_shift = 63 - double_fraction_bits;

// The position of the highest set bit of a value that is not zero.
int highest_bit(uint128 value) {
    const auto high = static_cast<std::uint64_t>(value >> 64U);
    if (high != 0) {
        return 127 - std::countl_zero(high);
    }
    return 63 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// A value rounded to a number of significant bits: kept x 2^unit.
struct rounding {
    uint128 kept;
    std::int32_t unit;
};

// Rounds the value significand x 2^(exponent - 127) (significand not zero; its lowest bit may
// stand for bits that an earlier step dropped) to `precision` significant bits, to nearest with
// ties to even. Below 2^min_exponent the unit stays that of the smallest normal value, so
// precision is lost gradually and a small enough value becomes 0.
rounding round_to(std::int32_t exponent, uint128 significand, int precision,
                  std::int32_t min_exponent) {
    const std::int32_t bottom = exponent - 127;
    const std::int32_t lead = bottom + highest_bit(significand);
    const std::int32_t unit = std::max(lead, min_exponent) - (precision - 1);
    const std::int32_t shift = unit - bottom;
    if (shift <= 0) {
        return {significand, bottom};  // fits as it is
    }
    if (shift > 128) {
        return {0, unit};  // below half a unit
    }
    const uint128 kept = shift == 128 ? 0 : significand >> static_cast<unsigned>(shift);
    const uint128 rest = shift == 128
                             ? significand
                             : significand & ((uint128{1} << static_cast<unsigned>(shift)) - 1);
    const uint128 half = uint128{1} << static_cast<unsigned>(shift - 1);
    const bool up = rest > half || (rest == half && (kept & 1U) != 0);
    return {kept + (up ? 1U : 0U), unit};
}

}  // namespace

// The operations, with access to the representation.
struct extended_arithmetic {
    using kind = extended::kind;

    static extended zero(bool negative) { return {kind::zero, negative, 0, 0}; }
    static extended infinity(bool negative) { return {kind::infinite, negative, 0, top_bit}; }
    // The not-a-number that an invalid operation gives: negative, quiet, no payload.
    static extended default_nan() { return {kind::nan, true, 0, top_bit | quiet_bit}; }

    static extended with_sign(const extended& value, bool negative) {
        extended result = value;
        result.negative_ = negative;
        return result;
    }

    // At least one operand is not a number: that one passes through; of two, the one with the
    // larger payload, and of two with the same payload, the positive one.
    static extended pass_nan(const extended& a, const extended& b) {
        if (a.is_nan() && b.is_nan()) {
            if (a.significand_ != b.significand_) {
                return b.significand_ > a.significand_ ? b : a;
            }
            return a.negative_ ? b : a;
        }
        return a.is_nan() ? a : b;
    }

    // The value aligned x 2^(lead - 63) x 2^-64 (aligned with bit 127 set; its lowest bit may
    // stand for bits that an earlier step dropped), rounded to the extended format.
    static extended rounded_aligned(bool negative, std::int32_t lead, uint128 aligned) {
        if (lead <= extended_min_exponent || lead >= extended_max_exponent) {
            return rounded_at_the_edges(negative, lead, aligned);
        }
        // The usual case, well inside the range: keep the top 64 bits and round on the rest.
        auto kept = static_cast<std::uint64_t>(aligned >> 64U);
        const auto rest = static_cast<std::uint64_t>(aligned);
        if (rest > top_bit || (rest == top_bit && (kept & 1U) != 0)) {
            ++kept;
            if (kept == 0) {  // carried into the next power of two
                return {kind::finite, negative, lead + 1, top_bit};
            }
        }
        return {kind::finite, negative, lead, kept};
    }

    // Next to the smallest normal number or the overflow, where precision is lost gradually or
    // the result becomes an infinity.
    static extended rounded_at_the_edges(bool negative, std::int32_t exponent,
                                         uint128 significand) {
        const rounding r =
            round_to(exponent, significand, extended_precision, extended_min_exponent);
        if (r.kept == 0) {
            return zero(negative);
        }
        const int top = highest_bit(r.kept);
        const std::int32_t lead = r.unit + top;
        if (lead > extended_max_exponent) {
            return infinity(negative);
        }
        const auto normalised =
            static_cast<std::uint64_t>(top >= 63 ? r.kept >> static_cast<unsigned>(top - 63)
                                                 : r.kept << static_cast<unsigned>(63 - top));
        return {kind::finite, negative, lead, normalised};
    }

    // a + b, with b's sign taken as b_negative (so that a - b is a sum too).
    static extended sum(extended a, extended b, bool b_negative) {
        if (a.kind_ != kind::finite || b.kind_ != kind::finite) {
            return special_sum(a, b, b_negative);
        }
        b.negative_ = b_negative;
        if (a.exponent_ < b.exponent_ ||
            (a.exponent_ == b.exponent_ && a.significand_ < b.significand_)) {
            std::swap(a, b);  // a is now the larger in magnitude
        }
        // The smaller significand aligned to the larger one's, in two words: the bits that stay
        // within the larger one's 64, and the 64 below them. Bits further down are kept as a set
        // lowest bit, far below the rounding place.
        const std::int32_t distance = a.exponent_ - b.exponent_;
        std::uint64_t small_high = 0;
        std::uint64_t small_low = 0;
        if (distance == 0) {
            small_high = b.significand_;
        } else if (distance < 64) {
            small_high = b.significand_ >> static_cast<unsigned>(distance);
            small_low = b.significand_ << static_cast<unsigned>(64 - distance);
        } else if (distance == 64) {
            small_low = b.significand_;
        } else if (distance < 128) {
            const auto shift = static_cast<unsigned>(distance - 64);
            const bool lost = (b.significand_ << (64U - shift)) != 0;
            small_low = (b.significand_ >> shift) | (lost ? 1U : 0U);
        } else {
            small_low = 1;
        }

        std::int32_t lead = a.exponent_;
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        if (a.negative_ == b.negative_) {
            low = small_low;
            high = a.significand_ + small_high;
            if (high < a.significand_) {  // carried out: one bit more, moved down one place
                low = (low >> 1U) | (high << 63U) | (low & 1U);
                high = (high >> 1U) | top_bit;
                ++lead;
            }
        } else {
            low = 0 - small_low;
            high = a.significand_ - small_high - (small_low != 0 ? 1U : 0U);
            if (high == 0 && low == 0) {
                return zero(false);  // x - x is +0 when rounding to nearest
            }
            // Cancellation: bring the leading bit back to the top. Only a distance of 0 or 1
            // cancels more than one bit, and then the result is exact.
            if (high == 0) {
                high = low;
                low = 0;
                lead -= 64;
            }
            const int shift = std::countl_zero(high);
            if (shift > 0) {
                high = (high << static_cast<unsigned>(shift)) |
                       (low >> static_cast<unsigned>(64 - shift));
                low <<= static_cast<unsigned>(shift);
                lead -= shift;
            }
        }
        return rounded_aligned(a.negative_, lead, (uint128{high} << 64U) | low);
    }

    static extended special_sum(const extended& a, const extended& b, bool b_negative) {
        if (a.is_nan() || b.is_nan()) {
            return pass_nan(a, b);
        }
        if (a.kind_ == kind::infinite || b.kind_ == kind::infinite) {
            if (a.kind_ == kind::infinite && b.kind_ == kind::infinite &&
                a.negative_ != b_negative) {
                return default_nan();
            }
            return a.kind_ == kind::infinite ? a : infinity(b_negative);
        }
        if (b.kind_ == kind::zero) {
            return a.kind_ == kind::zero ? zero(a.negative_ && b_negative) : a;
        }
        return with_sign(b, b_negative);  // a is a zero
    }

    static extended product(const extended& a, const extended& b) {
        const bool negative = a.negative_ != b.negative_;
        if (a.kind_ != kind::finite || b.kind_ != kind::finite) {
            return special_product(a, b, negative);
        }
        // The product of the significands lies in [2^126, 2^128).
        const uint128 bits = uint128{a.significand_} * b.significand_;
        const std::int32_t lead = a.exponent_ + b.exponent_;
        if ((bits >> 127U) != 0) {
            return rounded_aligned(negative, lead + 1, bits);
        }
        return rounded_aligned(negative, lead, bits << 1U);
    }

    static extended special_product(const extended& a, const extended& b, bool negative) {
        if (a.is_nan() || b.is_nan()) {
            return pass_nan(a, b);
        }
        if (a.kind_ == kind::infinite || b.kind_ == kind::infinite) {
            if (a.kind_ == kind::zero || b.kind_ == kind::zero) {
                return default_nan();
            }
            return infinity(negative);
        }
        return zero(negative);
    }

    static extended quotient(const extended& a, const extended& b) {
        const bool negative = a.negative_ != b.negative_;
        if (a.kind_ != kind::finite || b.kind_ != kind::finite) {
            return special_quotient(a, b, negative);
        }
        // a.significand_ x 2^64 / b.significand_ = q + r / b.significand_, with q in
        // [2^63, 2^65). Its top bit is taken off first, so that the division left has a
        // quotient of 64 bits.
        const bool high_bit = a.significand_ >= b.significand_;
        const std::uint64_t high = high_bit ? a.significand_ - b.significand_ : a.significand_;
        const uint128 dividend = uint128{high} << 64U;
        const auto low_q = static_cast<std::uint64_t>(dividend / b.significand_);
        const auto r = static_cast<std::uint64_t>(dividend - uint128{low_q} * b.significand_);
        // Below q go 63 bits that round as r / b.significand_ would: none set when it is 0,
        // exactly the half when it is a half, and a set lowest bit for anything in between.
        const uint128 twice_r = uint128{r} << 1U;
        const uint128 half = uint128{1} << 62U;
        uint128 tail = 0;
        if (r != 0) {
            tail = twice_r == b.significand_ ? half : (twice_r < b.significand_ ? 1 : half + 1);
        }
        const std::int32_t lead = a.exponent_ - b.exponent_;
        if (high_bit) {  // q has 65 bits
            return rounded_aligned(negative, lead,
                                   (uint128{1} << 127U) | (uint128{low_q} << 63U) | tail);
        }
        return rounded_aligned(negative, lead - 1, (uint128{low_q} << 64U) | (tail << 1U));
    }

    static extended special_quotient(const extended& a, const extended& b, bool negative) {
        if (a.is_nan() || b.is_nan()) {
            return pass_nan(a, b);
        }
        if (a.kind_ == kind::infinite) {
            return b.kind_ == kind::infinite ? default_nan() : infinity(negative);
        }
        if (b.kind_ == kind::infinite) {
            return zero(negative);
        }
        if (b.kind_ == kind::zero) {
            return a.kind_ == kind::zero ? default_nan() : infinity(negative);
        }
        return zero(negative);  // a is a zero
    }

    static bool less(const extended& a, const extended& b) {
        if (a.is_nan() || b.is_nan()) {
            return false;
        }
        const bool a_negative = a.negative_ && a.kind_ != kind::zero;
        const bool b_negative = b.negative_ && b.kind_ != kind::zero;
        if (a_negative != b_negative) {
            return a_negative;
        }
        return a_negative ? smaller_magnitude(b, a) : smaller_magnitude(a, b);
    }

    static bool smaller_magnitude(const extended& a, const extended& b) {
        if (a.kind_ != b.kind_) {
            return a.kind_ < b.kind_;  // zero, then finite, then infinite
        }
        if (a.kind_ != kind::finite) {
            return false;
        }
        if (a.exponent_ != b.exponent_) {
            return a.exponent_ < b.exponent_;
        }
        return a.significand_ < b.significand_;
    }

    static double to_double(const extended& value) {
        const std::uint64_t sign = value.negative_ ? top_bit : 0;
        switch (value.kind_) {
            case kind::zero:
                return bit_cast<double>(sign);
            case kind::infinite:
                return bit_cast<double>(sign | double_exponent_all_ones << double_fraction_bits);
            case kind::nan:
                return bit_cast<double>(
                    sign | double_exponent_all_ones << double_fraction_bits |
                    ((value.significand_ >> double_to_extended_shift) & double_fraction_mask));
            case kind::finite:
                break;
        }
        const rounding r = round_to(value.exponent_, uint128{value.significand_} << 64U,
                                    double_precision, double_min_exponent);
        if (r.kept == 0) {
            return bit_cast<double>(sign);
        }
        const int top = highest_bit(r.kept);
        const std::int32_t lead = r.unit + top;
        if (lead > double_max_exponent) {
            return bit_cast<double>(sign | double_exponent_all_ones << double_fraction_bits);
        }
        if (lead < double_min_exponent) {
            // A subnormal: the unit is the smallest, so kept is the fraction field itself.
            return bit_cast<double>(
                sign | static_cast<std::uint64_t>(
                           r.kept << static_cast<unsigned>(r.unit - double_subnormal_unit)));
        }
        const auto fraction = static_cast<std::uint64_t>(
            top >= double_fraction_bits ? r.kept >> static_cast<unsigned>(top - 52)
                                        : r.kept << static_cast<unsigned>(52 - top));
        const std::int32_t biased = lead + double_bias;  // 1 to 2046 here
        return bit_cast<double>(sign | static_cast<std::uint64_t>(biased) << double_fraction_bits |
                                (fraction & double_fraction_mask));
    }
};

extended extended::widened_elsewhere(std::uint64_t bits) {
    const bool negative = (bits & top_bit) != 0;
    const std::uint64_t fraction = bits & double_fraction_mask;
    if ((bits >> double_fraction_bits & double_exponent_all_ones) == double_exponent_all_ones) {
        if (fraction == 0) {
            return extended_arithmetic::infinity(negative);
        }
        // Widened as the 64-bit format holds it, and quiet.
        return {kind::nan, negative, 0, top_bit | quiet_bit | fraction << double_to_extended_shift};
    }
    if (fraction == 0) {
        return extended_arithmetic::zero(negative);
    }
    const int top = 63 - std::countl_zero(fraction);  // a subnormal
    return {kind::finite, negative, double_subnormal_unit + top,
            fraction << static_cast<unsigned>(63 - top)};
}

extended operator+(extended a, extended b) {
    return extended_arithmetic::sum(a, b, b.negative_);
}

extended operator-(extended a, extended b) {
    // A not-a-number subtrahend passes through with its own sign.
    return extended_arithmetic::sum(a, b, b.is_nan() ? b.negative_ : !b.negative_);
}

extended operator*(extended a, extended b) {
    return extended_arithmetic::product(a, b);
}

extended operator/(extended a, extended b) {
    return extended_arithmetic::quotient(a, b);
}

bool operator<(extended a, extended b) {
    return extended_arithmetic::less(a, b);
}

double extended::to_double_elsewhere(extended value) {
    return extended_arithmetic::to_double(value);
}

}  // namespace quorvel
