// The real main window, offscreen, driven by its control names: start-up
// state, zoom and scroll, marker drags and typed positions, the Edit menu
// with undo through the desktop clipboard, the digital view's pattern
// buttons and line drags, open/save round trips, both languages, closing.
#include "MainWindow.h"
#include "CaptionCoverage.h"
#include "EditorFixture.h"
#include "GuiDriver.h"
#include "MemoryCodes.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "PlotCanvas.h"
#include "PlotTool.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "ToolWindowHost.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using zw::MarkerRecord;

using zwtest::codes;

class MainWindowTest : public ::testing::Test, protected zwtest::EditorFixture {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }

    void SetUp() override { open(zw::Language::English); }

    void open(zw::Language language) { openEditor(language); }

    template <typename T> T* find(const char* name) {
        return zwtest::findControl<T>(*window, name);
    }
    QAction* action(const char* name) { return find<QAction>(name); }
    QWidget* plot(const char* name = "Pict_Wave") { return find<QWidget>(name); }
    QString text(const char* name) { return find<QLineEdit>(name)->text().trimmed(); }
    // A read-out's number (the read-outs show a fixed number of characters).
    double number(const char* name) { return text(name).toDouble(); }
    long length() const { return doc.WaveLength(); }
    MarkerRecord markers() const { return doc.markers(); }

    void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
               Qt::MouseButton button = Qt::NoButton) {
        zwtest::sendMouse(w, type, at, buttons, button);
    }
    void drag(QWidget* w, QPoint from, QPoint to) { zwtest::dragMouse(w, from, to); }
    void type(const char* name, const QString& value) { zwtest::typeInto(*window, name, value); }
    void setMarkers(double a, double b) {
        find<QRadioButton>("Opt_Scope_0")->setChecked(true);
        type("Txt_End_X", QString::number(length()));
        type("Txt_Start_X", QString::number(a));
        type("Txt_End_X", QString::number(b));
    }
    void fillRamp() {
        zw::LockedBlock<int16_t> block(doc.current());
        for (int i = 0; i < length(); ++i)
            block[i] = static_cast<int16_t>(i);
    }
};

TEST_F(MainWindowTest, StartsUntitledWithMarkersAtBothEnds) {
    EXPECT_EQ(window->windowTitle(), "ZW4410 <Untitled>");
    EXPECT_EQ(number("Txt_Start_X"), 0);
    EXPECT_EQ(number("Txt_End_X"), length());
    EXPECT_EQ(number("Txt_Scope"), length());
    EXPECT_FALSE(action("Menu_Undo")->isEnabled());
    EXPECT_EQ(action("Menu_Undo")->text(), "&Undo");
    EXPECT_TRUE(find<QGroupBox>("Frm_Wave")->isVisible());
    EXPECT_FALSE(find<QGroupBox>("Frm_Digital")->isVisible());
    EXPECT_FALSE(find<QScrollBar>("HScroll_0")->isEnabled());
    EXPECT_FALSE(find<QScrollBar>("VScroll")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("Opt_Scope_0")->isChecked());
    EXPECT_EQ(codes(doc.current(), 0, 3), (std::vector<int16_t>{0, 0, 0}));
}

TEST_F(MainWindowTest, ZoomAndScrollMoveTheViewAndKeepThePairsEqual) {
    find<QComboBox>("Comb_XZoom_0")->setCurrentIndex(2);
    EXPECT_EQ(find<QComboBox>("Comb_XZoom_1")->currentIndex(), 2);
    EXPECT_EQ(window->view().ViewLeft(), 0);
    EXPECT_EQ(window->view().ViewRight(), length() / 4);
    QScrollBar* h0 = find<QScrollBar>("HScroll_0");
    QScrollBar* h1 = find<QScrollBar>("HScroll_1");
    EXPECT_TRUE(h0->isEnabled());
    h0->setValue(20);
    EXPECT_EQ(h1->value(), 20);
    // Samples per scroll unit: 1 up to 32768 samples, else length / 32768.
    const long step = length() < 32769 ? 1 : std::lround(length() / 32768.0);
    EXPECT_EQ(window->view().ScrollStep(), step);
    EXPECT_EQ(window->view().ViewLeft(), 20 * step);
    h1->setValue(40);
    EXPECT_EQ(h0->value(), 40);
    EXPECT_EQ(window->view().ViewLeft(), 40 * step);
    find<QComboBox>("Comb_XZoom_1")->setCurrentIndex(0);
    EXPECT_EQ(window->view().ViewLeft(), 0);
    EXPECT_EQ(window->view().ViewRight(), length());
    EXPECT_FALSE(h0->isEnabled());

    find<QComboBox>("Comb_YZoom")->setCurrentIndex(3);
    EXPECT_TRUE(find<QScrollBar>("VScroll")->isEnabled());
    EXPECT_EQ(window->view().YZoom(), 8);
}

