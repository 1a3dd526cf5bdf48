#pragma once

#include <QLineEdit>

#include "app/window_definition.h"

namespace quorvel::qt {

// An edit box that drops typed characters its filter does not accept: key presses and input
// method commits alike. Pasted text is not filtered; the length limit holds for it too.
class filtered_line_edit final : public QLineEdit {
  public:
    filtered_line_edit(window_definition::input_filter filter, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    [[nodiscard]] bool accepts(const QString& typed) const;
    [[nodiscard]] QString accepted_part(const QString& typed) const;

    window_definition::input_filter filter_;
};

}  // namespace quorvel::qt
