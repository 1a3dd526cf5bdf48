#include "fuzz/press_outcome_check.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace quorvel::fuzz {

bool is_result_line(std::string_view line, int n) {
    static constexpr std::array<std::string_view, 3> prefixes = {"x:y=", "x:y:z=", "x:y:z:t="};
    const std::string_view prefix = prefixes.at(static_cast<std::size_t>(n - 2));
    if (line.substr(0, prefix.size()) != prefix) {
        return false;
    }
    line.remove_prefix(prefix.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0) {
            if (line.empty() || line.front() != ':') {
                return false;
            }
            line.remove_prefix(1);
        }
        const std::size_t digits_start = !line.empty() && line.front() == '-' ? 1 : 0;
        if (line.size() <= digits_start || line[digits_start] < '0' || line[digits_start] > '9' ||
            (line[digits_start] == '0' && line.size() > digits_start + 1 &&
             line[digits_start + 1] >= '0' && line[digits_start + 1] <= '9')) {
            return false;  // no digits, or a leading zero
        }
        std::int32_t value = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc{} || (value == 0 && digits_start == 1)) {
            return false;  // out of range, or "-0"
        }
        line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    }
    return line.empty();
}

}  // namespace quorvel::fuzz
