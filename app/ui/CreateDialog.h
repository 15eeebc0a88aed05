// The Create window: builds a waveform page by page from standard shapes and
// formulas, previews it, and puts it into the document (opened from the main
// window) or into an operand memory (opened by the Operate window). A thin
// window over zw::create::CreateSession; every control carries its system
// name (Txt_Page, Cmd_Page_0..3, Comb_Wave, Text_0..7, Txt_Expr, ...).
//
// The preview (PictWave) takes drags with the left button on standard pages:
// vertical moves the offset, Shift + vertical the amplitude, horizontal the
// phase, Shift + horizontal the number of cycles, Ctrl + horizontal the
// symmetry of a triangle or the duty of a square.
#ifndef ZW_UI_CREATEDIALOG_H
#define ZW_UI_CREATEDIALOG_H

#include "CaptionCatalog.h"
#include "CreateSession.h"
#include "Language.h"
#include "Messages.h"
#include "Units.h"
#include "zwplatform.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zw {

class PlotCanvas;
class clsRegistry;
struct EditorContext;

// What the window needs of the program.
struct CreateWindowContext {
    Language language = Language::Japanese;
    Messages* messages = nullptr;
    Units units{UnitSetting{}};
    // Where Page OK and All Page OK write, asked when they do: the current
    // edit memory (with the document's undo backup) or an operand (no
    // backup; cleared first).
    std::function<ZwMemHandle()> target;
    std::function<void()> backup;
    create::CreateMode mode = create::CreateMode::InPlace;
    create::PageTable* pages = nullptr; // the run-wide table
    // The page file name of the document names ("Untitled" or a path
    // without extension); updated after a page file is read or written.
    QString* pageFileName = nullptr;
    // Opens the Print window over the given window (the page listing); the
    // Print item stays disabled without it.
    std::function<void(QWidget* parent)> print;
    // Asks the user for a page file: (save?, proposed path, filter) -> the
    // chosen path, or empty when cancelled.
    std::function<QString(bool, const QString&, const QString&)> chooseFile;
    // Called after the target's samples changed (main-window mode).
    std::function<void()> targetChanged;
    // Where the window keeps its position; none in tests.
    clsRegistry* registry = nullptr;
};

// The context of the window opened from the main window: the document's
// current memory with the session's undo backup and change notification,
// the run-wide page table, the document's page file name, the program's
// file dialogs.
CreateWindowContext CreateWindowContextOf(EditorContext& ctx);

class CreateDialog : public QDialog {
    Q_OBJECT
public:
    CreateDialog(CreateWindowContext context, QWidget* parent = nullptr);
    // Opened from the main window (the tool-window host): creates into the
    // document.
    CreateDialog(EditorContext& context, QWidget* parent);
    // Opened by the Operate window: modal; every page computed from sample 0;
    // Page OK / All Page OK clear `operand` and write it (no undo backup of
    // the document). True when the operand was written, false on Cancel.
    static bool RunForOperand(EditorContext& context, ZwMemHandle operand, QWidget* parent);
    ~CreateDialog() override;

    // The page shown when the window opens next (the run-wide "current page").
    static int& RememberedPage();

    create::CreateSession& session() { return *session_; }
    const create::CreateSession& session() const { return *session_; }

    // Control arrays, for tests and the caption check.
    QLineEdit* parameterBox(int i) const { return Text[size_t(i)]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;

private:
    void buildControls();
    void wireControls();
    void applyCaptionsAndTips();

    // Showing the page.
    void showPage();
    void showTypeBoxes();
    void redrawPreview();
    void report(int code);

    // Handlers.
    void Cmd_Page_Click(int index);
    void Txt_Page_LostFocus();
    void Comb_Wave_Click(int index);
    void Text_LostFocus(int index);
    void Text_X_LostFocus(int index);
    void Opt_effect_Click(int index);
    void Txt_Expr_LostFocus();
    void Txt_Const_LostFocus();
    void Btn_Comp_Click();
    void Btn_OK_Click();
    void Btn_Confirm_Click();
    void Btn_Cancel_Click();
    void Menu_PageClear_Click();
    void Menu_AllPageClear_Click();
    void Menu_FileSave_Click();
    void Menu_FileOpen_Click();
    void finish(int result);

    // The preview's drag.
    double sampleAt(int x) const;
    void pictPressed(QMouseEvent* event);
    void pictMoved(QMouseEvent* event);
    void pictReleased(QMouseEvent* event);

    CreateWindowContext ctx_;
    CaptionCatalog captions_;
    ZwMemHandle work_ = 0;
    std::unique_ptr<create::CreateSession> session_;
    bool finished_ = false;
    QPoint dragFrom_;

    QLineEdit* Txt_Page = nullptr;
    std::array<QPushButton*, 4> Cmd_Page{};
    QComboBox* Comb_Wave = nullptr;
    QGroupBox* Frame_Std = nullptr;
    std::array<QLineEdit*, 8> Text{};
    std::array<QLabel*, 8> Label_Param{};
    std::array<QLabel*, 8> Label_Unit{};
    QGroupBox* Frame_Expr = nullptr;
    QLineEdit* Txt_Expr = nullptr;
    QPlainTextEdit* Txt_Const = nullptr;
    std::array<QLineEdit*, 2> Text_X{};
    QLabel* Label_AreaUnit = nullptr;
    std::array<QRadioButton*, 2> Opt_effect{};
    QPushButton* Btn_Comp = nullptr;
    QPushButton* Btn_Confirm = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    PlotCanvas* PictWave = nullptr;
    QAction* Menu_FileOpen = nullptr;
    QAction* Menu_FileSave = nullptr;
    QAction* Menu_Print = nullptr;
    QAction* Menu_PageClear = nullptr;
    QAction* Menu_AllPageClear = nullptr;
};

// Opens the window for an operand: every page computed from sample 0; Page
// OK and All Page OK clear `operand` and write it. True when it was written.
bool RunCreateForOperand(CreateWindowContext context, ZwMemHandle operand, QWidget* parent);

} // namespace zw

#endif // ZW_UI_CREATEDIALOG_H
