#pragma once

#include <cstddef>
#include <string_view>

// Standard input and output as quorvel-cli uses them: a read returns what is there to read
// instead of waiting to fill its buffer, and every failure is reported with its error number.
namespace quorvel::cli {

struct read_result {
    std::size_t count = 0;  // bytes read; 0 with no error is the end of the input
    int error = 0;          // the error number of a failed read, or 0
};

// Reads up to size bytes of standard input, waiting only while none is there.
read_result read_input(char* buffer, std::size_t size);

// Writes all of data to standard output; returns 0, or the error number of the failed write.
int write_output(std::string_view data);

// "cannot read standard input: <what the error number means>", and the same for writing.
void report_read_error(int error);
void report_write_error(int error);

}  // namespace quorvel::cli
