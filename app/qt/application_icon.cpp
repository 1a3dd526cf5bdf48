#include "app/qt/application_icon.h"

#include <QDirIterator>

namespace quorvel::qt {

QIcon application_icon() {
    // The images are built into the program as resources, one per size.
    QIcon icon;
    QDirIterator images(QStringLiteral(":/icon"), {QStringLiteral("quorvel-*.png")});
    while (images.hasNext()) {
        icon.addFile(images.next());
    }
    return icon;
}

}  // namespace quorvel::qt
