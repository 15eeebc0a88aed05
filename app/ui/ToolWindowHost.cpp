#include "ToolWindowHost.h"

#include "EditSession.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QDialog>

namespace zw {

ToolWindowHost::ToolWindowHost(EditSession& session, QWidget& owner)
    : QObject(&owner), session_(session), owner_(owner), menuGroup_(new QActionGroup(this)) {
    menuGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(&session_, &EditSession::changed, this, [this](EditChanges what) {
        if (what & EditChange::ToolMode)
            syncControls();
    });
}

ToolWindowHost::~ToolWindowHost() {
    // The window goes with the main window; nothing is left to release.
    if (window_)
        window_->disconnect(this);
}

void ToolWindowHost::addControls(ToolMode mode, QAbstractButton* button, QAction* menuItem) {
    Slot& s = slot(mode);
    s.button = button;
    s.menuItem = menuItem;
    if (button) {
        button->setCheckable(true);
        connect(button, &QAbstractButton::clicked, this, [this, mode] { choose(mode); });
    }
    if (menuItem) {
        menuItem->setCheckable(true);
        menuGroup_->addAction(menuItem);
        connect(menuItem, &QAction::triggered, this, [this, mode] { choose(mode); });
    }
    syncControls();
}

void ToolWindowHost::registerWindow(ToolMode mode, Factory factory) {
    slot(mode).factory = std::move(factory);
    syncControls();
}

bool ToolWindowHost::isRegistered(ToolMode mode) const {
    return mode != ToolMode::None && static_cast<bool>(slot(mode).factory);
}

void ToolWindowHost::setAllowed(ToolMode mode, bool allowed) {
    slot(mode).allowed = allowed;
    syncControls();
}

void ToolWindowHost::choose(ToolMode mode) {
    // A click on the pressed button or its checked item leaves it pressed.
    open(mode);
    syncControls();
}

QDialog* ToolWindowHost::open(ToolMode mode) {
    if (window_) {
        if (mode != openMode_)
            return nullptr;
        window_->raise();
        window_->activateWindow();
        return window_;
    }
    if (!isRegistered(mode) || !slot(mode).allowed)
        return nullptr;
    QDialog* window = slot(mode).factory(&owner_);
    if (!window)
        return nullptr;
    window_ = window;
    windowObject_ = window;
    openMode_ = mode;
    connect(window, &QDialog::finished, this, [this, window] {
        if (window_ == window)
            release();
        window->deleteLater();
    });
    // By the time `destroyed` arrives the dialog is only a QObject: compare
    // addresses, never touch it through a QDialog pointer.
    connect(window, &QObject::destroyed, this, [this](QObject* gone) {
        if (gone == windowObject_ || window_.isNull())
            release();
    });
    session_.setToolMode(mode);
    syncControls();
    window->show();
    emit opened(mode, window);
    return window;
}

void ToolWindowHost::release() {
    if (openMode_ == ToolMode::None)
        return;
    const ToolMode mode = openMode_;
    openMode_ = ToolMode::None;
    window_ = nullptr;
    windowObject_ = nullptr;
    session_.setToolMode(ToolMode::None);
    syncControls();
    emit closed(mode);
}

void ToolWindowHost::syncControls() {
    const ToolMode current = session_.toolMode();
    for (size_t i = 0; i < slots_.size(); ++i) {
        const auto mode = static_cast<ToolMode>(i);
        const Slot& s = slots_[i];
        const bool usable =
            isRegistered(mode) && s.allowed && (openMode_ == ToolMode::None || openMode_ == mode);
        const bool pressed = mode == current;
        if (s.button) {
            s.button->setEnabled(usable);
            s.button->setChecked(pressed);
        }
        if (s.menuItem) {
            s.menuItem->setEnabled(usable);
            s.menuItem->setChecked(pressed);
        }
    }
}

} // namespace zw
