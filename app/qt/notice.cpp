#include "app/qt/notice.h"

#include <QMessageBox>

#include "app/qt/text_edge.h"
#include "app/window_definition.h"

namespace quorvel::qt {

void show_notice_box(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, from_utf8(window_definition::notice_caption), text,
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace quorvel::qt