TEST_F(MainWindowTest, DraggingMarkersKeepsTheirOrderAndTracksTheDistance) {
    QWidget* p = plot();
    const int w = p->width();
    const int y = p->height() / 2;
    drag(p, QPoint(0, y), QPoint(w / 4, y)); // A from column 0
    // At 1:1 column c shows sample c * length / w; a drag takes the nearest.
    EXPECT_EQ(markers().MarkA, std::nearbyint(double(w / 4) * length() / w));
    EXPECT_EQ(number("Txt_Scope"), markers().MarkB - markers().MarkA);

    setMarkers(100, length() / 2);
    const auto column = [&](double sample) {
        return static_cast<int>(std::nearbyint(sample * w / length()));
    };
    const int colB = column(markers().MarkB);
    const int colA = column(100);
    drag(p, QPoint(colA, y), QPoint(colB + 20, y)); // past B: A stays
    EXPECT_EQ(markers().MarkA, 100);

    find<QRadioButton>("Opt_Scope_1")->setChecked(true);
    const double distance = markers().MarkB - markers().MarkA;
    drag(p, QPoint(colB, y), QPoint(w, y)); // B to the end: A follows
    EXPECT_EQ(markers().MarkB, length());
    EXPECT_EQ(markers().MarkB - markers().MarkA, distance);
    drag(p, QPoint(column(markers().MarkA), y), QPoint(w - 1, y));
    EXPECT_EQ(markers().MarkB, length()); // B stops at the end, A moves back
    EXPECT_EQ(markers().MarkB - markers().MarkA, distance);
}

TEST_F(MainWindowTest, HoverShowsTheResizeCursorAndTheMousePosition) {
    QWidget* p = plot();
    mouse(p, QEvent::MouseMove, QPoint(p->width() / 2, 30));
    EXPECT_EQ(p->cursor().shape(), Qt::ArrowCursor);
    EXPECT_NEAR(number("Txt_Cur_X_0"), double(p->width() / 2) * length() / p->width(), 1e-3);
    mouse(p, QEvent::MouseMove, QPoint(5, 5)); // A's handle is left of it: not here
    EXPECT_EQ(p->cursor().shape(), Qt::ArrowCursor);
    mouse(p, QEvent::MouseMove, QPoint(p->width() - 5, 5)); // B's handle is right of it
    EXPECT_EQ(p->cursor().shape(), Qt::ArrowCursor);
    mouse(p, QEvent::MouseMove, QPoint(0, 200));
    EXPECT_EQ(p->cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(MainWindowTest, TypedPositionsAndDistance) {
    // Engineering notation; a value past the memory (1024 samples here) is
    // limited to its length (B stands at the end, so A may go there).
    ASSERT_EQ(length(), 1024);
    type("Txt_Start_X", "0.5k");
    EXPECT_EQ(markers().MarkA, 500);
    type("Txt_Start_X", "1.5k");
    EXPECT_EQ(markers().MarkA, 1024);
    EXPECT_EQ(number("Txt_Start_X"), 1024);
    setMarkers(100, 200);
    type("Txt_Start_X", "abc"); // not a number: the old text comes back
    EXPECT_EQ(number("Txt_Start_X"), 100);
    type("Txt_Start_X", "300"); // beyond B in the independent mode
    EXPECT_EQ(markers().MarkA, 100);
    EXPECT_EQ(number("Txt_Start_X"), 100);
    type("Txt_Scope", QString::number(length() * 10));
    EXPECT_EQ(markers().MarkB, length());
    EXPECT_EQ(number("Txt_Scope"), length() - 100);
}

TEST_F(MainWindowTest, DeleteUndoRedo) {
    fillRamp();
    setMarkers(100, 150);
    action("Menu_Delete")->trigger();
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{150}));
    EXPECT_EQ(markers(), (MarkerRecord{100, 100}));
    EXPECT_TRUE(action("Menu_Undo")->isEnabled());
    EXPECT_EQ(action("Menu_Undo")->text(), "&Undo");
    action("Menu_Undo")->trigger();
    EXPECT_EQ(action("Menu_Undo")->text(), "&Redo");
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{100}));
    EXPECT_EQ(number("Txt_End_X"), 150);
    action("Menu_Undo")->trigger();
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{150}));
    EXPECT_EQ(number("Txt_End_X"), 100);
}

