// Writes this system's iconv conversion between Unicode and GBK (code page 936) as C++ tables,
// for the builds whose C library has no converter for that code page (WebAssembly):
//   quorvel_gbk_table_generator > codec/gbk_table_data.inc
// The tables hold exactly what iconv does, so that every build converts the same texts to the
// same bytes; the codec tests compare the two over every character and byte pair.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what) {
    static_cast<void>(std::fprintf(stderr, "quorvel_gbk_table_generator: %s\n", what));
    std::exit(1);
}

class converter {
  public:
    converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
            fail("this system's iconv has no converter for CP936");
        }
    }
    ~converter() { iconv_close(handle_); }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;

    // The whole input converted in one go, or nothing when iconv stops short of its end.
    std::optional<std::string> convert(const std::string& input) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::array<char, 64> output{};
        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        char* out = output.data();
        std::size_t out_left = output.size();
        if (iconv(handle_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) ||
            in_left != 0) {
            return std::nullopt;
        }
        return std::string(output.data(), static_cast<std::size_t>(out - output.data()));
    }

  private:
    iconv_t handle_;
};

std::string utf32(char32_t c) {
    std::string s(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        s[i] = static_cast<char>(c >> (8 * i) & 0xFFU);
    }
    return s;
}

// The one code point a GBK sequence decodes to, or 0.
char32_t decode(converter& to_unicode, const std::string& gbk) {
    const auto got = to_unicode.convert(gbk);
    if (!got || got->size() != 4) {
        return 0;
    }
    char32_t c = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        c |= static_cast<char32_t>(static_cast<unsigned char>((*got)[i])) << (8 * i);
    }
    if (c > 0xFFFF) {
        fail("a GBK sequence decodes beyond the Basic Multilingual Plane");
    }
    return c;
}

// The values as the lines of a C++ initializer, ten to a line.
template <class Values>
void print_values(const Values& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::printf("%s0x%04X,", i % 10 == 0 ? "\n    " : " ", values.at(i));
    }
}

}  // namespace

int main() {
    converter to_unicode("UTF-32LE", "CP936");
    converter to_gbk("CP936", "UTF-32LE");

    for (int b = 0; b < 0x80; ++b) {
        if (decode(to_unicode, std::string(1, static_cast<char>(b))) != static_cast<char32_t>(b) &&
            b != 0) {
            fail("a byte below 0x80 is not ASCII");
        }
    }
    std::array<std::uint16_t, 128> single{};
    for (int b = 0x80; b <= 0xFF; ++b) {
        single.at(static_cast<std::size_t>(b - 0x80)) =
            static_cast<std::uint16_t>(decode(to_unicode, std::string(1, static_cast<char>(b))));
    }
    std::vector<std::uint16_t> pairs(std::size_t{126} * 191);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            pairs.at(static_cast<std::size_t>((lead - 0x81) * 191 + trail - 0x40)) =
                static_cast<std::uint16_t>(decode(to_unicode, gbk));
        }
    }

    // The inverse the codec builds from these tables: each code point to the lowest code that
    // decodes to it. Where iconv encodes otherwise, the difference is listed.
    std::map<char32_t, std::uint16_t> inverse;
    for (std::size_t i = 0; i < single.size(); ++i) {
        if (single.at(i) != 0) {
            inverse.emplace(single.at(i), static_cast<std::uint16_t>(0x80 + i));
        }
    }
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (pairs.at(i) != 0) {
            inverse.emplace(pairs.at(i),
                            static_cast<std::uint16_t>((0x81 + i / 191) << 8U | (0x40 + i % 191)));
        }
    }
    std::vector<std::pair<char32_t, std::uint16_t>> exceptions;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const auto got = to_gbk.convert(utf32(c));
        std::uint16_t code = 0;
        if (got && got->size() == 1) {
            code = static_cast<unsigned char>((*got)[0]);
        } else if (got && got->size() == 2) {
            code = static_cast<std::uint16_t>(static_cast<unsigned char>((*got)[0]) << 8U |
                                              static_cast<unsigned char>((*got)[1]));
        } else if (got) {
            fail("a character encodes to more than two bytes");
        }
        const auto found = inverse.find(c);
        const std::uint16_t expected = found == inverse.end() ? 0 : found->second;
        if (code != expected) {
            exceptions.emplace_back(c, code);
        }
    }
    // Beyond the Basic Multilingual Plane GBK has no forms; iconv drops the tag characters
    // U+E0000 to U+E007F, which the codec does too.
    for (char32_t c = 0x10000; c <= 0x10FFFF; ++c) {
        const auto got = to_gbk.convert(utf32(c));
        const bool tag = c >= 0xE0000 && c <= 0xE007F;
        if (tag ? !got || !got->empty() : got.has_value()) {
            fail("a character beyond the Basic Multilingual Plane converts unlike the codec");
        }
    }

    std::printf(
        "// Generated by quorvel_gbk_table_generator from this system's iconv (CP936); do not\n"
        "// edit. A 0 stands for no character.\n\n"
        "// The code points of the single bytes 0x80 to 0xFF.\n"
        "constexpr std::array<std::uint16_t, 128> single_byte = {");
    print_values(single);
    std::printf(
        "\n};\n\n"
        "// The code points of the byte pairs: lead byte 0x81 to 0xFE, each with 191 trail bytes\n"
        "// 0x40 to 0xFE.\n"
        "constexpr std::array<std::uint16_t, std::size_t{126} * 191> byte_pair = {");
    print_values(pairs);
    std::printf(
        "\n};\n\n"
        "// The characters that do not encode to the lowest code decoding to them: the code\n"
        "// point and its code (0: no GBK form).\n"
        "constexpr std::array<encoding_exception, %zu> encoding_exceptions = {{",
        exceptions.size());
    for (const auto& [c, code] : exceptions) {
        std::printf("\n    {0x%04X, 0x%04X},", static_cast<unsigned>(c), code);
    }
    std::printf("\n}};\n");
    return 0;
}
