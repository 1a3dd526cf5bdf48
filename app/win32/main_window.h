#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "app/win32/window_fonts.h"
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

    // Shows the window, centred on the primary screen, with the focus in the total box: normal
    // whatever the show command asks (a shortcut set to start maximized), unless it asks for
    // the window to start minimized.
    void show_centred(int show_command);

    // Gives a message of the message loop to the keyboard handling of a dialog (Tab moves the
    // focus, Enter and Space press the focused button); false when it was not such a key.
    bool handle_dialog_keys(MSG& message);

    [[nodiscard]] HWND handle() const { return window_; }

    std::string read_box_text(box which) override;
    void set_result_text(std::string_view text) override;
    void show_notice(std::string_view text) override;

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle_message(UINT message, WPARAM w, LPARAM l);
    void create_controls();
    // Places, sizes and fonts every control for the DPI, and sizes the window to match.
    void apply_dpi(UINT dpi);
    void remember_focus();
    void restore_focus();

    HWND window_ = nullptr;
    std::array<HWND, 5> boxes_{};
    HWND result_label_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was last left
    std::unique_ptr<window_fonts> fonts_;
    working_values values_;
};

}  // namespace quorvel::win32