TEST_F(MainWindowTest, CopyThenPasteThroughTheDesktopClipboard) {
    fillRamp();
    setMarkers(10, 13);
    action("Menu_Copy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "10\n11\n12\n");
    EXPECT_FALSE(action("Menu_Undo")->isEnabled()); // copying leaves nothing to undo
    setMarkers(500, 500);
    action("Menu_Paste")->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(codes(doc.current(), 499, 5), (std::vector<int16_t>{499, 10, 11, 12, 500}));
    EXPECT_EQ(markers(), (MarkerRecord{500, 503}));
    EXPECT_EQ(number("Txt_End_X"), 503);

    QApplication::clipboard()->clear();
    action("Menu_Paste")->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().title, "Error Message");
    EXPECT_EQ(boxes.last().text, "ClipBoard Read error.\r");
}

TEST_F(MainWindowTest, CutRemovesTheStretch) {
    fillRamp();
    setMarkers(20, 22);
    action("Menu_Cut")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "20\n21\n");
    EXPECT_EQ(codes(doc.current(), 20, 1), (std::vector<int16_t>{22}));
    EXPECT_EQ(markers(), (MarkerRecord{20, 20}));
}

TEST_F(MainWindowTest, PatternButtonsEditTheSelectedLines) {
    find<QRadioButton>("Opt_DspSel_1")->setChecked(true);
    QApplication::processEvents();
    EXPECT_TRUE(find<QGroupBox>("Frm_Digital")->isVisible());
    EXPECT_FALSE(find<QGroupBox>("Frm_Wave")->isVisible());
    setMarkers(0, 10);
    QWidget* p = plot("Pict_Digital");
    const int h = p->height();
    const auto lineRow = [h](int line) {
        return static_cast<int>(h / 49.0 * (1 + 3 * line + 1.5));
    };
    // Nothing selected: the fixed patterns do nothing.
    find<QPushButton>("Btn_Pattern_1")->click();
    EXPECT_TRUE(action("Menu_Undo")->isEnabled() == false);
    const QPoint inside(2, lineRow(0));
    mouse(p, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    mouse(p, QEvent::MouseButtonRelease, inside, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(session->lineMask(), 1);
    find<QPushButton>("Btn_Pattern_1")->click(); // high
    EXPECT_EQ(codes(doc.current(), 9, 2), (std::vector<int16_t>{-32768, 0}));
    find<QPushButton>("Btn_Pattern_2")->click(); // invert
    EXPECT_EQ(codes(doc.current(), 0, 1), (std::vector<int16_t>{0}));
    find<QLineEdit>("Txt_Pattern")->setText("Mask $0001 0H");
    find<QPushButton>("Btn_Pattern_3")->click();
    EXPECT_EQ(codes(doc.current(), 0, 1), (std::vector<int16_t>{1}));
    find<QLineEdit>("Txt_Pattern")->setText("{hq}");
    find<QPushButton>("Btn_Pattern_3")->click();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().text, "Syntax error.\r");

    // Dragging line 15 (bit 0) onto line 14 (bit 1) copies it.
    drag(p, QPoint(2, lineRow(15)), QPoint(2, lineRow(14)));
    EXPECT_EQ(codes(doc.current(), 0, 1), (std::vector<int16_t>{3}));
    EXPECT_EQ(codes(doc.current(), 10, 1), (std::vector<int16_t>{0}));
}

TEST_F(MainWindowTest, OpenAndSaveRoundTripsInBothFormats) {
    fillRamp();
    const QString wdb = dir.filePath("wave.wdb");
    fileDialogs.answerSave(wdb);
    action("Menu_FileSaveAs")->trigger();
    ASSERT_EQ(fileDialogs.saved.size(), 1u);
    EXPECT_TRUE(fileDialogs.saved.back().proposedPath.endsWith("/Untitled"));
    EXPECT_EQ(fileDialogs.saved.back().defaultExtension, "wdb");
    EXPECT_EQ(window->windowTitle(), "ZW4410 <" + wdb + ">");
    const QString txt = dir.filePath("wave.txt");
    fileDialogs.answerSave(txt);
    action("Menu_FileSaveAs2")->trigger();
    // The binary name with its extension replaced.
    EXPECT_EQ(fileDialogs.saved.back().proposedPath, txt);
    EXPECT_EQ(session->names().WaveFileName, txt);

    W_ClearMemory(doc.current(), 0, 65536);
    fileDialogs.answerOpen(wdb);
    find<QComboBox>("Comb_XZoom_0")->setCurrentIndex(3);
    action("Menu_FileOpen")->trigger();
    EXPECT_EQ(fileDialogs.opened.back().proposedPath, dir.filePath("wave"));
    EXPECT_EQ(fileDialogs.opened.back().selectedFilter, "Text files(*.txt)");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(codes(doc.current(), 0, 3), (std::vector<int16_t>{0, 1, 2}));
    EXPECT_FALSE(action("Menu_Undo")->isEnabled());
    EXPECT_EQ(find<QComboBox>("Comb_XZoom_0")->currentIndex(), 0);
    EXPECT_EQ(window->view().ViewRight(), length());

    W_ClearMemory(doc.current(), 0, 65536);
    fileDialogs.answerOpen(txt);
    action("Menu_FileOpen")->trigger();
    EXPECT_EQ(codes(doc.current(), 0, 3), (std::vector<int16_t>{0, 1, 2}));
    EXPECT_TRUE(action("Menu_Undo")->isEnabled()); // a text file makes a backup

    fileDialogs.answerOpen(dir.filePath("wave.dat"));
    action("Menu_FileOpen")->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().text, "Invalid file extension.\r");
    EXPECT_EQ(session->names().WaveFileName, txt);

    // File > Save writes to the current name directly.
    QFile::remove(txt);
    action("Menu_FileSave")->trigger();
    EXPECT_TRUE(QFile::exists(txt));
}

