#pragma once

#include <limits>

namespace quorvel {

// Every intermediate result is carried in the x87 extended format and rounded to double only where
// a rule stores it. The arithmetic is only right when long double has that 64-bit significand.
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 extended format with a 64-bit significand");
static_assert(std::numeric_limits<double>::is_iec559, "double must be IEEE 754 binary64");

// Sets the floating-point environment that all presses compute in: round to nearest, every
// exception masked (a division by zero gives an infinity and nothing traps), x87 precision
// control at 64 bits, and no flush-to-zero of subnormal results. Call it first thing in every
// program, before any arithmetic of a press runs.
void set_fp_environment();

// The x87 precision-control field (bits 8 and 9 of the control word): 3 means a 64-bit
// significand, 2 means 53 bits, 0 means 24 bits.
unsigned x87_precision_control();

// True when the x87 control word and the SSE control register are exactly as
// set_fp_environment leaves them (status flags aside).
bool fp_environment_is_set();

}  // namespace quorvel
