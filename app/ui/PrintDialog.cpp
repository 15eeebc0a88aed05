#include "PrintDialog.h"

#include "CaptionApplier.h"
#include "CurrentSetting.h"
#include "EditorContext.h"
#include "Messages.h"
#include "PageListing.h"
#include "PageTable.h"
#include "SetupListing.h"
#include "Units.h"
#include "UpDownButtons.h"
#include "WaveDocument.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <memory>

namespace zw {
namespace {

std::unique_ptr<PrintState>& printState() {
    static std::unique_ptr<PrintState> state;
    return state;
}

// The printer goes before the application does: its print system plug-in
// must not outlive it.
void releasePrintState() {
    printState().reset();
}

// The wait cursor while a job is painted, back again however it ends.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// A PDF printer without a file gets one in the documents folder, named
// after the document.
void proposePdfFile(QPrinter& printer, const QString& waveFileName) {
    if (printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString base = QFileInfo(waveFileName).completeBaseName();
    printer.setOutputFileName(QDir(folder).filePath((base.isEmpty() ? "ZW4410" : base) + ".pdf"));
}

QString fontText(const QFont& font, const CaptionCatalog& captions) {
    QString text = font.family() + ", " + QString::number(font.pointSizeF()) + " pt";
    const std::pair<bool, const char16_t*> styles[] = {{font.bold(), u"Label_Font:Bold"},
                                                       {font.italic(), u"Label_Font:Italic"},
                                                       {font.underline(), u"Label_Font:Underline"}};
    for (const auto& [on, key] : styles)
        if (on)
            text += ", " + captions.caption(u"PrintDialog", QStringView(key));
    return text;
}

} // namespace

PrintState& ApplicationPrintState() {
    std::unique_ptr<PrintState>& state = printState();
    if (!state) {
        state = std::make_unique<PrintState>();
        qAddPostRoutine(releasePrintState);
    }
    return *state;
}

PrintDialog::PrintDialog(EditorContext& context, PrintState& state, WaveformProvider waveform,
                         QWidget* parent)
    : QDialog(parent), ctx_(context), state_(state), waveform_(std::move(waveform)),
      captions_(context.language) {
    setObjectName("PrintDialog");
    buildControls();
    ApplyCaptions(*this, captions_);
    for (int i = 0; i < MarginTable::kShownCount; ++i)
        showMargin(i);
    proposePdfFile(state_.printer, ctx_.names().WaveFileName);
    showPrinterAndFont();
    KeepWindowPosition(*this, ctx_.registry);
}

void PrintDialog::Open(EditorContext& context, QWidget* parent, WaveformProvider waveform) {
    PrintDialog dialog(context, ApplicationPrintState(), std::move(waveform), parent);
    dialog.exec();
}

// A margin box that loses the focus while the window is being taken apart
// would commit into a window that is no longer a PrintDialog.
PrintDialog::~PrintDialog() {
    for (QLineEdit* box : Text)
        if (box)
            box->disconnect(this);
}

void PrintDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* margins = new QGridLayout;
    margins->setHorizontalSpacing(6);
    for (int i = 0; i < MarginTable::kShownCount; ++i) {
        auto* label = new QLabel;
        label->setObjectName(ControlName(u"Label_Margin", i));
        Text[i] = new QLineEdit;
        Text[i]->setObjectName(ControlName(u"Text", i));
        Text[i]->setAlignment(Qt::AlignRight);
        Text[i]->setFixedWidth(56);
        label->setBuddy(Text[i]);
        UD_Margin[i] = new UpDownButtons;
        UD_Margin[i]->setObjectName(ControlName(u"UD_Margin", i));
        auto* unit = new QLabel;
        unit->setObjectName(ControlName(u"Label_MM", i));
        margins->addWidget(label, i, 0);
        margins->addWidget(Text[i], i, 1);
        margins->addWidget(UD_Margin[i], i, 2);
        margins->addWidget(unit, i, 3);
        connect(Text[i], &QLineEdit::editingFinished, this, [this, i] { commitMargin(i); });
        connect(UD_Margin[i], &UpDownButtons::stepped, this, [this, i](int step) {
            MarginTable& m = state_.settings.margins;
            if (step > 0 ? m.stepUp(i) : m.stepDown(i))
                showMargin(i);
        });
    }
    margins->setColumnStretch(4, 1);
    layout->addLayout(margins);

