#include "app/qt/filtered_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace quorvel::qt {

filtered_line_edit::filtered_line_edit(window_definition::input_filter filter, QWidget* parent)
    : QLineEdit(parent), filter_(filter) {}

bool filtered_line_edit::accepts(const QString& typed) const {
    const auto code_points = typed.toUcs4();
    return std::all_of(code_points.begin(), code_points.end(),
                       [this](char32_t c) { return window_definition::accepts_typed(filter_, c); });
}

QString filtered_line_edit::accepted_part(const QString& typed) const {
    QString kept;
    for (const char32_t c : typed.toUcs4()) {
        if (window_definition::accepts_typed(filter_, c)) {
            kept += QString::fromUcs4(&c, 1);
        }
    }
    return kept;
}

void filtered_line_edit::keyPressEvent(QKeyEvent* event) {
    // A line edit inserts the text of every key but a Ctrl or Ctrl+Shift combination (copy,
    // paste, undo, select all), whatever else is held: Alt, AltGr and Super type their text too,
    // so that text goes through the filter. Keys without text (arrows, Home, ...) and control
    // characters (backspace) pass; any other character the filter refuses is dropped without a
    // sound.
    const bool shortcut = event->modifiers() == Qt::ControlModifier ||
                          event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    if (!shortcut && !accepts(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void filtered_line_edit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || accepts(commit)) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted_part(commit), event->replacementStart(),
                             event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

}  // namespace quorvel::qt
