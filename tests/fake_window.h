#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/press_flow.h"
#include "calc/window_port.h"
#include "codec/gbk_codec.h"

namespace quorvel::testing {

// A window made of five texts that records everything a press shows. The label starts with an
// earlier result in it, so that a test sees whether the press blanked it.
class fake_window final : public window_port {
  public:
    std::array<std::string, 5> boxes;
    std::string label = "x:y=1:1";
    std::vector<std::string> label_writes;
    std::vector<std::string> notices;
    std::vector<box> reads;

    std::string read_box_text(box which) override {
        reads.push_back(which);
        return boxes.at(static_cast<std::size_t>(which));
    }
    void set_result_text(std::string_view text) override {
        label.assign(text);
        label_writes.emplace_back(text);
    }
    void show_notice(std::string_view text) override { notices.emplace_back(text); }

    // What the user saw at the end of the press, in UTF-8: the notice, the label, or "".
    std::string shown() const {
        return notices.empty() ? label : codec::gbk_to_utf8(notices.front());
    }
};

// Texts of the tables are written in UTF-8 and put into the boxes as GBK, as a window holds them.
inline std::string gbk(std::string_view utf8) {
    return codec::utf8_to_gbk(utf8).value();
}

// Fills the boxes (total first, then the odds; missing ones stay empty) and presses the button.
inline fake_window press(button pressed, const std::vector<std::string>& texts,
                         working_values& values) {
    fake_window window;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        window.boxes.at(i) = gbk(texts[i]);
    }
    press_flow(pressed, window, values);
    return window;
}

inline fake_window press(button pressed, const std::vector<std::string>& texts) {
    working_values values;
    return press(pressed, texts, values);
}

}  // namespace quorvel::testing
