#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "calc/window_port.h"
#include "calc/working_values.h"

namespace quorvel::win32 {

// The one main window: its controls come from the window definition, its buttons run presses,
// and it gives the press flow the three operations it needs. It computes nothing itself.
class main_window final : public window_port {
  public:
    // Creates the window and its controls, still hidden; the window-created event shows the two
    // start-up notices. Returns null when the window cannot be created.
    static main_window* create(HINSTANCE instance);

    // Shows the window, centred on the primary screen.
    void show_centred(int show_command);

    [[nodiscard]] HWND handle() const { return window_; }

    std::string read_box_text(box which) override;
    void set_result_text(std::string_view text) override;
    void show_notice(std::string_view text) override;

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle_message(UINT message, WPARAM w, LPARAM l);
    void create_controls();
    [[nodiscard]] HWND control(std::uint32_t identity) const;

    HWND window_ = nullptr;
    std::array<HWND, 5> boxes_{};
    HWND result_label_ = nullptr;
    HFONT credit_font_ = nullptr;
    working_values values_;
};

}  // namespace quorvel::win32
