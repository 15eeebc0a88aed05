// The Print window: three page margins (left, top, bottom) with their
// up-down controls, the printer and the font through Qt's own printer and
// font dialogs, a print preview, and OK, which prints what the active tool
// calls for — the waveform, the creation pages or the system setup — and
// closes. Margins, font and printer are kept for the whole run.
#ifndef ZW_UI_PRINTDIALOG_H
#define ZW_UI_PRINTDIALOG_H

#include "CaptionCatalog.h"
#include "PrintJob.h"

#include <QDialog>
#include <QPrinter>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zw {

struct EditorContext;
class UpDownButtons;

// The Print window's choices for the run.
struct PrintState {
    PrintSettings settings;
    QPrinter printer{QPrinter::HighResolution};
};

// The main window's view as the waveform printout shows it.
using WaveformProvider = std::function<WaveformPrintSource()>;

// The one state of the application; released before the application ends.
PrintState& ApplicationPrintState();

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    // `waveform` is the main window's view; the other windows that print
    // (Create, System Setup) print their own listing and give none.
    PrintDialog(EditorContext& context, PrintState& state, WaveformProvider waveform,
                QWidget* parent = nullptr);
    ~PrintDialog() override;

    // Opens the Print window as a modal window over `parent`, with the
    // margins, font and printer of the run.
    static void Open(EditorContext& context, QWidget* parent, WaveformProvider waveform = {});

    // What OK prints, for the active tool; the preview shows the same.
    PrintOutcome printTo(QPrinter& printer);

private:
    void buildControls();
    void showMargin(int index);
    void commitMargin(int index);
    void showPrinterAndFont();
    void Btn_Prt_Click(int index);
    void Btn_Preview_Click();
    void Btn_OK_Click();
    PrintSources sources() const;

    EditorContext& ctx_;
    PrintState& state_;
    WaveformProvider waveform_;
    CaptionCatalog captions_;
    std::array<QLineEdit*, 3> Text{};
    std::array<UpDownButtons*, 3> UD_Margin{};
    QLabel* Label_Printer = nullptr;
    QLabel* Label_Font = nullptr;
};

} // namespace zw

#endif // ZW_UI_PRINTDIALOG_H
