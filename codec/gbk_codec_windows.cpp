// The GBK edge on Windows: the system's own conversion for code page 936, as the window's edge
// uses. A character without a GBK form becomes "?" (no best-fit substitutes), as on Linux.
#include <windows.h>

#include "codec/gbk_codec.h"
#include "codec/utf8.h"
#include "codec/windows_text.h"

namespace quorvel::codec {
namespace {

constexpr UINT gbk_code_page = 936;

// One character (one or two UTF-16 units) in GBK, or "?" when it has no GBK form.
std::string character_to_gbk(std::wstring_view character) {
    const int size = static_cast<int>(character.size());
    char out[8];
    BOOL unknown = FALSE;
    const int length = WideCharToMultiByte(gbk_code_page, WC_NO_BEST_FIT_CHARS, character.data(),
                                           size, out, sizeof out, "?", &unknown);
    if (length <= 0 || unknown) {
        return "?";
    }
    return {out, static_cast<std::size_t>(length)};
}

}  // namespace

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    if (!is_valid_utf8(utf8)) {
        return std::nullopt;
    }
    // One character at a time, so that each character without a GBK form, one UTF-16 unit or
    // two, becomes one "?", as the Linux converter has it.
    std::string out;
    while (!utf8.empty()) {
        const std::size_t length = utf8::sequence_length(utf8);
        if (length == 1) {
            out += utf8.front();
        } else {
            out += character_to_gbk(windows::widened(CP_UTF8, utf8.substr(0, length)));
        }
        utf8.remove_prefix(length);
    }
    return out;
}

std::string gbk_to_utf8(std::string_view gbk) {
    return windows::utf8_from_wide(windows::widened(gbk_code_page, gbk));
}

}  // namespace quorvel::codec
