#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::cli {

enum class output_format { text, json };

// Presses read one per line: BUTTON, then up to five box texts, separated by tabs. A text is raw
// GBK bytes with the escapes \\, \t, \n, \r and \xHH; missing texts are empty boxes. Each line
// gives one line of output: "result<TAB>LINE", "notice<TAB>TEXT" (the notice in UTF-8),
// "silent", or "error<TAB>REASON" for a line that cannot be read, after which the batch goes on;
// or, in the JSON format, one JSON object.
class batch_runner {
  public:
    // Lines longer than this are refused whole.
    static constexpr std::size_t max_line_bytes = 1U << 20U;

    explicit batch_runner(output_format format = output_format::text) : format_(format) {}

    // Runs the press of one line (without its line feed; a carriage return that ends it is
    // dropped) and appends its output line to out. When the GBK converter is missing it throws
    // codec::converter_unavailable and appends nothing.
    void run_line(std::string_view line, std::string& out);

    // Appends the error for a line that was longer than max_line_bytes.
    void refuse_overlong_line(std::string& out) const;

  private:
    void append_error(std::string& out, std::string_view reason) const;
    const std::string& notice_in_utf8(const std::string& gbk);

    output_format format_;
    std::vector<std::pair<std::string, std::string>> notices_;  // GBK and UTF-8, seen so far
};

// Cuts a stream of bytes into lines and answers each through a batch_runner. The output is the
// same however the bytes are split into pieces.
class batch_reader {
  public:
    explicit batch_reader(batch_runner& runner) : runner_(runner) {}

    // Answers every line that these bytes complete; keeps the start of a line they leave open.
    void feed(std::string_view bytes, std::string& out);

    // At a clean end of the input: answers a last line that has no line feed. After a failed
    // read it is not called, so that a line the failure cut short gets no answer.
    void finish(std::string& out);

  private:
    batch_runner& runner_;
    std::string pending_;    // the start of a line that the last piece cut
    bool overlong_ = false;  // the current line has passed the limit; skip to its end
};

}  // namespace quorvel::cli
