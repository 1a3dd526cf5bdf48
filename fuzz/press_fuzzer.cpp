// Runs a whole press from fuzzed bytes: the button and the five box texts. Checks that the press
// ends in exactly one way (a result line with the prefix of its odds count, one of the notices,
// or nothing), that the label is blanked first and written at most once more, and that the same
// press run again, on the working values the first one left, ends the same way.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/fp_environment.h"
#include "calc/notice_texts.h"
#include "calc/press_flow.h"
#include "fuzz/press_outcome_check.h"

namespace {

using namespace quorvel;

class recording_window final : public window_port {
  public:
    std::array<std::string, 5> boxes;
    std::vector<std::string> label_writes;
    std::vector<std::string> notices;

    std::string read_box_text(box which) override {
        return boxes.at(static_cast<std::size_t>(which));
    }
    void set_result_text(std::string_view text) override { label_writes.emplace_back(text); }
    void show_notice(std::string_view text) override { notices.emplace_back(text); }
};

bool is_notice(std::string_view text) {
    for (const std::string_view known :
         {notice_text::no_total, notice_text::odds_out_of_order, notice_text::odds_short_two,
          notice_text::odds_short_three, notice_text::odds_short_four,
          notice_text::odds_short_overall, notice_text::odds_short_remainder}) {
        if (text == known) {
            return true;
        }
    }
    return false;
}

// The odds count the filled boxes give, or 0 when the press must end before a rule runs.
int expected_count(const std::array<std::string, 5>& boxes) {
    if (boxes[0].empty() || boxes[1].empty()) {
        return 0;
    }
    const bool y = !boxes[2].empty();
    const bool z = !boxes[3].empty();
    const bool t = !boxes[4].empty();
    if (y && !z && !t) {
        return 2;
    }
    if (y && z && !t) {
        return 3;
    }
    if (y && z && t) {
        return 4;
    }
    return 0;
}

// The outcome as one string, after checking that the press ended in exactly one way.
std::string checked_outcome(const recording_window& window, int n) {
    if (window.label_writes.empty() || !window.label_writes.front().empty()) {
        std::abort();  // the label is blanked before anything else
    }
    if (window.notices.size() > 1 || window.label_writes.size() > 2) {
        std::abort();
    }
    if (!window.notices.empty()) {
        if (window.label_writes.size() != 1 || !is_notice(window.notices.front())) {
            std::abort();
        }
        return "notice " + window.notices.front();
    }
    if (window.label_writes.size() == 2) {
        if (n == 0 || !fuzz::is_result_line(window.label_writes.back(), n)) {
            std::abort();
        }
        return "line " + window.label_writes.back();
    }
    if (n != 0 && !window.boxes[0].empty()) {
        std::abort();  // a counted fill pattern always reaches a rule, which always shows something
    }
    return "silent";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    set_fp_environment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto pressed = static_cast<button>(provider.ConsumeIntegralInRange<int>(0, 2));
    recording_window first;
    // Long enough for more than 800 significant digits, the path that drops digits.
    for (auto& text : first.boxes) {
        text = provider.ConsumeRandomLengthString(4096);
    }
    recording_window second;
    second.boxes = first.boxes;

    working_values values;
    const int n = expected_count(first.boxes);
    press_flow(pressed, first, values);
    const std::string outcome = checked_outcome(first, n);
    press_flow(pressed, second, values);
    if (checked_outcome(second, n) != outcome) {
        std::abort();
    }
    return 0;
}
