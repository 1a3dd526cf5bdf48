#include "calc/text_to_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

// The decimal conversion underneath: correctly rounded, locale-free, and right whatever the
// floating-point rounding mode is.
#include <fast_float/fast_float.h>

namespace quorvel {
namespace {

// Stage 1: folding. A byte below 0x80 is copied. A byte of 0x80 or above starts a two-byte
// character: the full-width ASCII forms (A3 A1 to A3 FE), the ideographic space (A1 A1), the
// full-width tilde (A1 AB) and the two stars (A1 EE, A1 EF) become single ASCII bytes, any other
// pair is copied, and a lead byte that ends the text is dropped.
std::string folded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size()) {
            break;
        }
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            out += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out += '*';
        } else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Space, tab, line feed, vertical tab, form feed and carriage return.
bool is_blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* skip_digits(const char* p, const char* end) {
    while (p != end && is_digit(*p)) {
        ++p;
    }
    return p;
}

const char* skip_zeros(const char* p, const char* end) {
    while (p != end && *p == '0') {
        ++p;
    }
    return p;
}

// Significant digits beyond this many cannot change which double is nearest, as long as a
// dropped non-zero digit is kept as a final sticky 1: every halfway point between two doubles
// has at most 767 significant digits.
constexpr std::size_t kept_digits = 800;

// Decimal orders beyond these lie far outside the double range (about 1.8e308 down to 4.9e-324).
constexpr std::int64_t order_above_range = 400;
constexpr std::int64_t order_below_range = -400;

// Plain numbers up to this many characters go straight to the decimal conversion.
constexpr std::ptrdiff_t plain_length_limit = 100;

// Exponent digits saturate here; any larger exponent gives the same infinity or zero.
constexpr std::int64_t exponent_ceiling = 1'000'000'000'000'000;

double with_sign(bool negative, double magnitude) {
    return negative ? -magnitude : magnitude;
}

// The parts of a number in a folded text: the digits before and after the full stop, and the
// exponent. The mantissa holds at least one digit.
struct scanned_number {
    bool negative = false;
    const char* whole_start = nullptr;
    const char* whole_end = nullptr;
    const char* fraction_start = nullptr;
    const char* fraction_end = nullptr;
    // The byte that stopped the reading: every byte before it was read as part of the number
    // or of its lead, so the outcome depends on no byte beyond it.
    const char* stop = nullptr;
    std::int64_t exponent = 0;  // saturated at exponent_ceiling
};

// Reads the number's parts; returns false when the mantissa holds no digit.
bool scan_number(const char* p, const char* const end, scanned_number& number) {
    while (p != end && is_blank(*p)) {
        ++p;
    }
    number.negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) {
        ++p;
    }
    number.whole_start = p;
    number.whole_end = skip_digits(p, end);
    number.fraction_start = number.whole_end;
    number.fraction_end = number.whole_end;
    if (number.whole_end != end && *number.whole_end == '.') {
        number.fraction_start = number.whole_end + 1;
        number.fraction_end = skip_digits(number.fraction_start, end);
    }
    number.stop = number.fraction_end;
    if (number.whole_start == number.whole_end && number.fraction_start == number.fraction_end) {
        return false;
    }

    p = number.fraction_end;
    if (p == end || (*p != 'e' && *p != 'E' && *p != 'd' && *p != 'D')) {
        return true;
    }
    ++p;
    const bool negative_exponent = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) {
        ++p;
    }
    const char* const digits_end = skip_digits(p, end);
    number.stop = digits_end;
    if (digits_end == p) {
        return true;  // a letter without digits is not part of the number
    }
    std::int64_t value = 0;
    for (const char* d = p; d != digits_end && value < exponent_ceiling; ++d) {
        value = value * 10 + (*d - '0');
    }
    number.exponent = negative_exponent ? -value : value;
    return true;
}

