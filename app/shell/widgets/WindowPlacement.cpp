#include "WindowPlacement.h"

#include "clsRegistry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zw {
namespace {

// Follows one window: notes its normal position, writes it at the end.
class PositionKeeper : public QObject {
public:
    PositionKeeper(QWidget& window, clsRegistry& registry)
        : QObject(&window), window_(window), registry_(registry), normal_(window.pos()) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_)
            return false;
        switch (event->type()) {
        case QEvent::Move:
            if (window_.windowState() == Qt::WindowNoState)
                normal_ = window_.pos();
            break;
        case QEvent::Close:
        case QEvent::Hide:
            store();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void store() {
        if (window_.windowState() != Qt::WindowNoState)
            return;
        registry_.SetFormTop(window_.objectName(), normal_.y() * kTwipsPerPixel);
        registry_.SetFormLeft(window_.objectName(), normal_.x() * kTwipsPerPixel);
    }

    QWidget& window_;
    clsRegistry& registry_;
    QPoint normal_;
};

} // namespace

void TellScreenSize(clsRegistry& registry) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize px = screen->virtualSize();
        registry.SetScreenSizeTwips({px.width() * kTwipsPerPixel, px.height() * kTwipsPerPixel});
    }
}

void KeepWindowPosition(QWidget& window, clsRegistry& registry) {
    TellScreenSize(registry);
    const int top = registry.FormTop(window.objectName()) / kTwipsPerPixel;
    const int left = registry.FormLeft(window.objectName()) / kTwipsPerPixel;
    window.move(left, top);
    auto* keeper = new PositionKeeper(window, registry);
    window.installEventFilter(keeper);
}

} // namespace zw
