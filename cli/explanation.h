#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/press_outcome.h"

namespace quorvel::cli {

// What one letter of a result line means for the one who bets.
struct letter_explanation {
    char letter = 'x';
    std::int32_t stake = 0;  // the whole number the line shows
    double odds = 0.0;       // as the press read it from the box
    double payback = 0.0;    // stake x odds: what comes back if this outcome wins
    double profit = 0.0;     // payback less the sum of the shown stakes
};

// A result line explained: each letter in use, the sum of the shown stakes, what of the total
// they leave unspent, the worst and the best profit, and the book's margin (the sum of 1 / odds,
// less 1, in per cent). Plain double arithmetic: it is there to read, and decides nothing.
struct explanation {
    std::vector<letter_explanation> letters;
    double total = 0.0;
    double staked = 0.0;
    double unspent = 0.0;
    double worst_profit = 0.0;
    double best_profit = 0.0;
    double book_margin_percent = 0.0;
};

// The explanation of a press that showed a result line, from the box texts it read; nothing for
// a notice or a silent press.
std::optional<explanation> explain(const box_texts& texts, const press_outcome& outcome);

// Aligned columns for a person, two decimals for money, ending in a line break.
std::string explanation_text(const explanation& e);

// Money with two decimals; "inf", "-inf" or "nan" for a value that is not finite.
std::string money_text(double value);

// The shortest text that reads back as the same double, as people write odds ("2.5", "3").
std::string odds_text(double value);

}  // namespace quorvel::cli
