#include "app/qt/wrapped_label.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace quorvel::qt {

wrapped_label::wrapped_label(const QString& text, int line_height, QWidget* parent)
    : QLabel(text, parent), line_height_(line_height) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void wrapped_label::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const qreal width = contentsRect().width();
    qreal top = contentsRect().top();
    for (const QString& paragraph : text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font(), this);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            // The glyphs' ascent-to-descent box centred in the line's height, on a whole pixel.
            const qreal baseline =
                top + std::round((line_height_ + line.ascent() - line.descent()) / 2);
            line.setPosition(QPointF(0, baseline - line.ascent()));
            top += line_height_;
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(contentsRect().left(), 0));
    }
}

}  // namespace quorvel::qt
