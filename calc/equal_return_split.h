#pragma once

#include "calc/window_port.h"
#include "calc/working_values.h"

namespace quorvel {

// The rule of 按钮1: spreads the total over the first n odds so that every outcome returns the
// same amount. Refuses with a notice unless the raw stakes leave more than 1e-7 of the total.
void equal_return_split(int n, working_values& values, window_port& window);

}  // namespace quorvel
