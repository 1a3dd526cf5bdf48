// Feeds any bytes to text_to_number and checks what must hold of the value:
// - a text of ASCII digits, signs, full stops and e or E reads as the C library's correctly
//   rounded conversion of the same text;
// - the full-width form of a printable ASCII text reads the same as the text;
// - the same text read twice gives the same value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/fp_environment.h"
#include "calc/text_to_number.h"

namespace {

bool same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

bool is_plain_number_text(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789+-.eE") == std::string_view::npos;
}

bool is_printable_ascii(std::string_view text) {
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

// Each printable ASCII character as its full-width GBK form; a space as the ideographic space.
std::string full_width(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ') {
            out += "\xA1\xA1";
        } else {
            out += '\xA3';
            out += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    quorvel::set_fp_environment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = quorvel::text_to_number(text);
    if (!same(value, quorvel::text_to_number(text))) {
        std::abort();
    }
    if (std::isnan(value)) {
        std::abort();  // no text reads as not-a-number
    }
    if (is_plain_number_text(text)) {
        const std::string terminated(text);
        if (!same(value, std::strtod(terminated.c_str(), nullptr))) {
            std::abort();
        }
    }
    if (is_printable_ascii(text) && !same(value, quorvel::text_to_number(full_width(text)))) {
        std::abort();
    }
    return 0;
}