    // What the job goes to and what it is written with.
    Label_Printer = new QLabel;
    Label_Printer->setObjectName("Label_Printer");
    Label_Font = new QLabel;
    Label_Font->setObjectName("Label_Font");
    for (QLabel* l : {Label_Printer, Label_Font}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(l);
    }

    auto* choices = new QHBoxLayout;
    auto button = [this](const QString& name) {
        auto* b = new QPushButton;
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    for (int i = 0; i < 2; ++i) {
        QPushButton* b = button(ControlName(u"Btn_Prt", i));
        connect(b, &QPushButton::clicked, this, [this, i] { Btn_Prt_Click(i); });
        choices->addWidget(b);
    }
    QPushButton* preview = button("Btn_Preview");
    connect(preview, &QPushButton::clicked, this, &PrintDialog::Btn_Preview_Click);
    choices->addWidget(preview);
    layout->addLayout(choices);

    auto* closing = new QHBoxLayout;
    closing->addStretch();
    QPushButton* ok = button("Btn_OK");
    ok->setDefault(true);
    QPushButton* cancel = button("Btn_Cancel");
    connect(ok, &QPushButton::clicked, this, &PrintDialog::Btn_OK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    closing->addWidget(ok);
    closing->addWidget(cancel);
    layout->addLayout(closing);
}

void PrintDialog::showMargin(int index) {
    Text[index]->setText(QString::number(state_.settings.margins.margin(index)));
}

void PrintDialog::commitMargin(int index) {
    state_.settings.margins.commitText(index, Text[index]->text());
    showMargin(index);
}

void PrintDialog::showPrinterAndFont() {
    const QPrinter& p = state_.printer;
    const QString target = p.outputFormat() == QPrinter::PdfFormat
                               ? QDir::toNativeSeparators(p.outputFileName())
                               : p.printerName();
    const bool landscape = p.pageLayout().orientation() == QPageLayout::Landscape;
    const QString paper = p.pageLayout().pageSize().name() + ", " +
                          captions_.caption(u"PrintDialog", landscape ? u"Label_Printer:Landscape"
                                                                      : u"Label_Printer:Portrait");
    Label_Printer->setText(target + "  (" + paper + ")");
    Label_Font->setText(fontText(state_.settings.font, captions_));
}

void PrintDialog::Btn_Prt_Click(int index) {
    if (index == 0) {
        QPrintDialog dialog(&state_.printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.exec();
    } else {
        QFontDialog dialog(state_.settings.font, this);
        if (dialog.exec() == QDialog::Accepted)
            state_.settings.font = dialog.selectedFont();
    }
    proposePdfFile(state_.printer, ctx_.names().WaveFileName);
    showPrinterAndFont();
}

PrintSources PrintDialog::sources() const {
    PrintSources s;
    s.waveform = waveform_;
    const CaptionCatalog catalog = captions_;
    const CurrentSetting& setting = ctx_.setting;
    const WaveDocument& document = ctx_.document;
    s.pages = [catalog, &setting, &document] {
        const create::PageTable& table =
            create::ApplicationPageTable(static_cast<double>(document.WaveLength()));
        return BuildPageListing(PagesToPrint(table), Units(setting.info()), catalog);
    };
    s.setup = [catalog, &setting] {
        return BuildSetupListing(SetupListingSource::From(setting), catalog);
    };
    return s;
}

PrintOutcome PrintDialog::printTo(QPrinter& printer) {
    for (int i = 0; i < MarginTable::kShownCount; ++i)
        commitMargin(i);
    // The job's title in the printer queue (and cups-pdf's file name).
    const QString document = QFileInfo(ctx_.names().WaveFileName).completeBaseName();
    printer.setDocName(document.isEmpty() ? QStringLiteral("ZW4410") : "ZW4410 " + document);
    const WaitCursor wait;
    return PrintForTool(printer, state_.settings, ctx_.session.toolMode(), sources(), captions_);
}

void PrintDialog::Btn_Preview_Click() {
    QPrintPreviewDialog preview(&state_.printer, this);
    preview.setObjectName("PrintPreview");
    preview.setWindowTitle(windowTitle());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printTo(*printer); });
    preview.exec();
    showPrinterAndFont();
}

void PrintDialog::Btn_OK_Click() {
    const PrintOutcome outcome = printTo(state_.printer);
    const QString problem = PrintOutcomeText(outcome, captions_, state_.printer.printerName(),
                                             state_.printer.outputFileName());
    if (!problem.isEmpty()) {
        // The window stays, so another printer, file or margin can be tried.
        ctx_.messages.ShowErrorText(problem);
        return;
    }
    accept();
}

} // namespace zw
