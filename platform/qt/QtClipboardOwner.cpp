#include "QtClipboardOwner.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

namespace zw {

namespace {

QtClipboardOwner& self(void* ctx) {
    return *static_cast<QtClipboardOwner*>(ctx);
}

QClipboard* desktopClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

} // namespace

QtClipboardOwner::QtClipboardOwner() {
    owner_.ctx = this;
    owner_.open = [](void* ctx) -> int { return self(ctx).open() ? 1 : 0; };
    owner_.close = [](void* ctx) { self(ctx).close(); };
    owner_.empty = [](void* ctx) -> int { return self(ctx).empty() ? 1 : 0; };
    owner_.set_text = [](void* ctx, const char* text, size_t len) -> int {
        return self(ctx).setText(text, len) ? 1 : 0;
    };
    owner_.get_text = [](void* ctx, size_t* len) { return self(ctx).text(len); };
}

bool QtClipboardOwner::open() {
    // One opening at a time, as the desktop clipboard allows one owner.
    if (open_ || !desktopClipboard())
        return false;
    open_ = true;
    return true;
}

void QtClipboardOwner::close() {
    open_ = false;
    held_.clear();
}

bool QtClipboardOwner::empty() {
    QClipboard* clipboard = desktopClipboard();
    if (!open_ || !clipboard)
        return false;
    clipboard->clear();
    return true;
}

bool QtClipboardOwner::setText(const char* text, std::size_t len) {
    QClipboard* clipboard = desktopClipboard();
    if (!open_ || !clipboard || !text)
        return false;
    clipboard->setText(QString::fromUtf8(text, static_cast<qsizetype>(len)));
    return true;
}

const char* QtClipboardOwner::text(std::size_t* len) {
    if (len)
        *len = 0;
    QClipboard* clipboard = desktopClipboard();
    if (!open_ || !clipboard)
        return nullptr;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasText())
        return nullptr;
    held_ = clipboard->text().toUtf8();
    if (len)
        *len = static_cast<std::size_t>(held_.size());
    return held_.constData();
}

} // namespace zw
