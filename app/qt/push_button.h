#pragma once

#include <QPushButton>

namespace quorvel::qt {

// A push button that Enter presses as well as Space while it has the focus, as on the Windows
// desktop, without being the window's default button.
class push_button final : public QPushButton {
  public:
    push_button(const QString& text, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel::qt
