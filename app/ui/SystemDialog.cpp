#include "SystemDialog.h"

#include "BusSettings.h"
#include "CaptionApplier.h"
#include "CaptionCatalog.h"
#include "CurrentSetting.h"
#include "DocumentNames.h"
#include "EditorContext.h"
#include "FrmGPIBExit.h"
#include "LanAddress.h"
#include "Messages.h"
#include "PrintDialog.h"
#include "SetupFile.h"
#include "TextCodec.h"
#include "TransferRequest.h"
#include "UpDownButtons.h"
#include "WaveDocument.h"
#include "WindowPlacement.h"
#include "bus/BackendFactory.h"
#include "bus/BusTypes.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zw {

namespace {

constexpr char kWindow[] = "SystemDialog";

QLabel* NewLabel(const QString& name, QWidget* buddy = nullptr) {
    auto* label = new QLabel;
    label->setObjectName(name);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLineEdit* NewBox(const QString& name, int width = 110) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMinimumWidth(width);
    return box;
}

QComboBox* NewCombo(const QString& name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setMinimumWidth(150);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

void SetVisible(const std::vector<QWidget*>& widgets, bool visible) {
    for (QWidget* w : widgets)
        w->setVisible(visible);
}

bool UsesBoardAddress(int interfaceType) {
    return interfaceType != bus::kUsbTmc && interfaceType != bus::kLanSocket;
}

std::string ModelNameOf(const DeviceInfo& info) {
    return RecordModelName(info).toStdString();
}

} // namespace

SystemDialog::SystemDialog(EditorContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context), captions_(context.language),
      editor_(context.setting, context.language), settings_(context.registry),
      session_(context.setting, settings_) {
    setObjectName(kWindow);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    instrumentMessages_ = std::make_unique<ShellInstrumentMessages>(ctx_.messages);
    bus_ = std::make_unique<bus::InterfaceLibrary>(
        *instrumentMessages_, bus::DefaultBackendFactory(*instrumentMessages_));
    buildControls();
    progressWindow_ = new FrmGPIBExit(
        captions_, ctx_.registry, [this](bool enabled) { setButtonsEnabled(enabled); }, this);
    transfer_ = std::make_unique<WaveformTransfer>(*bus_, settings_, *instrumentMessages_,
                                                   progressWindow_->progress());
    // The loop test ends at the progress window's abort button: the setup
    // window, where a second press of Waveform Data would end it, waits
    // behind the progress window.
    progressWindow_->onAbort = [this] {
        if (!transfer_->LoopRunning())
            return false;
        transfer_->RequestLoopTest([this] { return nextJob(); });
        return true;
    };
    connectControls();
    ApplyCaptions(*this, captions_);
    KeepWindowPosition(*this, ctx_.registry);
    session_.open();
    refreshAll();
}

SystemDialog::~SystemDialog() = default;

QString SystemDialog::caption(const char* key) const {
    return captions_.caption(u"SystemDialog", QString::fromLatin1(key));
}

// ---------------------------------------------------------------- layout

void SystemDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 8);
    buildMenu();
    layout->setMenuBar(menuBar_);
    tabs_ = new QTabWidget;
    tabs_->setObjectName("Tab_Setup");
    tabs_->addTab(buildSetupTab(), QString());
    tabs_->addTab(buildUnitTab(), QString());
    layout->addWidget(tabs_);

    Btn_OK = new QPushButton;
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setAutoDefault(false);
    Btn_Cancel = new QPushButton;
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    layout->addLayout(buttons);
}

void SystemDialog::buildMenu() {
    menuBar_ = new QMenuBar(this);
    auto* file = menuBar_->addMenu(QString());
    file->setObjectName("Menu_File");
    file->menuAction()->setObjectName("Menu_File");
    Menu_FileOpen = file->addAction(QString());
    Menu_FileOpen->setObjectName("Menu_FileOpen");
    Menu_FileSave = file->addAction(QString());
    Menu_FileSave->setObjectName("Menu_FileSave");
    file->addSeparator();
    Menu_Print = file->addAction(QString());
    Menu_Print->setObjectName("Menu_Print");
    // The Print window prints the setup listing while this window is the tool.
    connect(Menu_Print, &QAction::triggered, this, [this] { PrintDialog::Open(ctx_, this); });
}

