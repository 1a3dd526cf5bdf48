#include "calc/text_to_number.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace quorvel {
namespace {

// A folded character that is not ASCII: it continues no number.
constexpr int other_character = 0x100;
constexpr int end_of_text = -1;

// Walks the text one character at a time, folding full-width forms to ASCII on the way. A byte
// of 0x80 or above starts a two-byte character; when it is the text's last byte it is dropped.
class folded_cursor {
public:
    explicit folded_cursor(std::string_view text)
        : next_(reinterpret_cast<const unsigned char*>(text.data())), end_(next_ + text.size()) {
        load();
    }

    int peek() const { return current_; }

    void advance() {
        next_ += width_;
        load();
    }

private:
    static int fold_pair(unsigned char lead, unsigned char trail) {
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            return trail - 0x80;  // full-width ASCII forms
        }
        if (lead == 0xA1) {
            switch (trail) {
                case 0xA1:
                    return ' ';  // ideographic space
                case 0xAB:
                    return '~';
                case 0xEE:
                case 0xEF:
                    return '*';
                default:
                    break;
            }
        }
        return other_character;
    }

    void load() {
        if (next_ == end_) {
            current_ = end_of_text;
            width_ = 0;
        } else if (*next_ < 0x80) {
            current_ = *next_;
            width_ = 1;
        } else if (end_ - next_ == 1) {
            current_ = end_of_text;  // a lone lead byte at the end is dropped
            width_ = 0;
        } else {
            current_ = fold_pair(next_[0], next_[1]);
            width_ = 2;
        }
    }

    const unsigned char* next_;
    const unsigned char* end_;
    int current_ = end_of_text;
    std::ptrdiff_t width_ = 0;
};

bool is_digit(int c) { return c >= '0' && c <= '9'; }

bool is_blank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Significant digits beyond this many cannot change which double is nearest, as long as a
// dropped non-zero digit is kept as a final sticky 1: every halfway point between two doubles
// has at most 767 significant digits.
constexpr std::size_t kept_digits = 800;

// Decimal orders beyond these are far outside the double range (about 1.8e308 down to 4.9e-324).
constexpr std::int64_t order_above_range = 400;
constexpr std::int64_t order_below_range = -400;

// Exponent digits saturate here; any larger exponent gives the same infinity or zero.
constexpr std::int64_t exponent_ceiling = 1'000'000'000'000'000;

// The number as read: value = digits x 10^scale, with at most kept_digits digits.
struct decimal_number {
    bool negative = false;
    bool any_digit = false;
    std::array<char, kept_digits + 1> digits{};
    std::size_t digit_count = 0;
    bool sticky = false;  // a non-zero digit beyond kept_digits was dropped
    std::int64_t scale = 0;
};

void read_mantissa(folded_cursor& cursor, decimal_number& number) {
    bool after_point = false;
    for (;;) {
        int c = cursor.peek();
        if (is_digit(c)) {
            number.any_digit = true;
            if (number.digit_count == 0 && c == '0') {
                if (after_point) {
                    --number.scale;  // a leading zero of the fraction
                }
            } else if (number.digit_count < kept_digits) {
                number.digits[number.digit_count++] = static_cast<char>(c);
                if (after_point) {
                    --number.scale;
                }
            } else {
                number.sticky = number.sticky || c != '0';
                if (!after_point) {
                    ++number.scale;  // a dropped integer digit still counts for the order
                }
            }
        } else if (c == '.' && !after_point) {
            after_point = true;
        } else {
            return;
        }
        cursor.advance();
    }
}

// The exponent, when a letter e, E, d or D is followed by digits (after an optional sign).
std::int64_t read_exponent(folded_cursor& cursor) {
    int c = cursor.peek();
    if (c != 'e' && c != 'E' && c != 'd' && c != 'D') {
        return 0;
    }
    cursor.advance();
    bool negative = false;
    c = cursor.peek();
    if (c == '+' || c == '-') {
        negative = c == '-';
        cursor.advance();
    }
    std::int64_t value = 0;
    for (c = cursor.peek(); is_digit(c); cursor.advance(), c = cursor.peek()) {
        if (value < exponent_ceiling) {
            value = value * 10 + (c - '0');
        }
    }
    // Without digits the letter and its sign are not part of the number: the value is 0 then.
    return negative ? -value : value;
}

double with_sign(bool negative, double magnitude) { return negative ? -magnitude : magnitude; }

}  // namespace

double text_to_number(std::string_view text) {
    folded_cursor cursor(text);
    while (is_blank(cursor.peek())) {
        cursor.advance();
    }
    decimal_number number;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        number.negative = cursor.peek() == '-';
        cursor.advance();
    }
    read_mantissa(cursor, number);
    if (!number.any_digit) {
        return 0.0;
    }
    std::int64_t exponent = read_exponent(cursor);
    if (number.digit_count == 0) {
        return with_sign(number.negative, 0.0);
    }

    if (number.sticky) {
        number.digits[number.digit_count++] = '1';
        --number.scale;
    } else {
        while (number.digits[number.digit_count - 1] == '0') {
            --number.digit_count;
            ++number.scale;
        }
    }
    const std::int64_t power = number.scale + exponent;
    const std::int64_t order = power + static_cast<std::int64_t>(number.digit_count) - 1;
    const double infinity = std::numeric_limits<double>::infinity();
    if (order > order_above_range) {
        return with_sign(number.negative, infinity);
    }
    if (order < order_below_range) {
        return with_sign(number.negative, 0.0);
    }

    // digits, 'e', the power: a plain form that the standard conversion rounds correctly.
    std::array<char, kept_digits + 1 + 24> buffer{};
    char* out = buffer.data();
    for (std::size_t i = 0; i < number.digit_count; ++i) {
        *out++ = number.digits[i];
    }
    if (power != 0) {
        *out++ = 'e';
        out = std::to_chars(out, buffer.data() + buffer.size(), power).ptr;
    }
    double magnitude = 0.0;
    const auto [end, error] =
        std::from_chars(buffer.data(), out, magnitude, std::chars_format::general);
    static_cast<void>(end);
    if (error == std::errc::result_out_of_range) {
        magnitude = order > 0 ? infinity : 0.0;
    }
    return with_sign(number.negative, magnitude);
}

}  // namespace quorvel
