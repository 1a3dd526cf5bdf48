#pragma once

#include <QIcon>

namespace quorvel::qt {

// The program's icon in every size it is drawn at, for the window, its notices and the task bar.
QIcon application_icon();

}  // namespace quorvel::qt
