#include "codec/utf8.h"

#include "codec/gbk_codec.h"

namespace quorvel::codec::utf8 {

std::size_t sequence_length(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i) {
        return i < text.size() && (byte(i) & 0xC0U) == 0x80U;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2)) {
            return 0;
        }
        const bool overlong = lead == 0xE0 && byte(1) < 0xA0;
        const bool surrogate = lead == 0xED && byte(1) >= 0xA0;
        return overlong || surrogate ? 0 : 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3)) {
            return 0;
        }
        const bool overlong = lead == 0xF0 && byte(1) < 0x90;
        const bool too_large = lead == 0xF4 && byte(1) >= 0x90;
        return overlong || too_large ? 0 : 4;
    }
    return 0;
}

char32_t decode(std::string_view text, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(text[i]) & 0xFFU; };
    switch (length) {
        case 1:
            return byte(0);
        case 2:
            return (byte(0) & 0x1FU) << 6U | (byte(1) & 0x3FU);
        case 3:
            return (byte(0) & 0x0FU) << 12U | (byte(1) & 0x3FU) << 6U | (byte(2) & 0x3FU);
        default:
            return (byte(0) & 0x07U) << 18U | (byte(1) & 0x3FU) << 12U | (byte(2) & 0x3FU) << 6U |
                   (byte(3) & 0x3FU);
    }
}

void append(char32_t code_point, std::string& out) {
    const auto put = [&](char32_t bits) { out += static_cast<char>(bits); };
    if (code_point < 0x80) {
        put(code_point);
    } else if (code_point < 0x800) {
        put(0xC0U | code_point >> 6U);
        put(0x80U | (code_point & 0x3FU));
    } else if (code_point < 0x10000) {
        put(0xE0U | code_point >> 12U);
        put(0x80U | (code_point >> 6U & 0x3FU));
        put(0x80U | (code_point & 0x3FU));
    } else {
        put(0xF0U | code_point >> 18U);
        put(0x80U | (code_point >> 12U & 0x3FU));
        put(0x80U | (code_point >> 6U & 0x3FU));
        put(0x80U | (code_point & 0x3FU));
    }
}

}  // namespace quorvel::codec::utf8

namespace quorvel::codec {

bool is_valid_utf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8::sequence_length(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

}  // namespace quorvel::codec
