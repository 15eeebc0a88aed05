// The three tool windows of the main window, real and offscreen, driven by
// their control names: Operate (clipboard operand, result, OK with undo,
// Cancel), Compress/Decompress (live changes, the fits, Cancel restoring
// samples and markers), Interpolate (points typed, clicked, dragged and
// removed on the main plot, the interpolations, point-list files), and each
// window's captions in both languages.
#include "CalcDialog.h"
#include "CaptionCoverage.h"
#include "ControlPoints.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorFixture.h"
#include "GuiDriver.h"
#include "MainWindow.h"
#include "MemoryCodes.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "ToolWindowHost.h"
#include "WaveDocument.h"
#include "WaveView.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using zw::MarkerRecord;
using zw::ToolMode;

using zwtest::codes;

class ToolDialogs : public ::testing::Test, protected zwtest::EditorFixture {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }

    void SetUp() override { open(zw::Language::English); }
    void TearDown() override { releaseEditor(); }

    void open(zw::Language language) { openEditor(language); }

    template <typename T> T* find(const QObject& in, const char* name) {
        return zwtest::findControl<T>(in, name);
    }
    template <typename T> T* find(const char* name) { return find<T>(*window, name); }
    void click(const QObject& in, const char* name) {
        if (auto* b = find<QPushButton>(in, name))
            b->click();
    }
    // Opens a tool by its button; the window the host made.
    QDialog* openTool(ToolMode mode) {
        click(*window, QString("Opt_DlgSel_%1").arg(static_cast<int>(mode)).toUtf8().constData());
        QApplication::processEvents();
        return window->tools().openWindow();
    }
    void closed() {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    long length() const { return doc.WaveLength(); }
    std::vector<int16_t> all() const { return codes(doc.current(), 0, length()); }
    void setMarkers(double a, double b) { session->setMarkers({a, b}); }
    void fill(const std::function<int16_t(int)>& code) {
        zw::LockedBlock<int16_t> block(doc.current());
        for (int i = 0; i < length(); ++i)
            block[i] = code(i);
        session->samplesChanged();
    }
    QWidget* plot() { return find<QWidget>("Pict_Wave"); }
    // The pixel of a sample and a code on the main plot.
    QPoint pixelOf(double sample, double code) {
        const auto& v = window->view();
        return {static_cast<int>(v.sampleToColumn(sample, plot()->width())),
                static_cast<int>(v.codeToRow(code, plot()->height()))};
    }
    // A text box's or a grid cell's number (the read-outs pad with zeros).
    double number(const QObject& in, const char* name) {
        return find<QLineEdit>(in, name)->text().trimmed().toDouble();
    }
    static double cell(QTableView* grid, int row, int column) {
        return grid->model()->index(row, column).data().toString().toDouble();
    }
    bool boxShown(int code) const {
        const QString text = catalog->MessageText(code);
        return std::any_of(boxes.shown.begin(), boxes.shown.end(),
                           [&](const auto& box) { return box.text == text; });
    }
};

// ---------------------------------------------------------------------------
// Every window: captions in both languages, the host's tool mode.

TEST_F(ToolDialogs, EveryCaptionRowFindsAControlInBothLanguages) {
    for (auto language : {zw::Language::English, zw::Language::Japanese}) {
        open(language);
        setMarkers(0, 100);
        for (auto [mode, name] : {std::pair{ToolMode::Operate, "CalcDialog"},
                                  std::pair{ToolMode::Compress, "ElasticDialog"},
                                  std::pair{ToolMode::Interpolate, "SplineDialog"}}) {
            QDialog* tool = openTool(mode);
            ASSERT_NE(tool, nullptr) << name;
            EXPECT_EQ(tool->objectName(), name);
            EXPECT_EQ(session->toolMode(), mode);
            EXPECT_EQ(tool->windowTitle(),
                      catalog ? zw::CaptionCatalog(language).windowTitle(QString(name))
                              : QString());
            EXPECT_EQ(zwtest::captionRowsWithoutControl(*tool, zw::CaptionCatalog(language), name),
                      QStringList())
                << name;
            tool->reject();
            closed();
            EXPECT_EQ(session->toolMode(), ToolMode::None);
        }
    }
}

