// quorvel: the calculator's window on the Linux desktop.

#include <QApplication>

#include "app/qt/main_window.h"
#include "app/qt/start_up.h"
#include "calc/fp_environment.h"

int main(int argc, char** argv) {
    quorvel::set_fp_environment();
    QApplication application(argc, argv);
    quorvel::qt::use_window_font();
    quorvel::qt::use_application_icon();
    quorvel::qt::main_window window;
    quorvel::qt::start_up(window);
    return QApplication::exec();
}