QWidget* SystemDialog::buildSetupTab() {
    auto* page = new QWidget;
    page->setObjectName("Tab_Setup_0");
    auto* grid = new QGridLayout(page);

    // [Basic Setup]
    auto* basic = new QGroupBox;
    basic->setObjectName("Frame_Basic");
    auto* b = new QGridLayout(basic);
    Comb_System = NewCombo("Comb_System");
    Comb_Intfc = NewCombo("Comb_Intfc");
    b->addWidget(NewLabel("Label_System", Comb_System), 0, 0);
    b->addWidget(Comb_System, 0, 1, 1, 2);
    b->addWidget(NewLabel("Label_Intfc", Comb_Intfc), 1, 0);
    b->addWidget(Comb_Intfc, 1, 1, 1, 2);
    for (int i = 0; i < 2; ++i) {
        Txt_GPIB[i] = NewBox(ControlName(u"Txt_GPIB", i), 60);
        UD_GPIB[i] = new UpDownButtons;
        UD_GPIB[i]->setObjectName(ControlName(u"UD_GPIB", i));
    }
    Label_GPIB_0 = NewLabel("Label_GPIB_0", Txt_GPIB[0]);
    b->addWidget(Label_GPIB_0, 2, 0);
    b->addWidget(Txt_GPIB[0], 2, 1);
    b->addWidget(UD_GPIB[0], 2, 2, Qt::AlignLeft);
    addressRow_ = {Label_GPIB_0, Txt_GPIB[0], UD_GPIB[0]};
    Txt_LanHost = NewBox("Txt_LanHost", 150);
    Txt_LanPort = NewBox("Txt_LanPort", 60);
    auto* hostLabel = NewLabel("Label_LanHost", Txt_LanHost);
    auto* portLabel = NewLabel("Label_LanPort", Txt_LanPort);
    b->addWidget(hostLabel, 3, 0);
    b->addWidget(Txt_LanHost, 3, 1, 1, 2);
    b->addWidget(portLabel, 4, 0);
    b->addWidget(Txt_LanPort, 4, 1);
    lanRow_ = {hostLabel, Txt_LanHost, portLabel, Txt_LanPort};
    txtSerialNo = NewBox("txtSerialNo", 150);
    auto* serialLabel = NewLabel("Label_SerialNo", txtSerialNo);
    b->addWidget(serialLabel, 5, 0);
    b->addWidget(txtSerialNo, 5, 1, 1, 2);
    serialRow_ = {serialLabel, txtSerialNo};
    b->setRowStretch(6, 1);

    // [Wave Memory Setup]
    auto* memory = new QGroupBox;
    memory->setObjectName("Frame_Memory");
    auto* m = new QGridLayout(memory);
    Comb_MSize = NewCombo("Comb_MSize");
    Txt_MName = NewBox("Txt_MName", 150);
    Txt_MName->setMaxLength(16);
    m->addWidget(NewLabel("Label_MSize", Comb_MSize), 0, 0);
    m->addWidget(Comb_MSize, 0, 1, 1, 2);
    m->addWidget(NewLabel("Label_GPIB_1", Txt_GPIB[1]), 1, 0);
    m->addWidget(Txt_GPIB[1], 1, 1);
    m->addWidget(UD_GPIB[1], 1, 2, Qt::AlignLeft);
    m->addWidget(NewLabel("Label_MName", Txt_MName), 2, 0);
    m->addWidget(Txt_MName, 2, 1, 1, 2);
    m->setRowStretch(3, 1);

    // [Oscillator Setup]
    auto* oscil = new QGroupBox;
    oscil->setObjectName("Frame_Oscil");
    auto* o = new QGridLayout(oscil);
    Comb_Channel = NewCombo("Comb_Channel");
    Comb_Range = NewCombo("Comb_Range");
    o->addWidget(NewLabel("Label_Channel", Comb_Channel), 0, 0);
    o->addWidget(Comb_Channel, 0, 1, 1, 2);
    auto* output = new QGroupBox;
    output->setObjectName("Frame_Output");
    auto* out = new QHBoxLayout(output);
    for (int i = 0; i < 3; ++i) {
        Opt_Output[i] = new QRadioButton;
        Opt_Output[i]->setObjectName(ControlName(u"Opt_Output", i));
        out->addWidget(Opt_Output[i]);
    }
    o->addWidget(output, 1, 0, 1, 3);
    o->addWidget(NewLabel("Label_Range", Comb_Range), 2, 0);
    o->addWidget(Comb_Range, 2, 1, 1, 2);
    auto* offs = new QGroupBox;
    offs->setObjectName("Frame_Offs");
    Frame_Offs = offs;
    auto* of = new QHBoxLayout(offs);
    for (int i = 0; i < 2; ++i) {
        Opt_Offs[i] = new QRadioButton;
        Opt_Offs[i]->setObjectName(ControlName(u"Opt_Offs", i));
        of->addWidget(Opt_Offs[i]);
    }
    o->addWidget(offs, 3, 0, 1, 3);
    for (int i = 0; i < 4; ++i) {
        Txt_Oscil[i] = NewBox(ControlName(u"Txt_Oscil", i), 130);
        Txt_Oscil[i]->setAlignment(Qt::AlignRight);
        o->addWidget(NewLabel(ControlName(u"Label_Oscil", i), Txt_Oscil[i]), 4 + i, 0);
        o->addWidget(Txt_Oscil[i], 4 + i, 1);
        o->addWidget(NewLabel(ControlName(u"Label_OscilUnit", i)), 4 + i, 2);
    }

    // [Transfer]
    auto* trans = new QGroupBox;
    trans->setObjectName("Frame_Trans");
    auto* t = new QHBoxLayout(trans);
    for (int i = 0; i < 2; ++i) {
        Btn_Trans[i] = new QPushButton;
        Btn_Trans[i]->setObjectName(ControlName(u"Btn_Trans", i));
        Btn_Trans[i]->setAutoDefault(false);
        t->addWidget(Btn_Trans[i]);
    }

    grid->addWidget(basic, 0, 0);
    grid->addWidget(memory, 1, 0);
    grid->addWidget(oscil, 0, 1, 2, 1);
    grid->addWidget(trans, 2, 0, 1, 2);
    return page;
}