TEST_F(ToolDialogs, JapaneseCaptionsOfTheTools) {
    open(zw::Language::Japanese);
    QDialog* tool = openTool(ToolMode::Interpolate);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(find<QPushButton>(*tool, "Btn_Spline_2")->text(),
              QString::fromUtf8("連続ｽﾌﾟﾗｲﾝ(&C)"));
    tool->reject();
    closed();
    tool = openTool(ToolMode::Compress);
    ASSERT_NE(tool, nullptr);
    find<QRadioButton>(*tool, "Opt_Y_1")->click();
    EXPECT_EQ(find<QLabel>(*tool, "Label_Amp")->text(), QString::fromUtf8("振幅(&T)"));
    tool->reject();
    closed();
}

// ---------------------------------------------------------------------------
// Operate

TEST_F(ToolDialogs, OperateAddsTheClipboardAndOkCanBeUndone) {
    fill([](int i) { return static_cast<int16_t>(i); });
    setMarkers(100, 110);
    const auto before = all();
    QDialog* tool = openTool(ToolMode::Operate);
    ASSERT_NE(tool, nullptr);
    QApplication::clipboard()->setText(
        "1000\n1000\n1000\n1000\n1000\n1000\n1000\n1000\n1000\n1000\n");
    click(*tool, "Btn_Cut");
    EXPECT_TRUE(boxes.empty());
    find<QComboBox>(*tool, "Comb_Comp")->setCurrentIndex(0);
    click(*tool, "Btn_Result");
    EXPECT_EQ(all(), before); // nothing before OK
    click(*tool, "Btn_OK");
    closed();
    EXPECT_EQ(session->toolMode(), ToolMode::None);
    EXPECT_EQ(codes(doc.current(), 99, 12),
              (std::vector<int16_t>{99, 1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108, 1109,
                                    110}));
    find<QAction>("Menu_Undo")->trigger();
    EXPECT_EQ(all(), before);
}

TEST_F(ToolDialogs, OperateCancelAndAClipboardWithoutNumbersChangeNothing) {
    fill([](int i) { return static_cast<int16_t>(i); });
    setMarkers(10, 20);
    const auto before = all();
    QDialog* tool = openTool(ToolMode::Operate);
    ASSERT_NE(tool, nullptr);
    QApplication::clipboard()->setText("no numbers");
    click(*tool, "Btn_Cut");
    EXPECT_TRUE(boxShown(81));
    click(*tool, "Btn_Result");
    click(*tool, "Btn_Cancel");
    closed();
    EXPECT_EQ(all(), before);
    EXPECT_FALSE(find<QAction>("Menu_Undo")->isEnabled());
}

TEST_F(ToolDialogs, CreatedWaveformRunsTheCreateWindowForTheOperand) {
    fill([](int) { return int16_t{100}; });
    setMarkers(0, 10);
    QDialog* tool = openTool(ToolMode::Operate);
    ASSERT_NE(tool, nullptr);
    QApplication::clipboard()->setText("5 5 5 5 5 5 5 5 5 5");
    click(*tool, "Btn_Cut");
    // Cancel in the Create window keeps the operand.
    QString title;
    zwtest::whenModalOpens([&title](QWidget& modal) {
        title = modal.objectName();
        zwtest::findControl<QPushButton>(modal, "Btn_Cancel")->click();
    });
    click(*tool, "Btn_Create");
    EXPECT_EQ(title, "CreateDialog");
    EXPECT_EQ(session->toolMode(), ToolMode::Operate);
    click(*tool, "Btn_Result");
    click(*tool, "Btn_OK");
    closed();
    EXPECT_EQ(codes(doc.current(), 0, 11),
              (std::vector<int16_t>{105, 105, 105, 105, 105, 105, 105, 105, 105, 105, 100}));
    find<QAction>("Menu_Undo")->trigger();

    // Page OK writes the page into the operand, cleared first: the 5s of the
    // clipboard are gone.
    tool = openTool(ToolMode::Operate);
    ASSERT_NE(tool, nullptr);
    click(*tool, "Btn_Cut");
    zwtest::whenModalOpens(
        [](QWidget& modal) { zwtest::findControl<QPushButton>(modal, "Btn_OK")->click(); });
    click(*tool, "Btn_Create");
    click(*tool, "Btn_Result");
    click(*tool, "Btn_OK");
    closed();
    const auto written = codes(doc.current(), 0, 10);
    EXPECT_EQ(std::count(written.begin(), written.end(), int16_t{105}), 0);
}

