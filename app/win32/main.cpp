// Quorvel.exe: the calculator's window on the Windows desktop.

#include <windows.h>

#include <commctrl.h>

#include "app/win32/main_window.h"
#include "calc/fp_environment.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
    quorvel::set_fp_environment();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    quorvel::win32::main_window* window = quorvel::win32::main_window::create(instance);
    if (window == nullptr) {
        return 1;
    }
    window->show_centred(show_command);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window->handle_dialog_keys(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