QWidget* SystemDialog::buildUnitTab() {
    auto* page = new QWidget;
    page->setObjectName("Tab_Setup_1");
    auto* grid = new QGridLayout(page);
    grid->addWidget(NewLabel("Label_UnitMin"), 0, 2);
    grid->addWidget(NewLabel("Label_UnitMax"), 0, 3);
    grid->addWidget(NewLabel("Label_UnitName"), 0, 4);
    for (int axis = 0; axis < 2; ++axis) {
        Comb_Unit[axis] = NewCombo(ControlName(u"Comb_Unit", axis));
        grid->addWidget(NewLabel(ControlName(u"Label_Unit", axis), Comb_Unit[axis]), 1 + axis, 0);
        grid->addWidget(Comb_Unit[axis], 1 + axis, 1);
        for (int k = 0; k < 2; ++k) {
            const int i = axis * 2 + k;
            Txt_Unit[i] = NewBox(ControlName(u"Txt_Unit", i), 110);
            Txt_Unit[i]->setAlignment(Qt::AlignRight);
            grid->addWidget(Txt_Unit[i], 1 + axis, 2 + k);
        }
        Txt_Unit_Name[axis] = NewBox(ControlName(u"Txt_Unit_Name", axis), 80);
        Txt_Unit_Name[axis]->setMaxLength(8);
        grid->addWidget(Txt_Unit_Name[axis], 1 + axis, 4);
    }
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(5, 1);
    return page;
}

