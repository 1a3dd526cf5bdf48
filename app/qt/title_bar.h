#pragma once

class QWidget;

namespace quorvel::qt {

// What a top-level window's title bar offers besides its caption and close button.
enum class title_bar { minimize_button, close_only };

// Tells an X11 window manager, before the window is first shown, that the window cannot be
// resized or maximized, and whether it can be minimized. Qt's own hints always offer resizing,
// and a window manager then draws a maximize button on a fixed-size window. Nothing to do on
// other platforms.
void set_title_bar(QWidget& window, title_bar buttons);

}  // namespace quorvel::qt
