// The Operate window (tool mode 3): the marked stretch combined sample by
// sample with an operand from the clipboard or the Create window, previewed,
// and written over the stretch on OK. The window wires its controls to
// OperateModel; Cancel and the close box change nothing, and the model's
// memories go with the window however it closes.
#ifndef ZW_UI_CALCDIALOG_H
#define ZW_UI_CALCDIALOG_H

#include "QtClipboardOwner.h"
#include "zwplatform.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QPushButton;

namespace zw {

struct EditorContext;
class OperateModel;
class WavePreview;

// Runs the Create window in its operand mode into `operand`; true when it
// wrote the operand.
using OperandCreator = std::function<bool(ZwMemHandle operand, QWidget* parent)>;

class CalcDialog : public QDialog {
    Q_OBJECT
public:
    // Without a creator the Created Waveform button stays disabled.
    CalcDialog(EditorContext& context, OperandCreator creator, QWidget* parent = nullptr);
    ~CalcDialog() override;

private:
    void buildControls();
    void refreshPreviews();
    void Btn_Cut_Click();
    void Btn_Create_Click();
    void Btn_Result_Click();
    void Btn_OK_Click();

    EditorContext& ctx_;
    OperandCreator creator_;
    std::unique_ptr<OperateModel> model_;
    QtClipboardOwner clipboard_;

    WavePreview* Picture_Src = nullptr;
    WavePreview* Picture_Dest = nullptr;
    WavePreview* Picture_Result = nullptr;
    QPushButton* Btn_Cut = nullptr;
    QPushButton* Btn_Create = nullptr;
    QComboBox* Comb_Comp = nullptr;
    QPushButton* Btn_Result = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
};

} // namespace zw

#endif // ZW_UI_CALCDIALOG_H
