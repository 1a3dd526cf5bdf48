#pragma once

#include <windows.h>

// The window's places, sizes and fonts are given in pixels of a 96-DPI display; on a scaled
// display (125 %, 150 %, 200 %, ...) each is scaled by the window's DPI.
namespace quorvel::win32 {

inline constexpr UINT table_dpi = 96;

inline int scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(table_dpi));
}

// The DPI Windows scales its own fonts for.
UINT system_dpi();

// The DPI of the display the window is on, or the system's where Windows knows no other.
UINT dpi_of(HWND window);

// The outer size of a window with this style whose client area is the main window's client
// area scaled to the DPI: at 96 DPI the 380 × 385 of the window definition, frame included.
SIZE outer_size(DWORD style, UINT dpi);

}  // namespace quorvel::win32
