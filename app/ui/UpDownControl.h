// An up-down control: the pair of small arrow buttons beside a text box that
// step its value. The box and the value belong to the window; the control
// only says which way the user pressed (held down, it repeats).
#ifndef ZW_UI_UPDOWNCONTROL_H
#define ZW_UI_UPDOWNCONTROL_H

#include <QWidget>

class QToolButton;

namespace zw {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(const QString& objectName, QWidget* parent = nullptr);

    // The buttons, named "Btn_Up" and "Btn_Down".
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void up();
    void down();

private:
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

} // namespace zw

#endif // ZW_UI_UPDOWNCONTROL_H
