// The system setup window: the model and how it is reached, the wave memory,
// the oscillator settings and the axis units of the current setting, the
// setup file (.ocb) commands, and the two transfer buttons. Every change goes
// through SettingEditor (the model database's change operations), so a box
// always shows what the setting kept; Cancel puts back the copy taken on
// opening (SetupSession). Transfers run through the transfer core with the
// progress window FrmGPIBExit. It is the tool window of ToolMode 4: the
// tool-window host opens it from Setup > System and deletes it once closed,
// so each opening takes a new copy.
#ifndef ZW_UI_SYSTEMDIALOG_H
#define ZW_UI_SYSTEMDIALOG_H

#include "CaptionCatalog.h"
#include "FileDialogService.h"
#include "InstrumentServices.h"
#include "SettingEditor.h"
#include "SetupSession.h"
#include "WaveformTransfer.h"
#include "adapters/ShellInstrumentServices.h"
#include "bus/InterfaceLibrary.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace zw {

class FrmGPIBExit;
class UpDownButtons;
struct EditorContext;

class SystemDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SystemDialog(EditorContext& context, QWidget* parent = nullptr);
    ~SystemDialog() override;

    // The setup file commands with a path already chosen.
    bool openSetupFile(const QString& path);
    bool saveSetupFile(const QString& path);

    bool transferRunning() const;
    FrmGPIBExit& progressWindow() { return *progressWindow_; }
    // The bus layer of this window's transfers (tests shorten its timeout).
    bus::InterfaceLibrary& bus() { return *bus_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    QWidget* buildSetupTab();
    QWidget* buildUnitTab();
    void buildMenu();
    void connectControls();

    // Filling the controls from the setting.
    void refreshAll();
    void refreshBasic();
    void refreshMemory();
    void refreshOscillator();
    void refreshUnits();
    void fillCombo(QComboBox* combo, const QStringList& items, int current);

    // Control events.
    void Comb_System_Click(int index);
    void Comb_Intfc_Click(int index);
    void Txt_GPIB_LostFocus(int index);
    void UD_GPIB_Change(int index, int step);
    void txtSerialNo_LostFocus();
    void Txt_Lan_LostFocus();
    void Comb_MSize_Click(int index);
    void Txt_MName_LostFocus();
    void Comb_Channel_Click(int index);
    void Opt_Output_Click(int index);
    void Comb_Range_Click(int index);
    void Opt_Offs_Click(int index);
    void Txt_Oscil_LostFocus(int index);
    void Comb_Unit_Click(int axis, int index);
    void Txt_Unit_LostFocus(int index);
    void Txt_Unit_Name_LostFocus(int axis);
    void Btn_Trans_Click(int index);
    void Btn_OK_Click();
    void Btn_Cancel_Click();
    void Menu_FileOpen_Click();
    void Menu_FileSave_Click();
    void finish();

    void memorySizeChanged(int32_t before);
    void settingChanged();
    void setButtonsEnabled(bool enabled);
    std::optional<int> controllerAddress();
    TransferJob nextJob();
    QString caption(const char* key) const;
    FileDialogRequest fileRequest() const;

    EditorContext& ctx_;
    CaptionCatalog captions_;
    SettingEditor editor_;
    RegistryInstrumentSettings settings_;
    SetupSession session_;
    std::unique_ptr<ShellInstrumentMessages> instrumentMessages_;
    std::unique_ptr<bus::InterfaceLibrary> bus_;
    FrmGPIBExit* progressWindow_ = nullptr;
    std::unique_ptr<WaveformTransfer> transfer_;
    std::vector<int16_t> samples_; // the copy a transfer works on
    bool filling_ = false;         // controls being filled: no events
    bool closing_ = false;

    QMenuBar* menuBar_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QComboBox* Comb_System = nullptr;
    QComboBox* Comb_Intfc = nullptr;
    std::array<QLineEdit*, 2> Txt_GPIB{};
    std::array<UpDownButtons*, 2> UD_GPIB{};
    QLabel* Label_GPIB_0 = nullptr;
    QLineEdit* txtSerialNo = nullptr;
    QLineEdit* Txt_LanHost = nullptr;
    QLineEdit* Txt_LanPort = nullptr;
    std::vector<QWidget*> addressRow_;
    std::vector<QWidget*> lanRow_;
    std::vector<QWidget*> serialRow_;
    QComboBox* Comb_MSize = nullptr;
    QLineEdit* Txt_MName = nullptr;
    QComboBox* Comb_Channel = nullptr;
    std::array<QRadioButton*, 3> Opt_Output{};
    QComboBox* Comb_Range = nullptr;
    std::array<QRadioButton*, 2> Opt_Offs{};
    QWidget* Frame_Offs = nullptr;
    std::array<QLineEdit*, 4> Txt_Oscil{};
    std::array<QComboBox*, 2> Comb_Unit{};
    std::array<QLineEdit*, 4> Txt_Unit{};
    std::array<QLineEdit*, 2> Txt_Unit_Name{};
    std::array<QPushButton*, 2> Btn_Trans{};
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QAction* Menu_FileOpen = nullptr;
    QAction* Menu_FileSave = nullptr;
    QAction* Menu_Print = nullptr;
};

} // namespace zw

#endif // ZW_UI_SYSTEMDIALOG_H
