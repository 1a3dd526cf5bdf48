#include "app/qt/start_up.h"

#include <QApplication>
#include <QFont>

#include "app/qt/application_icon.h"
#include "app/qt/notice.h"
#include "app/qt/text_edge.h"
#include "app/qt/title_bar.h"
#include "app/window_definition.h"

namespace quorvel::qt {

void use_window_font() {
    QFont font = QApplication::font();
    font.setPixelSize(window_definition::default_font_pixel_size);
    QApplication::setFont(font);
}

void use_application_icon() {
    QApplication::setWindowIcon(application_icon());
}

void start_up(main_window& window) {
    for (const std::string_view text : window_definition::start_up_notices) {
        show_notice_box(from_utf8(text));
    }
    window.centre_on_primary_screen();
    set_title_bar(window, title_bar::minimize_button);
    window.show();
}

}  // namespace quorvel::qt
