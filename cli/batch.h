#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::cli {

// Presses read one per line: BUTTON, then up to five box texts, separated by tabs. A text is raw
// GBK bytes with the escapes \\, \t, \n, \r and \xHH; missing texts are empty boxes. Each line
// gives one line of output: "result<TAB>LINE", "notice<TAB>TEXT" (the notice in UTF-8),
// "silent", or "error<TAB>REASON" for a line that cannot be read, after which the batch goes on.
class batch_runner {
  public:
    // Lines longer than this are refused whole.
    static constexpr std::size_t max_line_bytes = 1U << 20U;

    // Runs the press of one line (without its line break; a final carriage return is dropped)
    // and appends its output line to out.
    void run_line(std::string_view line, std::string& out);

    // Appends the error for a line that was longer than max_line_bytes.
    static void refuse_overlong_line(std::string& out);

  private:
    const std::string& notice_in_utf8(const std::string& gbk);

    std::vector<std::pair<std::string, std::string>> notices_;  // GBK and UTF-8, seen so far
};

}  // namespace quorvel::cli
