#pragma once

#include <string>
#include <string_view>

// Conversion between UTF-8 and GBK (code page 936) from tables generated out of the Linux C
// library's converter, for the builds whose C library has none (WebAssembly). It converts as
// the converter does, byte for byte.
namespace quorvel::codec::gbk_table {

// The text, well-formed UTF-8, in GBK; a character that GBK cannot hold becomes "?", and the
// tag characters U+E0000 to U+E007F are dropped.
std::string from_utf8(std::string_view valid_utf8);

// The text in UTF-8; a byte that does not start a valid GBK character becomes U+FFFD.
std::string to_utf8(std::string_view gbk);

}  // namespace quorvel::codec::gbk_table
