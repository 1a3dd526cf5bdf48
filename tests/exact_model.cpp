#include "exact_model.h"

#include <cmath>
#include <limits>

namespace quorvel::testing {
namespace {

mpq_class power_of_two(long exponent) {
    mpz_class one = 1;
    mpq_class result;
    if (exponent >= 0) {
        mpz_class big;
        mpz_mul_2exp(big.get_mpz_t(), one.get_mpz_t(), static_cast<mp_bitcnt_t>(exponent));
        result = big;
    } else {
        mpz_class big;
        mpz_mul_2exp(big.get_mpz_t(), one.get_mpz_t(), static_cast<mp_bitcnt_t>(-exponent));
        result = mpq_class(mpz_class(1), big);
    }
    return result;
}

// floor(log2(a)) for a > 0.
long binary_exponent(const mpq_class& a) {
    long e = static_cast<long>(mpz_sizeinbase(a.get_num_mpz_t(), 2)) -
             static_cast<long>(mpz_sizeinbase(a.get_den_mpz_t(), 2));
    while (a < power_of_two(e)) {
        --e;
    }
    while (a >= power_of_two(e + 1)) {
        ++e;
    }
    return e;
}

}  // namespace

exact exact::of(double value) {
    exact result;
    if (std::isnan(value)) {
        result.kind_ = kind::nan;
    } else if (std::isinf(value)) {
        result.kind_ = kind::infinite;
        result.negative_ = value < 0;
    } else {
        result.value_ = value;  // GMP converts a double exactly
        result.negative_ = std::signbit(value);
    }
    return result;
}

exact exact::nan() {
    exact result;
    result.kind_ = kind::nan;
    return result;
}

double exact::to_double() const {
    switch (kind_) {
        case kind::nan:
            return std::numeric_limits<double>::quiet_NaN();
        case kind::infinite:
            return negative_ ? -std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::infinity();
        case kind::finite:
            break;
    }
    if (value_ == 0) {
        return negative_ ? -0.0 : 0.0;
    }
    // value = integer x 2^-1074 exactly, with the integer below 2^2098.
    const mpq_class scaled = abs(value_) / power_of_two(-1074);
    const mpz_class integer = scaled.get_num();
    double result = 0.0;
    // Whole 53-bit pieces, added exactly: the value is a double, so at most 53 bits are set.
    const long bits = static_cast<long>(mpz_sizeinbase(integer.get_mpz_t(), 2));
    const long shift = bits > 53 ? bits - 53 : 0;
    mpz_class top;
    mpz_fdiv_q_2exp(top.get_mpz_t(), integer.get_mpz_t(), static_cast<mp_bitcnt_t>(shift));
    result = std::ldexp(top.get_d(), static_cast<int>(shift - 1074));
    return value_ < 0 ? -result : result;
}

exact exact::operator-() const {
    exact result = *this;
    result.value_ = -value_;
    result.negative_ = !negative_;
    return result;
}

exact operator+(const exact& a, const exact& b) {
    using kind = exact::kind;
    if (a.kind_ == kind::nan || b.kind_ == kind::nan) {
        return exact::nan();
    }
    if (a.kind_ == kind::infinite || b.kind_ == kind::infinite) {
        if (a.kind_ == kind::infinite && b.kind_ == kind::infinite && a.negative_ != b.negative_) {
            return exact::nan();
        }
        return a.kind_ == kind::infinite ? a : b;
    }
    exact result;
    result.value_ = a.value_ + b.value_;
    result.negative_ = result.value_ < 0 || (result.value_ == 0 && a.negative_ && b.negative_);
    return result;
}

exact operator-(const exact& a, const exact& b) {
    return a + (-b);
}

exact operator*(const exact& a, const exact& b) {
    using kind = exact::kind;
    if (a.kind_ == kind::nan || b.kind_ == kind::nan) {
        return exact::nan();
    }
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == kind::infinite || b.kind_ == kind::infinite) {
        if (a.is_zero() || b.is_zero()) {
            return exact::nan();
        }
        exact result;
        result.kind_ = kind::infinite;
        result.negative_ = negative;
        return result;
    }
    exact result;
    result.value_ = a.value_ * b.value_;
    result.negative_ = negative;
    return result;
}

exact operator/(const exact& a, const exact& b) {
    using kind = exact::kind;
    if (a.kind_ == kind::nan || b.kind_ == kind::nan) {
        return exact::nan();
    }
    const bool negative = a.negative_ != b.negative_;
    exact result;
    result.negative_ = negative;
    if (a.kind_ == kind::infinite) {
        if (b.kind_ == kind::infinite) {
            return exact::nan();
        }
        result.kind_ = kind::infinite;
        return result;
    }
    if (b.kind_ == kind::infinite) {
        return result;  // a signed zero
    }
    if (b.is_zero()) {
        if (a.is_zero()) {
            return exact::nan();
        }
        result.kind_ = kind::infinite;
        return result;
    }
    result.value_ = a.value_ / b.value_;
    return result;
}

bool operator<(const exact& a, const exact& b) {
    using kind = exact::kind;
    if (a.kind_ == kind::nan || b.kind_ == kind::nan) {
        return false;
    }
    if (a.kind_ == kind::infinite || b.kind_ == kind::infinite) {
        const int a_rank = a.kind_ == kind::infinite ? (a.negative_ ? -1 : 1) : 0;
        const int b_rank = b.kind_ == kind::infinite ? (b.negative_ ? -1 : 1) : 0;
        return a_rank < b_rank;
    }
    return a.value_ < b.value_;
}

exact exact::rounded(int significand_bits, long smallest_quantum_exponent,
                     bool double_range) const {
    if (kind_ != kind::finite || value_ == 0) {
        return *this;
    }
    const mpq_class magnitude = abs(value_);
    const long exponent = binary_exponent(magnitude);
    const long quantum_exponent =
        std::max(exponent - (significand_bits - 1), smallest_quantum_exponent);
    const mpq_class scaled = magnitude / power_of_two(quantum_exponent);
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    const mpq_class fraction = scaled - mpq_class(whole);
    const mpq_class half(1, 2);
    if (fraction > half || (fraction == half && mpz_odd_p(whole.get_mpz_t()) != 0)) {
        ++whole;
    }
    exact result;
    result.negative_ = negative_;
    result.value_ = mpq_class(whole) * power_of_two(quantum_exponent);
    if (double_range && result.value_ >= power_of_two(1024)) {
        result.kind_ = kind::infinite;
        return result;
    }
    if (negative_) {
        result.value_ = -result.value_;
    }
    return result;
}

exact exact::to_extended() const {
    return rounded(64, -16445, false);
}

exact exact::to_double_precision() const {
    return rounded(53, -1074, true);
}

}  // namespace quorvel::testing
