#include "UpDownControl.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace zw {

UpDownControl::UpDownControl(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto button = [this, layout](const char* name, Qt::ArrowType arrow) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setArrowType(arrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
        layout->addWidget(b);
        return b;
    };
    up_ = button("Btn_Up", Qt::UpArrow);
    down_ = button("Btn_Down", Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, &UpDownControl::up);
    connect(down_, &QToolButton::clicked, this, &UpDownControl::down);
}

} // namespace zw
