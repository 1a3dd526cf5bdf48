#pragma once

#include "calc/result_line.h"
#include "calc/window_port.h"
#include "calc/working_values.h"

namespace quorvel {

// What both break-even rules do once they know their pivot (the letter, 0 for x, of the odds
// that is to pay back exactly the total): the pivot gets its raw stake, total / its odds, and the
// rest of the total goes to the other odds, spread so that each of them pays back the same. Ends
// with a notice, or with the result line in the given mode.
//
// Two odds take a short path: one overall check, then the other odds gets the total less the
// pivot's raw stake. Three or four odds pass the overall check and then the remainder check.
void break_even_on_pivot(int n, int pivot, whole_number_mode mode, working_values& values,
                         window_port& window);

}  // namespace quorvel
