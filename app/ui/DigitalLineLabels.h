// The names "D15" .. "D0" beside the digital plot, each centred on its
// line's trace so that the name and the trace a click selects are plainly
// the same. Selected lines are named in the selection's colour; while a line
// is dragged onto another, the line it will be copied to is highlighted.
//
// The widget stands beside the plot in the same layout row and so has the
// plot's height; the names are placed by the plot's line geometry.
#ifndef ZW_UI_DIGITALLINELABELS_H
#define ZW_UI_DIGITALLINELABELS_H

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QLabel;

namespace zw {

class DigitalLineLabels : public QWidget {
    Q_OBJECT
public:
    explicit DigitalLineLabels(QWidget* parent = nullptr);

    // Line 0 is the top line ("D15"); its label is Label_Line_0.
    QLabel* label(int line) const { return labels_[static_cast<size_t>(line)]; }
    void showSelection(int32_t lineMask);
    // The line being dragged and the line under the mouse (none: no drag).
    void showDrag(std::optional<int> from, std::optional<int> to);
    std::optional<int> dropTarget() const { return dropTarget_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void place();
    void restyle(int line);

    std::array<QLabel*, 16> labels_{};
    int32_t lineMask_ = 0;
    std::optional<int> dragged_;
    std::optional<int> dropTarget_;
};

} // namespace zw

#endif // ZW_UI_DIGITALLINELABELS_H
