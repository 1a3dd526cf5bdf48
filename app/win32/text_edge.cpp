#include "app/win32/text_edge.h"

#include <windows.h>

namespace quorvel::win32 {
namespace {

constexpr UINT gbk_code_page = 936;

std::wstring widened(UINT code_page, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring from_utf8(std::string_view text) {
    return widened(CP_UTF8, text);
}

std::wstring from_gbk(std::string_view gbk) {
    return widened(gbk_code_page, gbk);
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