// Any number: its significant digits (at most kept_digits and a sticky digit) and a power of
// ten are written out in a plain form, after the order of magnitude has settled infinity and
// zero far outside the double range.
double convert_normalised(const scanned_number& number) {
    const char* const significant_whole = skip_zeros(number.whole_start, number.whole_end);
    const char* const significant_fraction =
        significant_whole == number.whole_end
            ? skip_zeros(number.fraction_start, number.fraction_end)
            : number.fraction_start;
    const auto whole_count = static_cast<std::size_t>(number.whole_end - significant_whole);
    const auto fraction_count =
        static_cast<std::size_t>(number.fraction_end - significant_fraction);
    std::size_t count = whole_count + fraction_count;
    if (count == 0) {
        return with_sign(number.negative, 0.0);
    }
    // value = digits x 10^scale
    std::int64_t scale = -static_cast<std::int64_t>(number.fraction_end - number.fraction_start);

    std::array<char, kept_digits + 1 + 24> buffer;  // NOLINT(*-member-init): written before read
    char* out = buffer.data();
    const std::size_t kept_whole = std::min(whole_count, kept_digits);
    const std::size_t kept_fraction = std::min(fraction_count, kept_digits - kept_whole);
    std::memcpy(out, significant_whole, kept_whole);
    std::memcpy(out + kept_whole, significant_fraction, kept_fraction);
    out += kept_whole + kept_fraction;
    if (count > kept_digits) {
        // A non-zero digit among the dropped ones becomes a final 1.
        const auto non_zero = [](char c) { return c != '0'; };
        const bool sticky =
            std::any_of(significant_whole + kept_whole, number.whole_end, non_zero) ||
            std::any_of(significant_fraction + kept_fraction, number.fraction_end, non_zero);
        scale += static_cast<std::int64_t>(count - kept_digits);
        count = kept_digits;
        if (sticky) {
            *out++ = '1';
            --scale;
            ++count;
        }
    }

    const std::int64_t power = scale + number.exponent;
    const std::int64_t order = power + static_cast<std::int64_t>(count) - 1;
    const double infinity = std::numeric_limits<double>::infinity();
    if (order > order_above_range) {
        return with_sign(number.negative, infinity);
    }
    if (order < order_below_range) {
        return with_sign(number.negative, 0.0);
    }
    if (power != 0) {
        *out++ = 'e';
        out = std::to_chars(out, buffer.data() + buffer.size(), power).ptr;
    }
    double magnitude = 0.0;
    const auto result =
        fast_float::from_chars(buffer.data(), out, magnitude, fast_float::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {  // in versions that report it
        magnitude = order > 0 ? infinity : 0.0;
    }
    return with_sign(number.negative, magnitude);
}

// The common case, a short plain number such as "2.5" or "100": after the blanks and the sign,
// the text starts with a digit or a full stop, so the decimal conversion can only read digits, a
// full stop and an e or E exponent, the same grammar as here. It is taken when the conversion
// succeeds and stopped where this reading stops too: at the end, or at an ASCII byte that
// neither folds nor starts an exponent. Anything else goes the general way.
bool read_plain_number(const char* p, const char* const end, double& value) {
    bool negative = false;
    if (p == end || !is_digit(*p)) {  // most texts start with their first digit
        while (p != end && is_blank(*p)) {
            ++p;
        }
        negative = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) {
            ++p;
        }
        if (p == end || !(is_digit(*p) || *p == '.')) {
            return false;
        }
    }
    double magnitude = 0.0;
    const auto [stop, error] =
        fast_float::from_chars(p, end, magnitude, fast_float::chars_format::general);
    if (error != std::errc{} || stop - p > plain_length_limit) {
        return false;
    }
    if (stop != end) {
        const char next = *stop;
        if (static_cast<unsigned char>(next) >= 0x80 || next == 'e' || next == 'E' || next == 'd' ||
            next == 'D') {
            return false;
        }
    }
    value = with_sign(negative, magnitude);
    return true;
}

// Any text: fold it when the reading would meet a two-byte character, scan the number's parts,
// and convert its significant digits.
// Kept out of line, so that the common case needs no stack frame of its size.
[[gnu::noinline]] double read_any_number(std::string_view text) {
    const char* const end = text.data() + text.size();
    scanned_number number;
    bool has_digit = scan_number(text.data(), end, number);
    // Folding changes only two-byte characters. When the reading of the raw text stops at the
    // end or at an ASCII byte, every byte it read is ASCII and the folded text reads the same.
    std::string ascii;
    if (number.stop != end && static_cast<unsigned char>(*number.stop) >= 0x80) {
        ascii = folded(text);
        has_digit = scan_number(ascii.data(), ascii.data() + ascii.size(), number);
    }
    return has_digit ? convert_normalised(number) : 0.0;
}

}  // namespace

double text_to_number(std::string_view text) {
    double value = 0.0;
    if (read_plain_number(text.data(), text.data() + text.size(), value)) {
        return value;
    }
    return read_any_number(text);
}

}  // namespace quorvel
