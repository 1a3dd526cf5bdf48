#pragma once

#include <string_view>

namespace quorvel {

// Reads the number at the start of a box's GBK text. Full-width digits, signs, the full-width
// full stop and the ideographic space are first folded to ASCII. Then: leading white space, an
// optional sign, digits with at most one full stop, an optional exponent (e, E, d or D, an
// optional sign, digits); reading stops at the first character that does not continue the
// number. The value is the double nearest to the decimal number read, an infinity of the
// number's sign beyond the double range, and 0.0 when the mantissa holds no digit. Never fails,
// for any bytes; the same in every locale; linear in the length of the text.
double text_to_number(std::string_view text);

}  // namespace quorvel
