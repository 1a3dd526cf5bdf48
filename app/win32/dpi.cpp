#include "app/win32/dpi.h"

#include "app/window_definition.h"

namespace quorvel::win32 {
namespace {

// Functions of Windows 10 (1607 and later), looked up so that the program still starts on an
// older system, where every window has the system's DPI.
template <typename Function>
Function* user32_function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    // A function pointer from GetProcAddress, converted through void* as Windows documents it.
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

// The frame and title bar around a client area at the DPI.
SIZE frame_size(DWORD style, UINT dpi) {
    static auto* const adjust_for_dpi =
        user32_function<BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (adjust_for_dpi != nullptr) {
        adjust_for_dpi(&frame, style, FALSE, 0, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, 0);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

UINT system_dpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : table_dpi;
}

UINT dpi_of(HWND window) {
    static auto* const dpi_for_window = user32_function<UINT WINAPI(HWND)>("GetDpiForWindow");
    const UINT dpi = dpi_for_window != nullptr ? dpi_for_window(window) : 0;
    return dpi > 0 ? dpi : system_dpi();
}

SIZE outer_size(DWORD style, UINT dpi) {
    namespace def = window_definition;
    const SIZE frame_at_96 = frame_size(style, table_dpi);
    const SIZE frame = frame_size(style, dpi);
    return {scaled(def::outer_width - frame_at_96.cx, dpi) + frame.cx,
            scaled(def::outer_height - frame_at_96.cy, dpi) + frame.cy};
}

}  // namespace quorvel::win32
