#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Conversion between UTF-8 and the GBK code page (936) at the edge of a front end: the core
// sees only GBK bytes.
namespace quorvel::codec {

// Thrown by the conversions when this system has no converter between UTF-8 and code page 936.
class converter_unavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text in GBK. A character that GBK cannot hold becomes "?". Returns nothing when the text
// is not well-formed UTF-8 (overlong forms, surrogates and values above U+10FFFF included).
std::optional<std::string> utf8_to_gbk(std::string_view utf8);

// The text in UTF-8. A byte that does not start a valid GBK character becomes U+FFFD.
std::string gbk_to_utf8(std::string_view gbk);

// True when the text is well-formed UTF-8.
bool is_valid_utf8(std::string_view text);

}  // namespace quorvel::codec
