#pragma once

#include <string>

// Numbers as quorvel-cli prints them, the same on every target.
namespace quorvel::cli {

// A finite double with two decimals, rounded to nearest from its exact value: "12.35".
std::string two_decimals_text(double value);

// The shortest text that reads back as the same finite double, in the form std::to_chars
// chooses without a format: fixed or scientific, whichever is shorter, fixed on a tie.
std::string shortest_text(double value);

// shortest_text built from the {fmt} library's shortest digits, which the WebAssembly build
// uses because its standard library cannot format a double; here for the tests to compare.
std::string shortest_text_from_digits(double value);

}  // namespace quorvel::cli
