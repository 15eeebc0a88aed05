// The one place where tool windows open and close. A tool window (the
// creation, compress/decompress, interpolation and operations windows, and
// the system setup) owns the main plot while it is open: opening it sets the
// session's tool mode, presses its button (Opt_DlgSel_n) and checks its menu
// item as one exclusive group and disables the other tools; closing it in
// any way releases the button, enables the tools again and sets the tool
// mode back to none, upon which the main window refreshes its read-outs.
//
// A window plugs in with one call (ToolWindows.cpp):
//
//   host.registerWindow(ToolMode::Compress, [&ctx](QWidget* parent) {
//       return new ElasticDialog(ctx, parent);
//   });
//
// The host owns the open window: it is shown modeless, parented to the main
// window, and deleted when it finishes or closes.
#ifndef ZW_UI_TOOLWINDOWHOST_H
#define ZW_UI_TOOLWINDOWHOST_H

#include "ToolMode.h"

#include <QDialog>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

class QAbstractButton;
class QAction;
class QActionGroup;
class QWidget;

namespace zw {

class EditSession;

class ToolWindowHost : public QObject {
    Q_OBJECT
public:
    // Makes the window of a tool; it is given the main window as parent.
    using Factory = std::function<QDialog*(QWidget* parent)>;

    ToolWindowHost(EditSession& session, QWidget& owner);
    ~ToolWindowHost() override;

    // The controls that open a tool: its button (none for the system setup)
    // and its menu item. Without a registered window both stay disabled.
    void addControls(ToolMode mode, QAbstractButton* button, QAction* menuItem);

    // Makes a tool usable: its button and menu item open the window made by
    // `factory`.
    void registerWindow(ToolMode mode, Factory factory);
    bool isRegistered(ToolMode mode) const;

    // Whether a registered tool may be used at all just now (the
    // interpolation only on the analog display). True by default.
    void setAllowed(ToolMode mode, bool allowed);

    // Opens the tool's window: the already open one when it is that tool,
    // nothing (nullptr) when another tool is open or the tool is not
    // registered or not allowed.
    QDialog* open(ToolMode mode);
    // The open tool window and its mode (nullptr and ToolMode::None when
    // none is open).
    QDialog* openWindow() const { return window_; }
    ToolMode openMode() const { return openMode_; }

signals:
    void opened(zw::ToolMode mode, QDialog* window);
    void closed(zw::ToolMode mode);

private:
    struct Slot {
        QAbstractButton* button = nullptr;
        QAction* menuItem = nullptr;
        Factory factory;
        bool allowed = true;
    };

    Slot& slot(ToolMode mode) { return slots_[static_cast<size_t>(mode)]; }
    const Slot& slot(ToolMode mode) const { return slots_[static_cast<size_t>(mode)]; }
    void choose(ToolMode mode);
    void release();
    void syncControls();

    EditSession& session_;
    QWidget& owner_;
    QActionGroup* menuGroup_ = nullptr;
    std::array<Slot, 5> slots_{};
    QPointer<QDialog> window_;
    const QObject* windowObject_ = nullptr; // the open window's address, for its destroyed signal
    ToolMode openMode_ = ToolMode::None;
};

} // namespace zw

#endif // ZW_UI_TOOLWINDOWHOST_H