TEST_F(MainWindowTest, EditCommandsActOnThePatternBoxWhenItHasTheFocus) {
    fillRamp();
    QLineEdit* box = find<QLineEdit>("Txt_Pattern");
    QApplication::setActiveWindow(window.get());
    box->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), box);
    const auto before = codes(doc.current(), 0, length());
    box->setText("3H 2L");
    box->selectAll();
    action("Menu_Copy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "3H 2L");
    action("Menu_Delete")->trigger();
    EXPECT_EQ(box->text(), "");
    action("Menu_Paste")->trigger();
    EXPECT_EQ(box->text(), "3H 2L");
    box->selectAll();
    action("Menu_Cut")->trigger();
    EXPECT_EQ(box->text(), "");
    // The waveform was not touched, and no backup was made.
    EXPECT_EQ(codes(doc.current(), 0, length()), before);
    EXPECT_FALSE(action("Menu_Undo")->isEnabled());
}

TEST_F(MainWindowTest, AboutWindowShowsNameVersionAndDate) {
    QString title, version, date;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        version = about->findChild<QLabel*>("Label_Version")->text();
        date = about->findChild<QLabel*>("Label_Date")->text();
        about->close();
    });
    action("Menu_Version")->trigger();
    EXPECT_EQ(title, "Version Information");
    EXPECT_TRUE(version.startsWith("Ver.")) << version.toStdString();
    EXPECT_FALSE(date.isEmpty());
}

