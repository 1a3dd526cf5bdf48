#pragma once

#include <gmpxx.h>

// An exact model of the arithmetic the rules run on: every value an exact rational (or an
// infinity, or not-a-number), every operation exact, and the two roundings written out: to a
// 64-bit significand (the x87 extended format) and to a double (53 bits, with the double range's
// overflow and subnormals), both to nearest with ties to even. It shares nothing with the
// hardware's floating point but the reading of input doubles and the writing of results.
namespace quorvel::testing {

class exact {
  public:
    static exact of(double value);
    static exact nan();

    [[nodiscard]] double to_double() const;  // exact: the value must be a double already
    [[nodiscard]] bool is_nan() const { return kind_ == kind::nan; }

    friend exact operator+(const exact& a, const exact& b);
    friend exact operator-(const exact& a, const exact& b);
    friend exact operator*(const exact& a, const exact& b);
    friend exact operator/(const exact& a, const exact& b);
    exact operator-() const;

    // Comparisons as the hardware makes them: false when either side is not a number.
    friend bool operator<(const exact& a, const exact& b);
    friend bool operator>(const exact& a, const exact& b) { return b < a; }

    // To nearest, ties to even: a 64-bit significand, or a double.
    [[nodiscard]] exact to_extended() const;
    [[nodiscard]] exact to_double_precision() const;

  private:
    enum class kind { finite, infinite, nan };
    [[nodiscard]] exact rounded(int significand_bits, long smallest_quantum_exponent,
                                bool double_range) const;
    [[nodiscard]] bool is_zero() const { return kind_ == kind::finite && value_ == 0; }

    kind kind_ = kind::finite;
    mpq_class value_;        // the value, when finite
    bool negative_ = false;  // the sign of an infinity or a zero
};

// One operation of a rule: formed exactly, rounded to the 64-bit significand, and (where a rule
// stores the result) rounded again to a double.
inline exact extended(const exact& exact_result) {
    return exact_result.to_extended();
}
inline exact stored(const exact& extended_result) {
    return extended_result.to_double_precision();
}

}  // namespace quorvel::testing
