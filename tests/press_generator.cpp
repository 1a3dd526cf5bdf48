// Writes presses in quorvel-cli's batch format, for comparing two builds of the program line by
// line: first every case of the shared case table, then COUNT generated presses.
//   quorvel_press_generator COUNT [SEED]
// The generated presses aim at what differs first when arithmetic or text reading goes wrong:
// every fill pattern of the boxes, odds near a tie, odds whose reciprocals add up to within a
// hair of the check margin, zeros, negatives and extremes, and texts in every form a box can
// hold (full-width and two-byte characters, blanks, exponents, long mantissas, raw bytes).
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "rule_cases.h"

namespace {

class generator {
  public:
    explicit generator(std::uint64_t seed) : random_(seed) {}

    // One press: the button (1 to 3) and the five texts, raw GBK.
    std::string press(std::uint64_t turn) {
        std::array<std::string, 5> texts;
        const std::uint64_t button = 1 + pick(3);
        switch (turn % 8) {
            case 0:
                every_fill_pattern(turn, texts);
                break;
            case 1:
                typical(texts);
                break;
            case 2:
            case 3:
                near_the_margin(texts);
                break;
            case 4:
                near_a_tie(texts);
                break;
            case 5:
                extremes(texts);
                break;
            case 6:
                typical(texts);
                for (auto& text : texts) {
                    if (!text.empty() && pick(2) == 0) {
                        text = in_another_form(text);
                    }
                }
                break;
            default:
                raw_bytes(texts);
                break;
        }
        return line(button, texts);
    }

    static std::string line(std::uint64_t button, const std::array<std::string, 5>& texts) {
        std::string out = std::to_string(button);
        for (const auto& text : texts) {
            out += '\t';
            out += escaped(text);
        }
        return out;
    }

  private:
    std::uint64_t pick(std::uint64_t count) { return random_() % count; }

    static std::string text_of(double value) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    }

    // A decimal with up to `places` places, as people type totals and odds.
    std::string decimal(std::uint64_t low, std::uint64_t high, int places) {
        std::string text = std::to_string(low + pick(high - low + 1));
        const int count = static_cast<int>(pick(static_cast<std::uint64_t>(places) + 1));
        if (count > 0) {
            text += '.';
            for (int i = 0; i < count; ++i) {
                text += static_cast<char>('0' + pick(10));
            }
        }
        return text;
    }

    std::string total() { return pick(4) == 0 ? decimal(1, 100000, 2) : decimal(1, 100000, 0); }
    std::string odds() { return decimal(1, 19, 3); }

