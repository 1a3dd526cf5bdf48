#include "cli/press_outcome.h"

#include "calc/press_flow.h"
#include "calc/working_values.h"

namespace quorvel::cli {
namespace {

// A window that holds the five texts and keeps what the press showed.
class text_window final : public window_port {
  public:
    explicit text_window(const box_texts& texts) : texts_(texts) {}

    std::string read_box_text(box which) override {
        return texts_.at(static_cast<std::size_t>(which));
    }
    void set_result_text(std::string_view text) override { label_.assign(text); }
    void show_notice(std::string_view text) override {
        notice_.assign(text);
        noticed_ = true;
    }

    [[nodiscard]] press_outcome outcome() const {
        if (noticed_) {
            return {press_outcome::kind::notice, notice_};
        }
        if (!label_.empty()) {
            return {press_outcome::kind::result, label_};
        }
        return {press_outcome::kind::silent, {}};
    }

  private:
    const box_texts& texts_;
    std::string label_;
    std::string notice_;
    bool noticed_ = false;
};

}  // namespace

press_outcome run_press(button pressed, const box_texts& texts) {
    text_window window(texts);
    working_values values;
    press_flow(pressed, window, values);
    return window.outcome();
}

bool parse_button(std::string_view text, button& pressed) {
    if (text == "1") {
        pressed = button::按钮1;
    } else if (text == "2") {
        pressed = button::按钮2;
    } else if (text == "3") {
        pressed = button::按钮3;
    } else {
        return false;
    }
    return true;
}

}  // namespace quorvel::cli
