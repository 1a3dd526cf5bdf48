#pragma once

#include <QString>

namespace quorvel::qt {

// Shows a notice: a message box over the whole application with the caption "信息：", the
// text, one OK button and no icon. Returns once the user has dismissed it.
void show_notice_box(const QString& text);

}  // namespace quorvel::qt
