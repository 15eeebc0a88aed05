// One QApplication for the widget tests of this program (offscreen).
#ifndef ZW_TESTS_SHELL_TESTAPP_H
#define ZW_TESTS_SHELL_TESTAPP_H

#include <QApplication>

namespace zwtest {

inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = QApplication::instance()
                                   ? qobject_cast<QApplication*>(QApplication::instance())
                                   : new QApplication(argc, argv);
    return *app;
}

} // namespace zwtest

#endif // ZW_TESTS_SHELL_TESTAPP_H
