#pragma once

#include <string>
#include <string_view>

// Conversions at the edge of the Windows program: the table's texts are UTF-8, the core's are
// GBK (code page 936), and the window system's are UTF-16.
namespace quorvel::win32 {

std::wstring from_utf8(std::string_view text);
std::wstring from_gbk(std::string_view gbk);
// A character code page 936 cannot hold becomes "?" (no best-fit look-alike).
std::string to_gbk(std::wstring_view text);

}  // namespace quorvel::win32
