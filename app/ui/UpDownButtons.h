// An up-down control: two small arrow buttons beside a number box that step
// its value by one ("Up" and "Down" are the buttons' object names).
#ifndef ZW_UI_UPDOWNBUTTONS_H
#define ZW_UI_UPDOWNBUTTONS_H

#include <QWidget>

namespace zw {

class UpDownButtons final : public QWidget {
    Q_OBJECT
public:
    explicit UpDownButtons(QWidget* parent = nullptr);

signals:
    // +1 for the up button, -1 for the down button.
    void stepped(int step);
};

} // namespace zw

#endif // ZW_UI_UPDOWNBUTTONS_H
