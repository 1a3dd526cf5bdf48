#include "app/qt/main_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVariant>

#include "app/qt/filtered_line_edit.h"
#include "app/qt/notice.h"
#include "app/qt/push_button.h"
#include "app/qt/text_edge.h"
#include "app/qt/wrapped_label.h"
#include "app/window_definition.h"
#include "calc/press_flow.h"

namespace quorvel::qt {
namespace {

namespace def = window_definition;

QColor colour_of(def::rgb colour) {
    return {colour.red, colour.green, colour.blue};
}

Qt::Alignment alignment_of(const def::control& c) {
    const Qt::Alignment horizontal =
        c.horizontal == def::horizontal_alignment::centre ? Qt::AlignHCenter : Qt::AlignLeft;
    const Qt::Alignment vertical =
        c.vertical == def::vertical_alignment::top ? Qt::AlignTop : Qt::AlignVCenter;
    return horizontal | vertical;
}

// The table writes line breaks as carriage return and line feed; a Qt label breaks at \n.
QString display_text(std::string_view text) {
    return from_utf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* make_label(const def::control& c, QWidget* parent) {
    QLabel* label = c.line_height > 0
                        ? new wrapped_label(display_text(c.start_text), c.line_height, parent)
                        : new QLabel(display_text(c.start_text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment_of(c));
    label->setWordWrap(c.word_wrap);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour_of(c.text_colour));
    label->setPalette(palette);
    if (c.font.bold || c.font.character_height > 0) {
        QFont font = label->font();
        font.setBold(c.font.bold);
        if (c.font.character_height > 0) {
            font.setPixelSize(c.font.character_height);
        }
        label->setFont(font);
    }
    return label;
}

}  // namespace

main_window::main_window() {
    setObjectName(QStringLiteral("main_window"));
    setProperty("identity", QVariant::fromValue(def::window_identity));
    setWindowTitle(from_utf8(def::window_caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(def::client_width, def::client_height);

    for (const def::control& c : def::controls()) {
        QWidget* widget = nullptr;
        switch (c.kind) {
            case def::control_kind::edit_box: {
                auto* edit = new filtered_line_edit(c.filter, this);
                if (c.length_limit > 0) {
                    edit->setMaxLength(c.length_limit);
                }
                edit->setText(from_utf8(c.start_text));
                boxes_.at(static_cast<std::size_t>(*c.reads_into)) = edit;
                widget = edit;
                break;
            }
            case def::control_kind::label: {
                QLabel* label = make_label(c, this);
                if (c.is_result_label) {
                    result_label_ = label;
                }
                widget = label;
                break;
            }
            case def::control_kind::push_button: {
                auto* push = new push_button(from_utf8(c.start_text), this);
                const button pressed = *c.presses;
                connect(push, &QPushButton::clicked, this,
                        [this, pressed] { press_flow(pressed, *this, values_); });
                widget = push;
                break;
            }
        }
        widget->setObjectName(from_utf8(c.name));
        widget->setProperty("identity", QVariant::fromValue(c.identity));
        widget->setGeometry(c.left, c.top, c.width, c.height);
    }
}

std::string main_window::read_box_text(box which) {
    return to_gbk(boxes_.at(static_cast<std::size_t>(which))->text());
}

void main_window::set_result_text(std::string_view text) {
    result_label_->setText(from_gbk(text));
    result_label_->repaint();
}

void main_window::show_notice(std::string_view text) {
    show_notice_box(from_gbk(text));
}

QWidget* main_window::control(std::string_view name) const {
    return findChild<QWidget*>(from_utf8(name), Qt::FindDirectChildrenOnly);
}

void main_window::centre_on_primary_screen() {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    move((screen.width() - def::outer_width) / 2, (screen.height() - def::outer_height) / 2);
}

}  // namespace quorvel::qt
