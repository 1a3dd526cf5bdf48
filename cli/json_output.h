#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/explanation.h"
#include "cli/press_outcome.h"

// Presses as JSON, one object per press on one line, for scripts.
namespace quorvel::cli {

// {"kind":"result","line":...,"total":...,"letters":[{"letter","stake","odds","return",
// "profit"}...],"staked","unspent","worst_profit","best_profit","book_margin_percent"} for a
// result line (money with two decimals, a value that is not finite as null);
// {"kind":"notice","notice":...} with the notice in UTF-8; {"kind":"silent"}.
std::string press_json(const press_outcome& outcome, std::string_view notice_utf8,
                       const std::optional<explanation>& explained);

// {"kind":"error","reason":...} for a batch line that cannot be read.
std::string error_json(std::string_view reason);

}  // namespace quorvel::cli
