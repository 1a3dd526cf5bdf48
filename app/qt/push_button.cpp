#include "app/qt/push_button.h"

#include <QKeyEvent>

namespace quorvel::qt {

push_button::push_button(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void push_button::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace quorvel::qt
