#pragma once

#include <windows.h>

#include "app/window_definition.h"

namespace quorvel::win32 {

// The fonts of the window's controls at one DPI: the system's default GUI font, the credit's
// bold font and the instructions' font, each scaled to the DPI. Owns them.
class window_fonts {
  public:
    explicit window_fonts(UINT dpi);
    ~window_fonts();
    window_fonts(const window_fonts&) = delete;
    window_fonts& operator=(const window_fonts&) = delete;

    [[nodiscard]] HFONT font_of(const window_definition::control& c) const;

  private:
    HFONT gui_ = nullptr;
    HFONT credit_ = nullptr;
    HFONT instructions_ = nullptr;
};

}  // namespace quorvel::win32
