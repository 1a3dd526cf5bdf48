#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/window_port.h"

namespace quorvel::cli {

// What a press showed: the result line, one notice, or nothing.
struct press_outcome {
    enum class kind { result, notice, silent };
    kind shown = kind::silent;
    std::string text;  // GBK: the result line or the notice text
};

// The five box texts (GBK), the total first.
using box_texts = std::array<std::string, 5>;

// Runs one press of the button on the given box texts, as a fresh press in the window would.
press_outcome run_press(button pressed, const box_texts& texts);

// The button named by "1", "2" or "3".
bool parse_button(std::string_view text, button& pressed);

}  // namespace quorvel::cli
