#include "app/win32/text_edge.h"

#include <windows.h>

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
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(gbk_code_page, 0, text.data(), size, nullptr, 0, "?", nullptr);
    std::string gbk(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(gbk_code_page, 0, text.data(), size, gbk.data(), length, "?", nullptr);
    return gbk;
}

}  // namespace quorvel::win32