TEST_F(ToolDialogs, OperateTakesTheOperandTheCreateWindowWrites) {
    fill([](int) { return int16_t{100}; });
    setMarkers(0, 50);
    int asked = 0;
    // Stands for the Create window in its operand mode: it fills the whole
    // operand it is given.
    auto creator = [&asked](ZwMemHandle operand, QWidget*) {
        ++asked;
        zw::LockedBlock<int16_t> block(operand);
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = 7;
        return true;
    };
    auto* calc = new zw::CalcDialog(*context, creator, window.get());
    auto* create = find<QPushButton>(*calc, "Btn_Create");
    ASSERT_TRUE(create->isEnabled());
    create->click();
    EXPECT_EQ(asked, 1);
    click(*calc, "Btn_Result");
    click(*calc, "Btn_OK");
    EXPECT_EQ(codes(doc.current(), 0, 51), [] {
        std::vector<int16_t> v(51, 107);
        v[50] = 100;
        return v;
    }());
    delete calc;
    // Without the Create window's operand mode the button waits.
    zw::CalcDialog bare(*context, {}, window.get());
    EXPECT_FALSE(find<QPushButton>(bare, "Btn_Create")->isEnabled());
}

// ---------------------------------------------------------------------------
// Compress/Decompress

TEST_F(ToolDialogs, CompressRecomputesLiveAndCancelRestoresSamplesAndMarkers) {
    fill([](int i) { return static_cast<int16_t>(10 * (i % 1000) - 5000); });
    setMarkers(100, 200);
    const auto before = all();
    QDialog* tool = openTool(ToolMode::Compress);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(number(*tool, "Text_X_0"), 100);
    zwtest::typeInto(*tool, "Text_X_1", "400");
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 400}));
    EXPECT_NE(all(), before);
    EXPECT_EQ(find<QLineEdit>("Txt_End_X")->text().trimmed().toDouble(), 400);
    click(*tool, "Btn_Peak");
    const auto peak = all();
    EXPECT_EQ(*std::max_element(peak.begin() + 100, peak.begin() + 400), 32767);
    zwtest::typeInto(*tool, "Text_X_0", "not a number");
    EXPECT_EQ(number(*tool, "Text_X_0"), 100);
    click(*tool, "Btn_Length");
    EXPECT_EQ(doc.markers(), (MarkerRecord{0, static_cast<double>(length())}));
    click(*tool, "Btn_Cancel");
    closed();
    EXPECT_EQ(all(), before);
    EXPECT_EQ(doc.markers(), (MarkerRecord{100, 200}));
    EXPECT_EQ(session->toolMode(), ToolMode::None);
}

TEST_F(ToolDialogs, CompressOkKeepsTheResultAndUndoReturns) {
    fill([](int i) { return static_cast<int16_t>(i % 3000 - 1000); });
    setMarkers(0, 100);
    const auto before = all();
    QDialog* tool = openTool(ToolMode::Compress);
    ASSERT_NE(tool, nullptr);
    find<QRadioButton>(*tool, "Opt_Y_1")->click();
    EXPECT_EQ(find<QLabel>(*tool, "Label_Amp")->text(), "Ampli&tude");
    EXPECT_EQ(number(*tool, "Text_Y_0"), 99);
    zwtest::typeInto(*tool, "Text_Y_0", "990");
    click(*tool, "Btn_OK");
    closed();
    const auto kept = all();
    EXPECT_EQ(*std::max_element(kept.begin(), kept.begin() + 100) -
                  *std::min_element(kept.begin(), kept.begin() + 100),
              990);
    find<QAction>("Menu_Undo")->trigger();
    EXPECT_EQ(all(), before);
}

// ---------------------------------------------------------------------------
// Interpolate

