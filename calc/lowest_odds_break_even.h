#pragma once

#include "calc/window_port.h"
#include "calc/working_values.h"

namespace quorvel {

// The rule of 按钮2: the lowest odds gets the stake that pays back exactly the total and the rest
// is spread over the other odds. Odds within 1e-7 of each other count as equal, and then the
// later letter is the pivot. Whole numbers are truncated.
void lowest_odds_break_even(int n, working_values& values, window_port& window);

}  // namespace quorvel
