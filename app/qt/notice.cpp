#include "app/qt/notice.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "app/qt/text_edge.h"
#include "app/qt/title_bar.h"
#include "app/window_definition.h"

namespace quorvel::qt {
namespace {

// A message box that cannot be minimized: the rest of the program waits for it, so it must stay
// on screen. Where the window manager still offers to minimize it, it comes straight back.
class notice_box final : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void changeEvent(QEvent* event) override {
        QMessageBox::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && isMinimized()) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            activateWindow();
        }
    }
};

// The width a window manager needs to draw the caption in full: the caption in a bold title font
// up to twice the window's font, beside an icon and three buttons about as wide as that font's
// line is tall. A notice as narrow as a short text would otherwise show its caption as "…".
int width_for_caption(const QString& caption) {
    QFont title = QApplication::font();
    title.setBold(true);
    title.setPixelSize(2 * QFontInfo(QApplication::font()).pixelSize());
    const QFontMetrics metrics(title);
    return metrics.horizontalAdvance(caption) + 4 * metrics.height();
}

}  // namespace

void show_notice_box(const QString& text) {
    const QString caption = from_utf8(window_definition::notice_caption);
    notice_box box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    // The message box sizes itself to its layout; a spacer across it holds the width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()); grid != nullptr) {
        grid->addItem(new QSpacerItem(width_for_caption(caption), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    set_title_bar(box, title_bar::close_only);
    box.exec();
}

}  // namespace quorvel::qt