// ---------------------------------------------------------------- wiring

void SystemDialog::connectControls() {
    connect(Comb_System, &QComboBox::activated, this, &SystemDialog::Comb_System_Click);
    connect(Comb_Intfc, &QComboBox::activated, this, &SystemDialog::Comb_Intfc_Click);
    for (int i = 0; i < 2; ++i) {
        connect(Txt_GPIB[i], &QLineEdit::editingFinished, this,
                [this, i] { Txt_GPIB_LostFocus(i); });
        connect(UD_GPIB[i], &UpDownButtons::stepped, this,
                [this, i](int step) { UD_GPIB_Change(i, step); });
    }
    connect(txtSerialNo, &QLineEdit::editingFinished, this, &SystemDialog::txtSerialNo_LostFocus);
    connect(Txt_LanHost, &QLineEdit::editingFinished, this, &SystemDialog::Txt_Lan_LostFocus);
    connect(Txt_LanPort, &QLineEdit::editingFinished, this, &SystemDialog::Txt_Lan_LostFocus);
    connect(Comb_MSize, &QComboBox::activated, this, &SystemDialog::Comb_MSize_Click);
    connect(Txt_MName, &QLineEdit::editingFinished, this, &SystemDialog::Txt_MName_LostFocus);
    connect(Comb_Channel, &QComboBox::activated, this, &SystemDialog::Comb_Channel_Click);
    connect(Comb_Range, &QComboBox::activated, this, &SystemDialog::Comb_Range_Click);
    for (int i = 0; i < 3; ++i)
        connect(Opt_Output[i], &QRadioButton::clicked, this, [this, i] { Opt_Output_Click(i); });
    for (int i = 0; i < 2; ++i)
        connect(Opt_Offs[i], &QRadioButton::clicked, this, [this, i] { Opt_Offs_Click(i); });
    for (int i = 0; i < 4; ++i) {
        connect(Txt_Oscil[i], &QLineEdit::editingFinished, this,
                [this, i] { Txt_Oscil_LostFocus(i); });
        connect(Txt_Unit[i], &QLineEdit::editingFinished, this,
                [this, i] { Txt_Unit_LostFocus(i); });
    }
    for (int axis = 0; axis < 2; ++axis) {
        connect(Comb_Unit[axis], &QComboBox::activated, this,
                [this, axis](int index) { Comb_Unit_Click(axis, index); });
        connect(Txt_Unit_Name[axis], &QLineEdit::editingFinished, this,
                [this, axis] { Txt_Unit_Name_LostFocus(axis); });
    }
    for (int i = 0; i < 2; ++i)
        connect(Btn_Trans[i], &QPushButton::clicked, this, [this, i] { Btn_Trans_Click(i); });
    connect(Btn_OK, &QPushButton::clicked, this, &SystemDialog::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &SystemDialog::Btn_Cancel_Click);
    connect(Menu_FileOpen, &QAction::triggered, this, &SystemDialog::Menu_FileOpen_Click);
    connect(Menu_FileSave, &QAction::triggered, this, &SystemDialog::Menu_FileSave_Click);
}

// ---------------------------------------------------------------- filling

void SystemDialog::fillCombo(QComboBox* combo, const QStringList& items, int current) {
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(current >= 0 && current < items.size() ? current : -1);
}

void SystemDialog::refreshAll() {
    const bool was = std::exchange(filling_, true);
    fillCombo(Comb_System, editor_.modelNames(), editor_.model());
    refreshBasic();
    refreshMemory();
    refreshOscillator();
    refreshUnits();
    filling_ = was;
}

