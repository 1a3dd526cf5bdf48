#pragma once

#include <string_view>

// The notices a press can end with, as GBK bytes.
namespace quorvel::notice_text {

// 您未输入交易金额！
inline constexpr std::string_view no_total =
    "\xC4\xFA\xCE\xB4\xCA\xE4\xC8\xEB\xBD\xBB\xD2\xD7\xBD\xF0\xB6\xEE\xA3\xA1";
// 请按顺序从上向下输入赔率！！
inline constexpr std::string_view odds_out_of_order =
    "\xC7\xEB\xB0\xB4\xCB\xB3\xD0\xF2\xB4\xD3\xC9\xCF\xCF\xF2\xCF\xC2\xCA\xE4\xC8\xEB\xC5\xE2\xC2"
    "\xCA"
    "\xA3\xA1\xA3\xA1";

// 赔率不够！ followed by a tag that names the case.
#define QUORVEL_ODDS_SHORT "\xC5\xE2\xC2\xCA\xB2\xBB\xB9\xBB\xA3\xA1"
inline constexpr std::string_view odds_short_two = QUORVEL_ODDS_SHORT "(1)";
inline constexpr std::string_view odds_short_three = QUORVEL_ODDS_SHORT "(2)";
inline constexpr std::string_view odds_short_four = QUORVEL_ODDS_SHORT "(3)";
inline constexpr std::string_view odds_short_overall = QUORVEL_ODDS_SHORT "(2.1)";
inline constexpr std::string_view odds_short_remainder = QUORVEL_ODDS_SHORT "(2.2)";
#undef QUORVEL_ODDS_SHORT

}  // namespace quorvel::notice_text
