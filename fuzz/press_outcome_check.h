#pragma once

#include <string>
#include <string_view>

namespace quorvel::fuzz {

// True when the line is the prefix for n odds followed by n signed 32-bit whole numbers in
// plain decimal, joined by ":".
bool is_result_line(std::string_view line, int n);

}  // namespace quorvel::fuzz
