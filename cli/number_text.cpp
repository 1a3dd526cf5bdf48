#include "cli/number_text.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace quorvel::cli {

// Whether the standard library formats doubles (std::to_chars); the WebAssembly build's does not.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define QUORVEL_STANDARD_FORMATS_DOUBLES 1
#endif

std::string two_decimals_text(double value) {
    std::array<char, 400> text{};  // the largest double has 309 digits before the point
#if defined(QUORVEL_STANDARD_FORMATS_DOUBLES)
    auto* const end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2)
            .ptr;
    return {text.data(), end};
#else
    // The C library's printf rounds the exact binary value to nearest, as std::to_chars does.
    const int length = std::snprintf(text.data(), text.size(), "%.2f", value);
    return {text.data(), static_cast<std::size_t>(length)};
#endif
}

std::string shortest_text(double value) {
#if defined(QUORVEL_STANDARD_FORMATS_DOUBLES)
    std::array<char, 32> text{};
    auto* const end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return {text.data(), end};
#else
    return shortest_text_from_digits(value);
#endif
}

}  // namespace quorvel::cli
