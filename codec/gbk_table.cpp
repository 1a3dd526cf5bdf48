#include "codec/gbk_table.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "codec/utf8.h"

namespace quorvel::codec::gbk_table {
namespace {

struct encoding_exception {
    std::uint16_t code_point;
    std::uint16_t code;
};

#include "codec/gbk_table_data.inc"

constexpr unsigned first_lead = 0x81;
constexpr unsigned last_lead = 0xFE;
constexpr unsigned first_trail = 0x40;
constexpr unsigned last_trail = 0xFE;
constexpr unsigned trails_per_lead = last_trail - first_trail + 1;

// Each code point of the Basic Multilingual Plane to its GBK code (a single byte as 0x00XX);
// 0 where GBK has no form for it. Built once from the decoding tables: the lowest code that
// decodes to a code point is its encoding, unless an exception says otherwise.
using encoding_table = std::array<std::uint16_t, 0x10000>;

const encoding_table& encoding() {
    static const auto* const table = [] {
        auto* built = new encoding_table{};
        for (std::size_t i = byte_pair.size(); i-- > 0;) {
            if (byte_pair.at(i) != 0) {
                built->at(byte_pair.at(i)) = static_cast<std::uint16_t>(
                    (first_lead + i / trails_per_lead) << 8U | (first_trail + i % trails_per_lead));
            }
        }
        for (std::size_t i = single_byte.size(); i-- > 0;) {
            if (single_byte.at(i) != 0) {
                built->at(single_byte.at(i)) = static_cast<std::uint16_t>(0x80 + i);
            }
        }
        for (const encoding_exception& e : encoding_exceptions) {
            built->at(e.code_point) = e.code;
        }
        return built;
    }();
    return *table;
}

}  // namespace

std::string from_utf8(std::string_view valid_utf8) {
    const encoding_table& table = encoding();
    std::string out;
    out.reserve(valid_utf8.size());
    while (!valid_utf8.empty()) {
        const std::size_t length = utf8::sequence_length(valid_utf8);
        const char32_t c = utf8::decode(valid_utf8, length);
        valid_utf8.remove_prefix(length);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (c >= 0xE0000 && c <= 0xE007F) {
            continue;  // a tag character: the converter drops it
        }
        const std::uint16_t code = c <= 0xFFFF ? table.at(c) : 0;
        if (code == 0) {
            out += '?';
        } else if (code <= 0xFF) {
            out += static_cast<char>(code);
        } else {
            out += static_cast<char>(code >> 8U);
            out += static_cast<char>(code & 0xFFU);
        }
    }
    return out;
}

std::string to_utf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (std::size_t i = 0; i < gbk.size();) {
        const unsigned byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            out += gbk[i];
            ++i;
            continue;
        }
        if (byte >= first_lead && byte <= last_lead && i + 1 < gbk.size()) {
            const unsigned trail = static_cast<unsigned char>(gbk[i + 1]);
            if (trail >= first_trail && trail <= last_trail) {
                const char32_t c =
                    byte_pair.at((byte - first_lead) * trails_per_lead + trail - first_trail);
                if (c != 0) {
                    utf8::append(c, out);
                    i += 2;
                    continue;
                }
            }
        }
        const char32_t single = single_byte.at(byte - 0x80);
        utf8::append(single != 0 ? single : U'\uFFFD', out);
        ++i;
    }
    return out;
}

}  // namespace quorvel::codec::gbk_table
