// shortest_text from {fmt}'s shortest digits, in a file of its own so that only the builds that
// use it (those whose standard library cannot format a double) link {fmt}.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FMT_HEADER_ONLY
#include <fmt/format.h>

#include "cli/number_text.h"

namespace quorvel::cli {
namespace {

std::string integer_text(double value) {
    std::array<char, 400> text{};  // the largest double has 309 digits before the point
    const int length = std::snprintf(text.data(), text.size(), "%.0f", value);
    return {text.data(), static_cast<std::size_t>(length)};
}

}  // namespace

std::string shortest_text_from_digits(double value) {
    if (value == 0) {
        return std::signbit(value) ? "-0" : "0";
    }
    // {fmt}'s "{}" gives the shortest digits that read back as the value, in a form of its own
    // choosing ("123.25", "1e-05", "1.5e+300"): read the digits and the decimal exponent of
    // the first digit out of it.
    const std::string text = fmt::format("{}", value);
    const bool negative = text.front() == '-';
    const std::string_view all = std::string_view(text).substr(negative ? 1 : 0);
    const std::size_t e = all.find('e');
    const std::string_view mantissa = all.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::string digits;
    for (const char c : mantissa) {
        if (c != '.') {
            digits += c;
        }
    }
    const std::size_t leading_zeros = digits.find_first_not_of('0');
    digits.erase(digits.find_last_not_of('0') + 1);
    digits.erase(0, leading_zeros);
    const int exponent = static_cast<int>(point) - 1 - static_cast<int>(leading_zeros) +
                         (e == std::string_view::npos
                              ? 0
                              : static_cast<int>(std::strtol(all.data() + e + 1, nullptr, 10)));
    const int count = static_cast<int>(digits.size());

    // The fixed form: an integer is written with all its digits up to the units, exactly as
    // printf writes it; otherwise the shortest digits around the point.
    std::string fixed;
    if (exponent >= count - 1) {
        fixed = integer_text(std::fabs(value));
    } else if (exponent >= 0) {
        fixed.append(digits, 0, static_cast<std::size_t>(exponent) + 1);
        fixed += '.';
        fixed.append(digits, static_cast<std::size_t>(exponent) + 1);
    } else {
        fixed = "0.";
        fixed.append(static_cast<std::size_t>(-exponent - 1), '0');
        fixed += digits;
    }
    // The scientific form: d[.ddd]e±XX, with at least two digits in the exponent.
    std::string scientific(1, digits.front());
    if (count > 1) {
        scientific += '.';
        scientific.append(digits, 1);
    }
    scientific += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
        scientific += '0';
    }
    scientific += std::to_string(magnitude);

    std::string chosen = negative ? "-" : "";
    chosen += fixed.size() <= scientific.size() ? fixed : scientific;
    return chosen;
}

}  // namespace quorvel::cli
