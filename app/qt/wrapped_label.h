#pragma once

#include <QLabel>

namespace quorvel::qt {

// A label whose text wraps at word boundaries within its width and is drawn from its top-left
// corner at a fixed distance from one line to the next, whatever the line spacing of the faces
// that draw it (a CJK fallback face is often taller than the font asked for). Each of the text's
// own line breaks starts a new line.
class wrapped_label final : public QLabel {
  public:
    wrapped_label(const QString& text, int line_height, QWidget* parent);

    [[nodiscard]] int line_height() const { return line_height_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int line_height_;
};

}  // namespace quorvel::qt
