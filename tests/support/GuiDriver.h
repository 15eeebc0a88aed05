// Driving a real window offscreen by its control names, for the GUI tests of
// every window: the one QApplication of a test program, finding a control
// (the test fails when it is missing), typing into a text box as a user
// commits it, mouse events and drags in a widget's pixels, and running the
// next modal window (a message box, a dialog) from a callback.
#ifndef ZW_TESTS_SUPPORT_GUIDRIVER_H
#define ZW_TESTS_SUPPORT_GUIDRIVER_H

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace zwtest {

// The QApplication of the test program, made on first use (offscreen when
// the test runs under ctest: QT_QPA_PLATFORM=offscreen).
inline QApplication& guiApp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = QApplication::instance()
                                   ? qobject_cast<QApplication*>(QApplication::instance())
                                   : new QApplication(argc, argv);
    return *app;
}

// The control or action named `name` under `window`; a missing one fails
// the test (and gives nullptr).
template <typename T> T* findControl(const QObject& window, const QString& name) {
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

// Types `text` into a text box and commits it as Tab or Enter would.
inline void typeInto(const QObject& window, const QString& name, const QString& text) {
    if (auto* box = findControl<QLineEdit>(window, name)) {
        box->setText(text);
        emit box->editingFinished();
    }
}

// One mouse event at `at` (pixels of `widget`).
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at,
                      Qt::MouseButtons buttons = Qt::NoButton,
                      Qt::MouseButton button = Qt::NoButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                      modifiers);
    QApplication::sendEvent(widget, &event);
}

// A left-button drag: hover at `from`, press, move to `to`, release.
inline void dragMouse(QWidget* widget, QPoint from, QPoint to) {
    sendMouse(widget, QEvent::MouseMove, from);
    sendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::LeftButton);
}

// Runs `act` on the modal window that the next step opens (call it before
// the step that opens it; `act` must close the window).
inline void whenModalOpens(std::function<void(QWidget& modal)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal window opened";
        act(*modal);
    });
}

} // namespace zwtest

#endif // ZW_TESTS_SUPPORT_GUIDRIVER_H
