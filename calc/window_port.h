#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The five input boxes: the total, then the odds x, y, z and t.
enum class box { 编辑框1, 编辑框2, 编辑框3, 编辑框4, 编辑框5 };

// The three buttons, one rule each.
enum class button { 按钮1, 按钮2, 按钮3 };

// All a press needs from a window. Texts are GBK byte strings, exactly as the controls hold them.
class window_port {
  public:
    virtual ~window_port() = default;

    // The box's current text; the empty text when the box is empty.
    virtual std::string read_box_text(box which) = 0;
    // Replaces the whole text of the result label; the empty text leaves it blank.
    virtual void set_result_text(std::string_view text) = 0;
    // Shows a notice and returns once the user has dismissed it.
    virtual void show_notice(std::string_view text) = 0;
};

}  // namespace quorvel
