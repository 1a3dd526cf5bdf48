#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as the codecs need it: well-formedness as the Unicode standard defines it (no overlong
// forms, no surrogates, nothing above U+10FFFF), one sequence at a time.
namespace quorvel::codec::utf8 {

// The length of the well-formed sequence at the start of the text, or 0 when there is none.
std::size_t sequence_length(std::string_view text);

// The code point of a well-formed sequence of the given length at the start of the text.
char32_t decode(std::string_view text, std::size_t length);

// Appends the code point's UTF-8 form.
void append(char32_t code_point, std::string& out);

}  // namespace quorvel::codec::utf8
