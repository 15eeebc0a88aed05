// The controls of the main window under their system names, built by the
// window and shared with the parts that work them (read-outs, view
// controls, plot painter, digital line tool). A control array element is the
// name, "_" and its index as objectName (HScroll_0, Opt_DspSel_1).
#ifndef ZW_UI_MAINWINDOWCONTROLS_H
#define ZW_UI_MAINWINDOWCONTROLS_H

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zw {

class PlotCanvas;

struct MainWindowControls {
    QGroupBox* Frm_Wave = nullptr;
    QGroupBox* Frm_Digital = nullptr;
    PlotCanvas* Pict_Wave = nullptr;
    PlotCanvas* Pict_Digital = nullptr;
    std::array<QRadioButton*, 2> Opt_DspSel{};
    std::array<QRadioButton*, 2> Opt_Scope{};
    std::array<QPushButton*, 4> Opt_DlgSel{};
    std::array<QComboBox*, 2> Comb_XZoom{};
    QComboBox* Comb_YZoom = nullptr;
    std::array<QScrollBar*, 2> HScroll{};
    QScrollBar* VScroll = nullptr;
    QLineEdit* Txt_Start_X = nullptr;
    QLineEdit* Txt_Start_Y = nullptr;
    QLineEdit* Txt_End_X = nullptr;
    QLineEdit* Txt_End_Y = nullptr;
    QLineEdit* Txt_Scope = nullptr;
    std::array<QLineEdit*, 2> Txt_Cur_X{};
    QLineEdit* Txt_Cur_Y = nullptr;
    QLineEdit* Txt_Pattern = nullptr;
    std::array<QPushButton*, 4> Btn_Pattern{};
    // Edge labels: per display, the samples at the left and right edge; the
    // codes at the top, middle and bottom of the analog plot.
    std::array<QLabel*, 2> Label_XLeft{};
    std::array<QLabel*, 2> Label_XRight{};
    QLabel* Label_YTop = nullptr;
    QLabel* Label_YMiddle = nullptr;
    QLabel* Label_YBottom = nullptr;

    QAction* Menu_Undo = nullptr;
    QAction* Menu_Cut = nullptr;
    QAction* Menu_Copy = nullptr;
    QAction* Menu_Paste = nullptr;
    QAction* Menu_Delete = nullptr;
    QAction* Menu_Grid = nullptr;
    std::array<QAction*, 5> toolMenuItems{}; // by tool mode

    bool digitalShown() const;
};

} // namespace zw

#endif // ZW_UI_MAINWINDOWCONTROLS_H
