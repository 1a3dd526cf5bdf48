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

// The standard streams carry bytes as they are: on Windows, no CR LF translation.
void use_binary_streams();

// Reads up to size bytes of standard input, waiting only while none is there.
read_result read_input(char* buffer, std::size_t size);

// Writes all of data to standard output; returns 0, or the error number of the failed write.
int write_output(std::string_view data);

// Writes text for a person: UTF-8 bytes, or on a Windows console the same characters through
// the console's own wide-character output, whatever its code page. Returns as write_output.
int write_text_output(std::string_view utf8);

// "cannot read standard input: <what the error number means>", and the same for writing.
void report_read_error(int error);
void report_write_error(int error);

}  // namespace quorvel::cli
