#pragma once

#include <cstdint>
#include <string>

#include "calc/window_port.h"
#include "calc/working_values.h"

namespace quorvel {

// How a stake becomes the whole number shown for it.
enum class whole_number_mode {
    // Down to the whole number, except that a non-negative stake whose fraction lies above
    // fraction_limit counts as the next one up.
    floor_with_tolerance,
    // The fraction is dropped toward zero.
    truncate,
};

inline constexpr double fraction_limit = 0.999999999999;

// The stake as a whole number: not-a-number and infinities give 0; a whole number of magnitude
// 2^63 or more gives 0; any other keeps its low 32 bits, read as a signed 32-bit integer.
std::int32_t to_whole_number(double stake, whole_number_mode mode);

// The decimal digits of the number, with a leading "-" when it is negative.
std::string number_text(std::int32_t number);

// "x:y=", "x:y:z=" or "x:y:z:t=" for n = 2, 3 or 4, then the whole numbers of the first n
// stakes joined by ":".
std::string result_line(int n, whole_number_mode mode, const working_values& values);

// Writes result_line to the result label in one write.
void show_result_line(int n, whole_number_mode mode, const working_values& values,
                      window_port& window);

}  // namespace quorvel
