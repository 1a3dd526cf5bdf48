#include "calc/result_line.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace quorvel {
namespace {

constexpr double two_to_63 = 9223372036854775808.0;

// The low 32 bits of a whole-valued double, taken as a 64-bit two's-complement integer.
std::int32_t low_32_bits(double whole) {
    if (!(std::fabs(whole) < two_to_63)) {
        return 0;
    }
    const auto wide = static_cast<std::int64_t>(whole);  // in range: checked above
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

double floor_with_tolerance(double stake) {
    const double whole = std::floor(stake);
    if (stake >= 0.0 && stake - whole > fraction_limit) {  // the difference is exact
        return whole + 1.0;
    }
    return whole;
}

constexpr std::array<std::string_view, 3> prefixes = {"x:y=", "x:y:z=", "x:y:z:t="};

}  // namespace

std::int32_t to_whole_number(double stake, whole_number_mode mode) {
    if (!std::isfinite(stake)) {
        return 0;
    }
    const double whole =
        mode == whole_number_mode::truncate ? std::trunc(stake) : floor_with_tolerance(stake);
    return low_32_bits(whole);
}

std::string number_text(std::int32_t number) {
    std::array<char, 12> digits{};
    auto* const end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    return {digits.data(), end};
}

std::string result_line(int n, whole_number_mode mode, const working_values& values) {
    std::string line(prefixes.at(static_cast<std::size_t>(n - 2)));
    for (int letter = 0; letter < n; ++letter) {
        if (letter > 0) {
            line += ':';
        }
        line += number_text(
            to_whole_number(values.*stake_of.at(static_cast<std::size_t>(letter)), mode));
    }
    return line;
}

void show_result_line(int n, whole_number_mode mode, const working_values& values,
                      window_port& window) {
    window.set_result_text(result_line(n, mode, values));
}

}  // namespace quorvel