    // All 32 patterns of empty and filled boxes, in turn.
    void every_fill_pattern(std::uint64_t turn, std::array<std::string, 5>& texts) {
        const std::uint64_t pattern = (turn / 8) % 32;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if ((pattern >> i & 1U) != 0) {
                texts.at(i) = i == 0 ? total() : odds();
            }
        }
    }

    void typical(std::array<std::string, 5>& texts) {
        texts[0] = total();
        const std::size_t n = 2 + pick(3);
        for (std::size_t i = 1; i <= n; ++i) {
            texts.at(i) = odds();
        }
    }

    // The reciprocals of the odds add up to within a few times 1e-7 / total of 1, so that the
    // overall check is decided by the last bits.
    void near_the_margin(std::array<std::string, 5>& texts) {
        const double amount = static_cast<double>(pick(100000) + 1);
        texts[0] = text_of(amount);
        const std::size_t n = 2 + pick(3);
        double reciprocals = 0.0;
        for (std::size_t i = 1; i < n; ++i) {
            const double o = static_cast<double>(pick(1900) + 101) / 100.0 * static_cast<double>(n);
            reciprocals += 1.0 / o;
            texts.at(i) = text_of(o);
        }
        const double margin = 1e-7 / amount * static_cast<double>(pick(4001)) / 1000.0;
        double last = 1.0 / (1.0 - reciprocals - margin);
        for (std::uint64_t k = pick(3); k > 0; --k) {
            last = std::nextafter(last, pick(2) == 0 ? 0.0 : 100.0);
        }
        texts.at(n) = text_of(last);
    }

    // Two odds 1e-7 apart, give or take a few units in the last place, so that the pivot is
    // decided by the comparison's last bits.
    void near_a_tie(std::array<std::string, 5>& texts) {
        typical(texts);
        const std::size_t n = texts[4].empty() ? (texts[3].empty() ? 2 : 3) : 4;
        const std::size_t a = 1 + pick(n);
        const std::size_t b = 1 + (a + pick(n - 1)) % n;
        const double base = std::strtod(texts.at(a).c_str(), nullptr);
        double other = base + (pick(2) == 0 ? 1e-7 : -1e-7);
        for (std::uint64_t k = pick(4); k > 0; --k) {
            other = std::nextafter(other, pick(2) == 0 ? 0.0 : 100.0);
        }
        texts.at(b) = text_of(other);
    }

    void extremes(std::array<std::string, 5>& texts) {
        static const std::array<const char*, 16> values = {"0",
                                                           "-0",
                                                           "-100",
                                                           "1e300",
                                                           "1e-300",
                                                           "4.9e-324",
                                                           "1e999",
                                                           "-1e999",
                                                           "1",
                                                           "0.5",
                                                           "1.0000001",
                                                           "-2",
                                                           "2.2250738585072014e-308",
                                                           "1.7976931348623157e308",
                                                           "9223372036854775808",
                                                           "2147483648"};
        typical(texts);
        for (auto& text : texts) {
            if (!text.empty() && pick(3) == 0) {
                text = values.at(pick(values.size()));
            }
        }
    }

    // The same number written another way a box can hold it.
    std::string in_another_form(const std::string& text) {
        switch (pick(8)) {
            case 0: {  // full-width digits, full stop and signs (GBK A3 xx)
                std::string wide;
                for (const char c : text) {
                    wide += '\xA3';
                    wide += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
                }
                return wide;
            }
            case 1:
                return "\xA1\xA1" + text;  // an ideographic space first
            case 2:
                return std::string(1 + pick(3), ' ') + (pick(2) == 0 ? "+" : "") + text;
            case 3:
                return text + "\xD4\xAA";  // a two-byte character after the number
            case 4:
                return text + "\xD4";  // a lone lead byte at the end
            case 5:
                return text + "d0";  // an exponent letter read as one
            case 6:  // a long mantissa: the number padded far beyond what a double holds
                return text + (text.find('.') == std::string::npos ? "." : "") +
                       std::string(400 + pick(800), '0') + std::to_string(pick(10));
            default:
                return "000" + text + "e+0";
        }
    }

    void raw_bytes(std::array<std::string, 5>& texts) {
        typical(texts);
        static const std::string alphabet =
            "0123456789.+-eEdD \t\r\n\\x\xA3\xA1\xB0\xAE\xD4\x80\xFF";
        for (auto& text : texts) {
            if (pick(3) == 0) {
                text.clear();
                for (std::uint64_t k = pick(12); k > 0; --k) {
                    text += alphabet.at(pick(alphabet.size()));
                }
            }
        }
    }

    // Raw bytes in the batch format: a backslash, a tab, a line break and every byte outside
    // printable ASCII as an escape.
    static std::string escaped(const std::string& text) {
        std::string out;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '\\') {
                out += "\\\\";
            } else if (c == '\t') {
                out += "\\t";
            } else if (c == '\n') {
                out += "\\n";
            } else if (c == '\r') {
                out += "\\r";
            } else if (byte < 0x20 || byte >= 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                out += hex;
            } else {
                out += c;
            }
        }
        return out;
    }

    std::mt19937_64 random_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: quorvel_press_generator COUNT [SEED]\n", stderr);
        return 64;
    }
    const std::uint64_t count = std::strtoull(argv[1], nullptr, 10);
    const std::uint64_t seed = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 20261211;
    for (const auto& c : quorvel::testing::rule_cases()) {
        std::array<std::string, 5> texts;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            texts.at(i) = c.texts[i];
        }
        std::printf("%s\n",
                    generator::line(static_cast<std::uint64_t>(c.pressed) + 1, texts).c_str());
    }
    generator source(seed);
    for (std::uint64_t turn = 0; turn < count; ++turn) {
        std::printf("%s\n", source.press(turn).c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 74;
}
