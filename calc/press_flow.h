#pragma once

#include <string_view>

#include "calc/window_port.h"
#include "calc/working_values.h"

namespace quorvel {

// True when the text has no characters at all; a text of blanks is not empty.
inline bool is_empty_text(std::string_view text) {
    return text.empty();
}

// One press of a button: blanks the result label, reads the total and the odds from the boxes
// into the working values, finds the odds count from which boxes are filled, and hands the press
// to the button's rule. Ends with one notice, the result line, or nothing (an odds box left out
// in the middle).
void press_flow(button pressed, window_port& window, working_values& values);

}  // namespace quorvel
