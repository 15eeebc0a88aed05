// The Interpolate window (tool mode 2): the control points in a grid and two
// fields, Add / Delete / All Delete, the three interpolations of the marked
// stretch, and the point-list files of its File menu. The points are shared
// with the main plot (SplinePoints), where the mouse places, moves and
// removes them while this window is open; the grid follows every change.
#ifndef ZW_UI_SPLINEDIALOG_H
#define ZW_UI_SPLINEDIALOG_H

#include <QDialog>

#include <array>

class QAction;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zw {

struct EditorContext;
class ControlPointTable;
class SplinePoints;
class Units;

class SplineDialog : public QDialog {
    Q_OBJECT
public:
    SplineDialog(EditorContext& context, SplinePoints& points, QWidget* parent = nullptr);
    ~SplineDialog() override;

private:
    void buildControls();
    Units units() const;
    void pointsChanged();
    void flxSpread_Click(int row);
    void Btn_Add_Click();
    void Btn_Delete_Click();
    void Btn_AllClear_Click();
    void Btn_Spline_Click(int index);
    void Menu_FileOpen_Click();
    void Menu_FileSave_Click();

    EditorContext& ctx_;
    SplinePoints& points_;
    ControlPointTable* table_ = nullptr;

    QTableView* flxSpread = nullptr;
    std::array<QLineEdit*, 2> Text{};
    QPushButton* Btn_Add = nullptr;
    QPushButton* Btn_Delete = nullptr;
    QPushButton* Btn_AllClear = nullptr;
    std::array<QPushButton*, 3> Btn_Spline{};
    QPushButton* Btn_Exit = nullptr;
    QAction* Menu_FileOpen = nullptr;
    QAction* Menu_FileSave = nullptr;
};

} // namespace zw

#endif // ZW_UI_SPLINEDIALOG_H