void SystemDialog::refreshBasic() {
    const bool was = std::exchange(filling_, true);
    QStringList interfaces;
    for (const auto& choice : editor_.interfaceChoices())
        interfaces << QString::fromStdString(choice.text);
    fillCombo(Comb_Intfc, interfaces, editor_.interfaceIndex());
    const int type = ctx_.setting.interfaceType();
    const bool lan = type == bus::kLanSocket;
    const bool usb = type == bus::kUsbTmc;
    SetVisible(addressRow_, !lan);
    SetVisible(lanRow_, lan);
    SetVisible(serialRow_, usb);
    Label_GPIB_0->setText(caption(usb ? "Label_GPIB_0:USB" : "Label_GPIB_0"));
    const DeviceInfo& info = editor_.info();
    Txt_GPIB[0]->setText(QString::number(info.Address));
    const bool addressable = info.AddressMin < info.AddressMax;
    Txt_GPIB[0]->setEnabled(addressable);
    UD_GPIB[0]->setEnabled(addressable);
    txtSerialNo->setText(ctx_.setting.serialNumber());
    const LanAddress lanAddress = ReadLanAddress(settings_, ModelNameOf(info));
    Txt_LanHost->setText(lanAddress.host);
    Txt_LanPort->setText(QString::number(lanAddress.port));
    filling_ = was;
}

void SystemDialog::refreshMemory() {
    const bool was = std::exchange(filling_, true);
    const DeviceInfo& info = editor_.info();
    fillCombo(Comb_MSize, editor_.memorySizeNames(), info.MemorySizeIndex);
    Txt_GPIB[1]->setText(QString::number(info.MemoryNumber));
    const bool selectable = info.MemoryNumberMin < info.MemoryNumberMax;
    Txt_GPIB[1]->setEnabled(selectable);
    UD_GPIB[1]->setEnabled(selectable);
    Txt_MName->setText(DecodeField(info.MemoryName, sizeof info.MemoryName).trimmed());
    Txt_MName->setEnabled(info.MemoryNameFlag != 0);
    filling_ = was;
}

void SystemDialog::refreshOscillator() {
    const bool was = std::exchange(filling_, true);
    const DeviceInfo& info = editor_.info();
    fillCombo(Comb_Channel, editor_.channelNames(), info.ChannelIndex);
    Comb_Channel->setEnabled(info.ChannelFlag != 0);
    fillCombo(Comb_Range, editor_.rangeNames(), info.RangeIndex);
    const int output = info.OutputState >= 0 && info.OutputState <= 2 ? info.OutputState : 2;
    Opt_Output[output]->setChecked(true);
    Frame_Offs->setEnabled(info.OffsetSwitchAvailable != 0);
    Opt_Offs[info.OffsetSwitchState != 0 ? 1 : 0]->setChecked(true);
    for (int i = 0; i < 4; ++i)
        Txt_Oscil[i]->setText(editor_.oscillatorText(static_cast<OscillatorField>(i)));
    filling_ = was;
}

void SystemDialog::refreshUnits() {
    const bool was = std::exchange(filling_, true);
    const DeviceInfo& info = editor_.info();
    const std::array<int, 2> kinds{info.XUnit, info.YUnit};
    for (int axis = 0; axis < 2; ++axis) {
        QStringList items;
        for (int k = 0; k < 3; ++k)
            items << caption(QStringLiteral("Unit:%1%2")
                                 .arg(axis == 0 ? 'X' : 'Y')
                                 .arg(k)
                                 .toLatin1()
                                 .constData());
        const int kind = kinds[axis] >= 0 && kinds[axis] <= 2 ? kinds[axis] : 0;
        fillCombo(Comb_Unit[axis], items, kind);
        const bool user = kind == 2;
        for (int k = 0; k < 2; ++k) {
            const int i = axis * 2 + k;
            Txt_Unit[i]->setText(editor_.unitLimitText(static_cast<UnitLimit>(i)));
            Txt_Unit[i]->setEnabled(user);
        }
        Txt_Unit_Name[axis]->setText(editor_.unitName(axis == 0 ? Axis::X : Axis::Y));
        Txt_Unit_Name[axis]->setEnabled(user);
    }
    filling_ = was;
}

