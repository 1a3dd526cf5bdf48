#include "app/win32/text_edge.h"

#include <windows.h>

#include "codec/gbk_codec.h"
#include "codec/windows_text.h"

namespace quorvel::win32 {
namespace {

constexpr UINT gbk_code_page = 936;

}  // namespace

std::wstring from_utf8(std::string_view text) {
    return codec::windows::widened(CP_UTF8, text);
}

std::wstring from_gbk(std::string_view gbk) {
    return codec::windows::widened(gbk_code_page, gbk);
}

std::string to_gbk(std::wstring_view text) {
    // Through the same conversion as the command line's: no best-fit look-alikes, one "?" for
    // each character GBK cannot hold. A lone surrogate becomes U+FFFD on the way, so the UTF-8
    // is always well-formed.
    return codec::utf8_to_gbk(codec::windows::utf8_from_wide(text))
        .value_or(std::string(text.size(), '?'));
}

}  // namespace quorvel::win32
