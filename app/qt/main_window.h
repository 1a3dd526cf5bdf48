#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "calc/window_port.h"
#include "calc/working_values.h"

class QLabel;
class QLineEdit;

namespace quorvel::qt {

// The one main window: its controls come from the window definition, its buttons run presses,
// and it gives the press flow the three operations it needs. It computes nothing itself.
class main_window final : public QWidget, public window_port {
  public:
    main_window();

    std::string read_box_text(box which) override;
    void set_result_text(std::string_view text) override;
    void show_notice(std::string_view text) override;

    // The control of that name from the window definition (its object name), or null.
    [[nodiscard]] QWidget* control(std::string_view name) const;

    // Places the window, frame included, in the middle of the primary screen.
    void centre_on_primary_screen();

  private:
    std::array<QLineEdit*, 5> boxes_{};
    QLabel* result_label_ = nullptr;
    working_values values_;
};

}  // namespace quorvel::qt