TEST_F(MainWindowTest, JapaneseCaptions) {
    open(zw::Language::Japanese);
    EXPECT_EQ(find<QMenu>("Menu_File")->title(), QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(action("Menu_Undo")->text(), QString::fromUtf8("元に戻す(&U)"));
    EXPECT_EQ(find<QRadioButton>("Opt_Scope_1")->text(), QString::fromUtf8("連動(&R)"));
    EXPECT_EQ(find<QPushButton>("Btn_Pattern_2")->text(), QString::fromUtf8("反転(&/)"));
    open(zw::Language::English);
    EXPECT_EQ(find<QMenu>("Menu_File")->title(), "&File");
    EXPECT_EQ(find<QRadioButton>("Opt_Scope_1")->text(), "t&Rack");
}

TEST_F(MainWindowTest, ToolWindowsOpenThroughTheHostOneAtATime) {
    // A tool's button and item are enabled exactly when a window is
    // registered for it.
    for (int i = 0; i < 4; ++i) {
        const QString name = zw::ControlName(u"Opt_DlgSel", i);
        EXPECT_EQ(zwtest::findControl<QPushButton>(*window, name)->isEnabled(),
                  window->tools().isRegistered(static_cast<zw::ToolMode>(i)))
            << name.toStdString();
    }
    EXPECT_EQ(action("Menu_System")->isEnabled(),
              window->tools().isRegistered(zw::ToolMode::SystemSetup));

    QPointer<QDialog> made;
    const auto factory = [&made](QWidget* parent) {
        made = new QDialog(parent);
        return made.data();
    };
    window->tools().registerWindow(zw::ToolMode::Compress, factory);
    window->tools().registerWindow(zw::ToolMode::Interpolate, factory);
    window->tools().registerWindow(zw::ToolMode::SystemSetup, factory);
    QPushButton* compress = find<QPushButton>("Opt_DlgSel_1");
    QPushButton* spline = find<QPushButton>("Opt_DlgSel_2");
    EXPECT_TRUE(compress->isEnabled());
    EXPECT_TRUE(action("Menu_Compress")->isEnabled());
    for (zw::ToolMode other : {zw::ToolMode::Create, zw::ToolMode::Operate})
        EXPECT_EQ(zwtest::findControl<QPushButton>(
                      *window, zw::ControlName(u"Opt_DlgSel", static_cast<int>(other)))
                      ->isEnabled(),
                  window->tools().isRegistered(other));

    setMarkers(100, 200);
    compress->click();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->isVisible());
    EXPECT_EQ(session->toolMode(), zw::ToolMode::Compress);
    EXPECT_TRUE(compress->isChecked());
    EXPECT_TRUE(action("Menu_Compress")->isChecked());
    EXPECT_FALSE(spline->isEnabled()); // the other tools wait
    EXPECT_FALSE(action("Menu_System")->isEnabled());
    compress->click(); // pressing it again keeps it pressed
    EXPECT_TRUE(compress->isChecked());

    // The tool moves a marker and changes samples; then the user closes it.
    find<QLineEdit>("Txt_Start_X")->setText("garbage");
    session->setMarkers({50, 200});
    made->close();
    QApplication::processEvents();
    EXPECT_EQ(session->toolMode(), zw::ToolMode::None);
    EXPECT_FALSE(compress->isChecked());
    EXPECT_FALSE(action("Menu_Compress")->isChecked());
    EXPECT_TRUE(spline->isEnabled());
    EXPECT_TRUE(action("Menu_System")->isEnabled());
    EXPECT_EQ(number("Txt_Start_X"), 50);
    QApplication::processEvents(); // the closed window is deleted
    EXPECT_TRUE(made.isNull());

    // The menu item opens its window too, and accepting it releases it.
    action("Menu_Spline")->trigger();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(spline->isChecked());
    EXPECT_EQ(session->toolMode(), zw::ToolMode::Interpolate);
    made->accept();
    EXPECT_EQ(session->toolMode(), zw::ToolMode::None);
    EXPECT_FALSE(spline->isChecked());

    // Interpolation works on the analog display only.
    find<QRadioButton>("Opt_DspSel_1")->setChecked(true);
    EXPECT_FALSE(spline->isEnabled());
    EXPECT_FALSE(action("Menu_Spline")->isEnabled());
    EXPECT_TRUE(compress->isEnabled());
    find<QRadioButton>("Opt_DspSel_0")->setChecked(true);
    EXPECT_TRUE(spline->isEnabled());
}

TEST_F(MainWindowTest, EveryCaptionRowFindsAControl) {
    const zw::CaptionCatalog captions(zw::Language::English);
    EXPECT_EQ(zwtest::captionRowsWithoutControl(*window, captions, "MainWindow"), QStringList());
}

TEST_F(MainWindowTest, EveryCaptionRowOfTheAboutWindowFindsAControl) {
    const zw::CaptionCatalog captions(zw::Language::English);
    QStringList missing{"not run"};
    zwtest::whenModalOpens([&](QWidget& about) {
        missing = zwtest::captionRowsWithoutControl(about, captions, "VersionDialog");
        about.close();
    });
    action("Menu_Version")->trigger();
    EXPECT_EQ(missing, QStringList());
}