// ---------------------------------------------------------------- events

// The document takes the new memory size as its length, and the main window
// starts its view again over it, as after reading a file.
void SystemDialog::memorySizeChanged(int32_t before) {
    if (editor_.info().MemorySize == before)
        return;
    ctx_.document.setWaveLength(ctx_.setting.waveLength());
    ctx_.session.openCancelled();
}

// Units, period and amplitude change what the read-outs show: the markers
// are reported again so that the main window rewrites them.
void SystemDialog::settingChanged() {
    ctx_.session.setMarkers(ctx_.session.markers());
}

void SystemDialog::Comb_System_Click(int index) {
    if (filling_)
        return;
    const int32_t before = editor_.info().MemorySize;
    editor_.selectModel(index);
    if (ctx_.setting.interfaceType() == bus::kLanSocket)
        session_.setLanAddress(ModelNameOf(editor_.info()),
                               ReadLanAddress(settings_, ModelNameOf(editor_.info())));
    refreshAll();
    memorySizeChanged(before);
    settingChanged();
}

void SystemDialog::Comb_Intfc_Click(int index) {
    if (filling_)
        return;
    const auto choices = editor_.interfaceChoices();
    if (index < 0 || index >= static_cast<int>(choices.size()))
        return;
    editor_.selectInterface(choices[index].interfaceType);
    // The socket's address goes to the settings store at once, where the
    // bus layer reads it, so that the defaults work for a first transfer.
    if (choices[index].interfaceType == bus::kLanSocket)
        session_.setLanAddress(ModelNameOf(editor_.info()),
                               ReadLanAddress(settings_, ModelNameOf(editor_.info())));
    refreshBasic();
}

