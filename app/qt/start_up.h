#pragma once

#include "app/qt/main_window.h"

namespace quorvel::qt {

// The application font the window is laid out for: the desktop's face at 11 pixels, about the
// size of the default GUI font of a Chinese Windows desktop, so that the texts fit the places and
// sizes of the window definition with the taller line spacing of the usual Linux CJK faces.
void use_window_font();

// The program's icon on every window it shows, the notices included, and in the task bar.
void use_application_icon();

// Start-up once the window exists, still hidden: the two start-up notices, one after the other,
// then the window, centred on the primary screen.
void start_up(main_window& window);

}  // namespace quorvel::qt