// A plot tool that records what reaches it and paints a black square.
class RecordingTool : public zw::PlotTool {
public:
    void mouseMove(const zw::PlotPointer& p) override { events.push_back({'m', p.position}); }
    void mousePress(const zw::PlotPointer& p) override { events.push_back({'p', p.position}); }
    void mouseRelease(const zw::PlotPointer& p) override { events.push_back({'r', p.position}); }
    void paintOverlay(QPainter& painter, QSize) override {
        ++overlays;
        painter.fillRect(QRect(40, 40, 4, 4), Qt::black);
    }
    std::vector<std::pair<char, QPointF>> events;
    int overlays = 0;
};

TEST_F(MainWindowTest, ThePlotsMouseGoesToTheToolOfTheToolMode) {
    auto owned = std::make_unique<RecordingTool>();
    RecordingTool& tool = *owned;
    window->setPlotTool(zw::ToolMode::Interpolate, std::move(owned));
    auto* canvas = find<zw::PlotCanvas>("Pict_Wave");
    const QPoint markerA(0, 200);

    // No tool window: the markers own the mouse, the tool sees nothing.
    mouse(canvas, QEvent::MouseMove, markerA);
    EXPECT_EQ(canvas->cursor().shape(), Qt::SizeHorCursor);
    EXPECT_TRUE(tool.events.empty());
    EXPECT_EQ(tool.overlays, 0);
    EXPECT_EQ(canvas->frame().pixelColor(41, 41), QColor(Qt::white));

    session->setToolMode(zw::ToolMode::Interpolate); // redraws with the overlay
    EXPECT_EQ(tool.overlays, 1);
    EXPECT_EQ(canvas->frame().pixelColor(41, 41), QColor(Qt::black));
    drag(canvas, QPoint(10, 20), QPoint(30, 40));
    ASSERT_EQ(tool.events.size(), 4u);
    EXPECT_EQ(tool.events[1], std::make_pair('p', QPointF(10, 20)));
    EXPECT_EQ(tool.events[3], std::make_pair('r', QPointF(30, 40)));
    EXPECT_NEAR(number("Txt_Cur_X_0"), 30.0 * length() / canvas->width(), 1e-3);
    EXPECT_EQ(markers(), (MarkerRecord{0, double(length())})); // no marker moved

    session->setToolMode(zw::ToolMode::None);
    EXPECT_EQ(canvas->frame().pixelColor(41, 41), QColor(Qt::white));
    drag(canvas, markerA, QPoint(canvas->width() / 2, 200));
    EXPECT_GT(markers().MarkA, 0);
    EXPECT_EQ(tool.events.size(), 4u);
}

// A tool window that reports an edit when it goes, as a window that writes
// its result on closing does.
class ReportingOnClose : public QDialog {
public:
    ReportingOnClose(zw::EditSession& session, QWidget* parent)
        : QDialog(parent), session_(session) {}
    ~ReportingOnClose() override { session_.setMarkers({1, 2}); }

private:
    zw::EditSession& session_;
};

TEST_F(MainWindowTest, AToolWindowStillOpenWhenTheMainWindowGoesMayReport) {
    window->tools().registerWindow(zw::ToolMode::Operate, [this](QWidget* parent) {
        return new ReportingOnClose(*session, parent);
    });
    ASSERT_NE(window->tools().open(zw::ToolMode::Operate), nullptr);
    window.reset();
    EXPECT_EQ(markers(), (MarkerRecord{1, 2}));
    EXPECT_EQ(session->toolMode(), zw::ToolMode::None);
}

TEST_F(MainWindowTest, ClosingAsksFirst) {
    boxes.answerNext(zw::MessageAnswer::No);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(boxes.last().title, "Caution Message");
    EXPECT_EQ(boxes.last().text, "Exit Program. Are you sure?\r");
    EXPECT_EQ(boxes.last().icon, zw::MessageIcon::Question);

    ASSERT_TRUE(registry->TryClaimGpibBusy(0)); // this instance transferring
    EXPECT_FALSE(window->close());
    EXPECT_EQ(boxes.last().icon, zw::MessageIcon::Critical);
    EXPECT_TRUE(boxes.last().text.startsWith("Interface Busy."));
    registry->SetGpibBusy(0, false);

    boxes.answerNext(zw::MessageAnswer::Yes);
    EXPECT_TRUE(window->close());
}

} // namespace