namespace {

// Boxes of a bus query the window makes on its own: not shown, since a
// missing board only means there is no address to collide with.
class QuietMessages final : public InstrumentMessages {
public:
    std::string MessageText(int) const override { return "\r"; }
    void ShowBox(std::string_view, std::string_view) override {}
    void ShowErrorText(std::string_view) override {}
    std::optional<std::string> InputBox(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

} // namespace

std::optional<int> SystemDialog::controllerAddress() {
    const int type = ctx_.setting.interfaceType();
    if (!UsesBoardAddress(type) || transferRunning())
        return std::nullopt;
    QuietMessages quiet;
    bus::InterfaceLibrary board(quiet, bus::DefaultBackendFactory(quiet));
    board.SetInterfaceType(type);
    board.SetAddressField(editor_.info().Address);
    board.SetExtraConfiguration(
        BusConfigurationItems(settings_, type, ModelNameOf(editor_.info()), {}));
    int own = -1;
    const bool read = board.GpBoardAdr(own) == bus::kBusOk;
    board.GpEnd();
    if (!read)
        return std::nullopt;
    settings_.SetGpibAddress(type, own);
    return own;
}

void SystemDialog::Txt_GPIB_LostFocus(int index) {
    if (filling_)
        return;
    if (index == 0) {
        const AddressEdit edit =
            editor_.typeAddress(Txt_GPIB[0]->text(), controllerAddress(),
                                ctx_.messages.MessageText(kControllerAddressMessage));
        refreshBasic();
        if (!edit.controllerMessage.isEmpty())
            ctx_.messages.ShowErrorText(edit.controllerMessage);
        return;
    }
    editor_.typeMemoryNumber(Txt_GPIB[1]->text());
    refreshMemory();
}

void SystemDialog::UD_GPIB_Change(int index, int step) {
    const DeviceInfo& info = editor_.info();
    if (index == 0) {
        const int next = info.Address + step;
        if (next >= info.AddressMin && next <= info.AddressMax) {
            Txt_GPIB[0]->setText(QString::number(next));
            Txt_GPIB_LostFocus(0);
        }
        return;
    }
    editor_.setMemoryNumber(info.MemoryNumber + step);
    refreshMemory();
}

void SystemDialog::txtSerialNo_LostFocus() {
    if (filling_)
        return;
    if (!editor_.typeSerialNumber(txtSerialNo->text().trimmed())) {
        const bool was = std::exchange(filling_, true);
        txtSerialNo->setText(ctx_.setting.serialNumber());
        filling_ = was;
        ctx_.messages.show(
            {QString(), caption("Msg:SerialFormat"), MessageIcon::Critical, MessageButtons::Ok});
    }
}

void SystemDialog::Txt_Lan_LostFocus() {
    if (filling_)
        return;
    const std::string model = ModelNameOf(editor_.info());
    LanAddress address = ReadLanAddress(settings_, model);
    const auto host = ReadLanHost(Txt_LanHost->text());
    const auto port = ReadLanPort(Txt_LanPort->text());
    if (host)
        address.host = *host;
    if (port)
        address.port = *port;
    session_.setLanAddress(model, address);
    refreshBasic();
    if (!host)
        ctx_.messages.ShowErrorText(caption("Msg:LanHost"));
    else if (!port)
        ctx_.messages.ShowErrorText(caption("Msg:LanPort"));
}

void SystemDialog::Comb_MSize_Click(int index) {
    if (filling_)
        return;
    const int32_t before = editor_.info().MemorySize;
    editor_.selectMemorySize(index);
    refreshMemory();
    memorySizeChanged(before);
    settingChanged();
}

void SystemDialog::Txt_MName_LostFocus() {
    if (filling_)
        return;
    editor_.setMemoryName(Txt_MName->text());
    refreshMemory();
}

void SystemDialog::Comb_Channel_Click(int index) {
    if (filling_)
        return;
    editor_.selectChannel(index);
    refreshOscillator();
    settingChanged();
}

void SystemDialog::Opt_Output_Click(int index) {
    if (!filling_)
        editor_.setOutputState(index);
}

void SystemDialog::Comb_Range_Click(int index) {
    if (filling_)
        return;
    editor_.selectRange(index);
    refreshOscillator();
    settingChanged();
}

void SystemDialog::Opt_Offs_Click(int index) {
    if (filling_)
        return;
    editor_.setOffsetSwitch(index == 1);
    settingChanged();
}

void SystemDialog::Txt_Oscil_LostFocus(int index) {
    if (filling_)
        return;
    const bool was = std::exchange(filling_, true); // the warning box takes the focus
    const auto field = static_cast<OscillatorField>(index);
    const QString text = Txt_Oscil[index]->text();
    if (field == OscillatorField::Frequency || field == OscillatorField::Period) {
        const auto frequency = editor_.frequencyOfTyped(field, text);
        if (frequency && *frequency != editor_.info().Frequency) {
            const auto warning = editor_.frequencyWarning(*frequency);
            if (!warning || ctx_.messages.AskWarning(*warning) != MessageAnswer::No)
                editor_.applyFrequency(*frequency);
        }
    } else {
        editor_.typeOscillator(field, text);
    }
    filling_ = was;
    refreshOscillator();
    settingChanged();
}

void SystemDialog::Comb_Unit_Click(int axis, int index) {
    if (filling_)
        return;
    editor_.setUnitKind(axis == 0 ? Axis::X : Axis::Y, index);
    refreshUnits();
    settingChanged();
}

void SystemDialog::Txt_Unit_LostFocus(int index) {
    if (filling_)
        return;
    editor_.typeUnitLimit(static_cast<UnitLimit>(index), Txt_Unit[index]->text());
    refreshUnits();
    settingChanged();
}

void SystemDialog::Txt_Unit_Name_LostFocus(int axis) {
    if (filling_)
        return;
    editor_.setUnitName(axis == 0 ? Axis::X : Axis::Y, Txt_Unit_Name[axis]->text());
    refreshUnits();
    settingChanged();
}

// ---------------------------------------------------------------- transfers

bool SystemDialog::transferRunning() const {
    return progressWindow_ && (progressWindow_->progress().running() || transfer_->LoopRunning());
}

void SystemDialog::setButtonsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(Btn_Trans[0]), static_cast<QWidget*>(Btn_Trans[1]),
                       static_cast<QWidget*>(Btn_OK), static_cast<QWidget*>(Btn_Cancel),
                       static_cast<QWidget*>(tabs_), static_cast<QWidget*>(menuBar_)})
        w->setEnabled(enabled);
}

