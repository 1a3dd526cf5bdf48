#pragma once

#include <string>
#include <string_view>

// Windows only: the window system's UTF-16 texts to and from bytes, for the Windows front ends
// and the GBK edge.
namespace quorvel::codec::windows {

// The bytes of the text in the code page (936 for GBK, 65001 for UTF-8), as UTF-16.
std::wstring widened(unsigned code_page, std::string_view text);

// The UTF-16 text in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8_from_wide(std::wstring_view text);

}  // namespace quorvel::codec::windows
