#include "DigitalLineLabels.h"

#include "DigitalLines.h"

#include <QEvent>
#include <QLabel>

#include <cmath>

namespace zw {
namespace {

const QColor kSelectedName(220, 0, 0);   // the selected traces' colour
const QColor kDropTarget(255, 220, 120); // where a dragged line will land

} // namespace

DigitalLineLabels::DigitalLineLabels(QWidget* parent) : QWidget(parent) {
    setObjectName("DigitalLineNames");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    for (int line = 0; line < kDigitalLineCount; ++line) {
        auto* l = new QLabel(QString("D%1").arg(15 - line), this);
        l->setObjectName(QString("Label_Line_%1").arg(line));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setAutoFillBackground(true);
        labels_[static_cast<size_t>(line)] = l;
        restyle(line);
    }
}

QSize DigitalLineLabels::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QStringLiteral("D15")) + 8,
            static_cast<int>(std::ceil(49.0 / 3.0 * metrics.height()))};
}

QSize DigitalLineLabels::minimumSizeHint() const {
    // Sixteen names one above the other, none covering the next.
    return sizeHint();
}

void DigitalLineLabels::showSelection(int32_t lineMask) {
    lineMask_ = lineMask;
    for (int line = 0; line < kDigitalLineCount; ++line)
        restyle(line);
}

void DigitalLineLabels::showDrag(std::optional<int> from, std::optional<int> to) {
    dragged_ = from;
    dropTarget_ = from && to && *to != *from ? to : std::nullopt;
    for (int line = 0; line < kDigitalLineCount; ++line)
        restyle(line);
}

void DigitalLineLabels::restyle(int line) {
    QLabel* l = label(line);
    const bool selected = (lineMask_ >> line) & 1;
    QPalette p = palette();
    p.setColor(QPalette::WindowText,
               selected ? kSelectedName : palette().color(QPalette::WindowText));
    if (dropTarget_ == line)
        p.setColor(QPalette::Window, kDropTarget);
    l->setPalette(p);
    QFont f = font();
    f.setBold(selected || dragged_ == line || dropTarget_ == line);
    l->setFont(f);
}

void DigitalLineLabels::place() {
    const int h = height();
    const int rowHeight = std::max(1, static_cast<int>(std::floor(3.0 * h / 49.0)));
    for (int line = 0; line < kDigitalLineCount; ++line) {
        const double centre = DigitalLineCentre(line, h);
        label(line)->setGeometry(0, static_cast<int>(std::lround(centre - rowHeight / 2.0)),
                                 width(), rowHeight);
    }
}

void DigitalLineLabels::resizeEvent(QResizeEvent*) {
    place();
}

void DigitalLineLabels::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        for (int line = 0; line < kDigitalLineCount; ++line)
            restyle(line);
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

} // namespace zw
