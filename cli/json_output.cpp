#include "cli/json_output.h"

#include <array>
#include <cmath>

namespace quorvel::cli {
namespace {

// A JSON string: quotes and backslashes escaped, control characters as \u00XX, UTF-8 as it is.
std::string quoted(std::string_view text) {
    static constexpr std::array<char, 16> hex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += hex.at(byte >> 4U);
            out += hex.at(byte & 0xFU);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string money(double value) {
    return std::isfinite(value) ? money_text(value) : "null";
}

std::string odds(double value) {
    return std::isfinite(value) ? odds_text(value) : "null";
}

}  // namespace

std::string press_json(const press_outcome& outcome, std::string_view notice_utf8,
                       const std::optional<explanation>& explained) {
    switch (outcome.shown) {
        case press_outcome::kind::notice:
            return R"({"kind":"notice","notice":)" + quoted(notice_utf8) + "}";
        case press_outcome::kind::silent:
            return R"({"kind":"silent"})";
        case press_outcome::kind::result:
            break;
    }
    std::string out = R"({"kind":"result","line":)" + quoted(outcome.text);
    if (explained) {
        const explanation& e = *explained;
        out += R"(,"total":)" + money(e.total) + R"(,"letters":[)";
        for (std::size_t i = 0; i < e.letters.size(); ++i) {
            const letter_explanation& letter = e.letters[i];
            out += i > 0 ? "," : "";
            out += R"({"letter":")" + std::string(1, letter.letter) + R"(","stake":)" +
                   std::to_string(letter.stake) + R"(,"odds":)" + odds(letter.odds) +
                   R"(,"return":)" + money(letter.payback) + R"(,"profit":)" +
                   money(letter.profit) + "}";
        }
        out += R"(],"staked":)" + money(e.staked) + R"(,"unspent":)" + money(e.unspent) +
               R"(,"worst_profit":)" + money(e.worst_profit) + R"(,"best_profit":)" +
               money(e.best_profit) + R"(,"book_margin_percent":)" + money(e.book_margin_percent);
    }
    return out + "}";
}

std::string error_json(std::string_view reason) {
    return R"({"kind":"error","reason":)" + quoted(reason) + "}";
}

}  // namespace quorvel::cli
