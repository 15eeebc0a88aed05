#include "UpDownButtons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace zw {

UpDownButtons::UpDownButtons(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& [name, arrow, step] :
         {std::tuple{"Up", Qt::UpArrow, 1}, std::tuple{"Down", Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFixedSize(18, 12);
        button->setFocusPolicy(Qt::NoFocus);
        const int s = step;
        connect(button, &QToolButton::clicked, this, [this, s] { emit stepped(s); });
        layout->addWidget(button);
    }
}

} // namespace zw