TransferJob SystemDialog::nextJob() {
    // The transfer works on a copy of the document as it is now.
    const LockedBlock<int16_t> block(ctx_.document.current());
    const std::size_t length =
        std::min<std::size_t>(block.size(), static_cast<std::size_t>(ctx_.document.WaveLength()));
    samples_.assign(block.data(), block.data() + (block ? length : 0));
    return MakeTransferJob(ctx_.setting, ctx_.usbTable, samples_);
}

void SystemDialog::Btn_Trans_Click(int index) {
    if (transferRunning())
        return;
    // A value still being typed counts.
    if (QWidget* focus = focusWidget())
        if (auto* box = qobject_cast<QLineEdit*>(focus))
            emit box->editingFinished();
    if (index == 0)
        transfer_->TransferSetting(nextJob());
    else
        transfer_->PressWaveformButton([this] { return nextJob(); });
}

// ---------------------------------------------------------------- OK, Cancel, close

void SystemDialog::Btn_OK_Click() {
    finish();
}

void SystemDialog::Btn_Cancel_Click() {
    if (transferRunning())
        return;
    const int32_t before = editor_.info().MemorySize;
    session_.cancel();
    refreshAll();
    memorySizeChanged(before);
    settingChanged();
    finish();
}

// The Escape key is the Cancel button.
void SystemDialog::reject() {
    Btn_Cancel_Click();
}

// The close box keeps the edits, as OK does.
void SystemDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    finish();
}

void SystemDialog::finish() {
    if (transferRunning())
        return;
    session_.close();
    QDialog::done(QDialog::Accepted);
}

// ---------------------------------------------------------------- files

// The dialogs start with the setup file's base name, "Untitled" in the
// documents folder until a setup file was read or written.
FileDialogRequest SystemDialog::fileRequest() const {
    const QString& base = ctx_.names().SystemFileName;
    const QString proposed =
        base == QLatin1String(kUntitled)
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/" + kUntitled
            : base;
    const QString ocb = caption("Msg:OcbFilter");
    return {QString(), {ocb, caption("Msg:AllFilter")}, ocb, proposed + ".ocb", "ocb"};
}

void SystemDialog::Menu_FileOpen_Click() {
    const QString path = ctx_.fileDialogs.chooseOpenFile(fileRequest());
    if (!path.isEmpty())
        openSetupFile(path);
}

void SystemDialog::Menu_FileSave_Click() {
    const QString path = ctx_.fileDialogs.chooseSaveFile(fileRequest());
    if (!path.isEmpty())
        saveSetupFile(path);
}

namespace {

QString BaseName(const QString& path) {
    return path.endsWith(QLatin1String(".ocb"), Qt::CaseInsensitive) ? path.left(path.size() - 4)
                                                                     : path;
}

} // namespace

bool SystemDialog::openSetupFile(const QString& path) {
    const int32_t before = editor_.info().MemorySize;
    const int result = ReadSetupFile(path, ctx_.setting);
    if (result != 0) {
        ctx_.messages.ShowErrorCode(result);
        return false;
    }
    ctx_.names().SystemFileName = BaseName(path);
    refreshAll();
    memorySizeChanged(before);
    settingChanged();
    return true;
}

bool SystemDialog::saveSetupFile(const QString& path) {
    const int result = SaveSetupFile(path, ctx_.setting);
    if (result != 0) {
        ctx_.messages.ShowErrorCode(result);
        return false;
    }
    ctx_.names().SystemFileName = BaseName(path);
    return true;
}

} // namespace zw