TEST_F(ToolDialogs, ClicksOnThePlotAddMoveAndRemovePoints) {
    setMarkers(0, length() * 0.9);
    QDialog* tool = openTool(ToolMode::Interpolate);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(plot()->cursor().shape(), Qt::CrossCursor);
    auto* grid = find<QTableView>(*tool, "flxSpread");
    const QPoint at = pixelOf(length() / 4.0, 16000);
    zwtest::sendMouse(plot(), QEvent::MouseMove, at);
    EXPECT_EQ(plot()->cursor().shape(), Qt::CrossCursor);
    zwtest::sendMouse(plot(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    zwtest::sendMouse(plot(), QEvent::MouseButtonRelease, at, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(grid->model()->index(0, 0).data().toString().isEmpty(), false);
    const double x = cell(grid, 0, 0);
    const double y = cell(grid, 0, 1);
    EXPECT_NEAR(x, length() / 4.0, length() / plot()->width() + 1);
    EXPECT_NEAR(y, 16000, 65536.0 / plot()->height() + 1);
    EXPECT_TRUE(grid->model()->index(1, 0).data().toString().isEmpty());

    // A drag from the point moves it.
    const QPoint to = pixelOf(length() / 2.0, -8000);
    zwtest::dragMouse(plot(), at, to);
    const double movedX = cell(grid, 0, 0);
    const double movedY = cell(grid, 0, 1);
    EXPECT_NEAR(movedX, length() / 2.0, length() / plot()->width() + 1);
    EXPECT_NEAR(movedY, -8000, 65536.0 / plot()->height() + 1);
    EXPECT_TRUE(grid->model()->index(1, 0).data().toString().isEmpty());

    // A second point, then a right click near the first removes that one.
    const QPoint second = pixelOf(length() * 0.75, 0);
    zwtest::sendMouse(plot(), QEvent::MouseButtonPress, second, Qt::LeftButton, Qt::LeftButton);
    zwtest::sendMouse(plot(), QEvent::MouseButtonRelease, second, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(grid->model()->index(1, 0).data().toString().isEmpty());
    zwtest::sendMouse(plot(), QEvent::MouseButtonPress, to + QPoint(3, 3), Qt::RightButton,
                      Qt::RightButton);
    zwtest::sendMouse(plot(), QEvent::MouseButtonRelease, to + QPoint(3, 3), Qt::NoButton,
                      Qt::RightButton);
    EXPECT_TRUE(grid->model()->index(1, 0).data().toString().isEmpty());
    EXPECT_NEAR(cell(grid, 0, 0), length() * 0.75, length() / plot()->width() + 1);
    // Delete over the plot removes the point nearest to the mouse.
    zwtest::sendMouse(plot(), QEvent::MouseMove, second);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(plot(), &del);
    EXPECT_TRUE(grid->model()->index(0, 0).data().toString().isEmpty());

    // Markers still drag in this mode: marker B from the end to the middle.
    const QPoint markerB(window->view().sampleToColumn(doc.markers().MarkB, plot()->width()), 100);
    zwtest::dragMouse(plot(), markerB, pixelOf(length() / 2.0, 0));
    EXPECT_NEAR(doc.markers().MarkB, length() / 2.0, length() / plot()->width() + 1);
    EXPECT_TRUE(grid->model()->index(0, 0).data().toString().isEmpty()); // no point added
    tool->reject();
    closed();
    EXPECT_EQ(session->toolMode(), ToolMode::None);
    EXPECT_EQ(plot()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolDialogs, AClickAtTheOtherEndAsksAndAMissedReleaseEndsTheDrag) {
    setMarkers(length() * 0.3, length() * 0.6);
    QDialog* tool = openTool(ToolMode::Interpolate);
    ASSERT_NE(tool, nullptr);
    auto* grid = find<QTableView>(*tool, "flxSpread");
    const QPoint start = pixelOf(0, 5000);
    zwtest::sendMouse(plot(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    zwtest::sendMouse(plot(), QEvent::MouseButtonRelease, start, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(cell(grid, 0, 0), 0);
    // The end of the waveform is the same sample: the question, then both.
    boxes.answerNext(zw::MessageAnswer::Yes);
    const QPoint end = pixelOf(length(), -5000);
    zwtest::sendMouse(plot(), QEvent::MouseButtonPress, end, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(boxShown(21));
    ASSERT_EQ(cell(grid, 1, 0), length());
    EXPECT_EQ(cell(grid, 0, 1), cell(grid, 1, 1));
    // The box took the release: moving without a button drags nothing.
    zwtest::sendMouse(plot(), QEvent::MouseMove, pixelOf(length() / 2.0, 0));
    EXPECT_EQ(cell(grid, 1, 0), length());
    EXPECT_TRUE(grid->model()->index(2, 0).data().toString().isEmpty());
    tool->reject();
    closed();
}

TEST_F(ToolDialogs, TypedPointsAndTheInterpolations) {
    fill([](int) { return int16_t{0}; });
    setMarkers(0, 1000);
    QDialog* tool = openTool(ToolMode::Interpolate);
    ASSERT_NE(tool, nullptr);
    click(*tool, "Btn_Spline_0");
    EXPECT_TRUE(boxShown(20));
    EXPECT_FALSE(find<QAction>("Menu_Undo")->isEnabled());

    zwtest::typeInto(*tool, "Text_0", "500");
    zwtest::typeInto(*tool, "Text_1", "10000");
    click(*tool, "Btn_Add");
    auto* grid = find<QTableView>(*tool, "flxSpread");
    EXPECT_EQ(cell(grid, 0, 0), 500);
    EXPECT_EQ(cell(grid, 0, 1), 10000);
    click(*tool, "Btn_Spline_0");
    EXPECT_EQ(codes(doc.current(), 500, 1)[0], 10000);
    EXPECT_FALSE(doc.UndoMenuOff());
    // Undo waits while the tool owns the plot, as do the other edits.
    EXPECT_FALSE(find<QAction>("Menu_Undo")->isEnabled());
    EXPECT_FALSE(find<QAction>("Menu_Paste")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("Btn_Pattern_3")->isEnabled());

    // A number that does not parse is refused with a message.
    boxes.clear();
    zwtest::typeInto(*tool, "Text_1", "ten");
    click(*tool, "Btn_Add");
    EXPECT_TRUE(boxShown(23));

    // Delete removes the selected row's point; All Delete the rest.
    grid->selectRow(0);
    click(*tool, "Btn_Delete");
    EXPECT_TRUE(grid->model()->index(0, 0).data().toString().isEmpty());
    tool->reject();
    closed();
    EXPECT_TRUE(find<QAction>("Menu_Undo")->isEnabled());
    EXPECT_TRUE(find<QAction>("Menu_Paste")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("Btn_Pattern_3")->isEnabled());
}

TEST_F(ToolDialogs, TheEndLinkQuestionOnTheGrid) {
    QDialog* tool = openTool(ToolMode::Interpolate);
    ASSERT_NE(tool, nullptr);
    zwtest::typeInto(*tool, "Text_0", "0");
    zwtest::typeInto(*tool, "Text_1", "100");
    click(*tool, "Btn_Add");
    zwtest::typeInto(*tool, "Text_0", QString::number(length()));
    zwtest::typeInto(*tool, "Text_1", "200");
    boxes.answerNext(zw::MessageAnswer::Yes);
    click(*tool, "Btn_Add");
    EXPECT_TRUE(boxShown(21));
    auto* grid = find<QTableView>(*tool, "flxSpread");
    EXPECT_EQ(cell(grid, 0, 1), 200);
    EXPECT_EQ(cell(grid, 1, 1), 200);
    tool->reject();
    closed();
}

TEST_F(ToolDialogs, PointListsAreSavedAndOpenedFromTheFileMenu) {
    QDialog* tool = openTool(ToolMode::Interpolate);
    ASSERT_NE(tool, nullptr);
    zwtest::typeInto(*tool, "Text_0", "100");
    zwtest::typeInto(*tool, "Text_1", "2000");
    click(*tool, "Btn_Add");
    const QString path = dir.filePath("points.csv");
    fileDialogs.answerSave(path);
    find<QAction>(*tool, "Menu_FileSave")->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("100,2000\r\n"));
    EXPECT_EQ(context->names().TextFileName, path);

    click(*tool, "Btn_AllClear");
    auto* grid = find<QTableView>(*tool, "flxSpread");
    EXPECT_TRUE(grid->model()->index(0, 0).data().toString().isEmpty());
    fileDialogs.answerOpen(path);
    find<QAction>(*tool, "Menu_FileOpen")->trigger();
    EXPECT_EQ(cell(grid, 0, 0), 100);
    EXPECT_EQ(fileDialogs.opened.back().defaultExtension, "csv");

    fileDialogs.answerOpen(dir.filePath("wave.txt"));
    find<QAction>(*tool, "Menu_FileOpen")->trigger();
    EXPECT_TRUE(boxShown(7));
    EXPECT_EQ(cell(grid, 0, 0), 100);
    tool->reject();
    closed();
}

} // namespace
