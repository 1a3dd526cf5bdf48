#include "cli/explanation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "calc/text_to_number.h"
#include "cli/number_text.h"

namespace quorvel::cli {
namespace {

constexpr std::array<char, 4> letter_names = {'x', 'y', 'z', 't'};

// The whole numbers after the "=" of a result line, in letter order.
std::vector<std::int32_t> shown_stakes(std::string_view line) {
    std::vector<std::int32_t> stakes;
    std::size_t at = line.find('=');
    while (at != std::string_view::npos && at + 1 < line.size()) {
        std::int32_t stake = 0;
        const char* const begin = line.data() + at + 1;
        const auto [end, error] = std::from_chars(begin, line.data() + line.size(), stake);
        if (error != std::errc{}) {
            break;
        }
        stakes.push_back(stake);
        at = static_cast<std::size_t>(end - line.data());
        if (at == line.size() || line[at] != ':') {
            break;
        }
    }
    return stakes;
}

// Rows of cells as a table: the first column to the left, the others to the right, each as
// wide as its widest cell, two spaces between columns.
std::string table(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], row[column].size());
        }
    }
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::size_t padding = widths[column] - row[column].size();
            if (column > 0) {
                out.append(2 + padding, ' ');
            }
            out += row[column];
            if (column == 0 && row.size() > 1) {
                out.append(padding, ' ');
            }
        }
        out += '\n';
    }
    return out;
}

}  // namespace

std::optional<explanation> explain(const box_texts& texts, const press_outcome& outcome) {
    if (outcome.shown != press_outcome::kind::result) {
        return std::nullopt;
    }
    const std::vector<std::int32_t> stakes = shown_stakes(outcome.text);
    explanation e;
    e.total = text_to_number(texts[0]);
    double reciprocals = 0.0;
    for (std::size_t i = 0; i < stakes.size() && i < letter_names.size(); ++i) {
        letter_explanation letter;
        letter.letter = letter_names.at(i);
        letter.stake = stakes[i];
        letter.odds = text_to_number(texts.at(i + 1));
        letter.payback = static_cast<double>(letter.stake) * letter.odds;
        e.staked += static_cast<double>(letter.stake);
        reciprocals += 1.0 / letter.odds;
        e.letters.push_back(letter);
    }
    e.unspent = e.total - e.staked;
    for (auto& letter : e.letters) {
        letter.profit = letter.payback - e.staked;
    }
    const auto by_profit = [](const letter_explanation& a, const letter_explanation& b) {
        return a.profit < b.profit;
    };
    if (!e.letters.empty()) {
        e.worst_profit = std::min_element(e.letters.begin(), e.letters.end(), by_profit)->profit;
        e.best_profit = std::max_element(e.letters.begin(), e.letters.end(), by_profit)->profit;
    }
    e.book_margin_percent = (reciprocals - 1.0) * 100.0;
    return e;
}

std::string money_text(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    return two_decimals_text(value);
}

std::string odds_text(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    return shortest_text(value);
}

std::string explanation_text(const explanation& e) {
    std::vector<std::vector<std::string>> letters = {{"", "stake", "odds", "return", "profit"}};
    for (const auto& letter : e.letters) {
        letters.push_back({std::string(1, letter.letter), std::to_string(letter.stake),
                           odds_text(letter.odds), money_text(letter.payback),
                           money_text(letter.profit)});
    }
    const std::vector<std::vector<std::string>> sums = {
        {"total", money_text(e.total)},
        {"staked", money_text(e.staked)},
        {"unspent", money_text(e.unspent)},
        {"worst profit", money_text(e.worst_profit)},
        {"best profit", money_text(e.best_profit)},
        {"book margin", money_text(e.book_margin_percent)},
    };
    std::string out = table(letters);
    out += '\n';
    out += table(sums);
    out.pop_back();  // the margin, on the last line, is in per cent
    out += "%\n";
    return out;
}

}  // namespace quorvel::cli
