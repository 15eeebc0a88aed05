// The main window as a user meets it: unsaved work is protected (the
// modified mark, Save / Discard / Cancel before Open and closing), file
// errors say which file and why, the keyboard follows a click on the plot,
// markers dragged past the plot's edge, Copy leaves undo alone.
#include "CurrentSetting.h"
#include "DiscardQuestion.h"
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
#include "Units.h"
#include "WaveDocument.h"
#include "clsRegistry.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using zw::MarkerRecord;
using zw::MessageAnswer;

using zwtest::codes;

class MainWindowUser : public ::testing::Test, protected zwtest::EditorFixture {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
    }

    void SetUp() override { open(zw::Language::English); }

    void open(zw::Language language) { openEditor(language, Activation::Activate); }

    template <typename T> T* find(const char* name) {
        return zwtest::findControl<T>(*window, name);
    }
    QAction* action(const char* name) { return find<QAction>(name); }
    long length() const { return doc.WaveLength(); }
    MarkerRecord markers() const { return doc.markers(); }
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
    // An edit through the Edit menu: the document is modified.
    void editSomething() {
        setMarkers(100, 150);
        action("Menu_Delete")->trigger();
        ASSERT_TRUE(session->modified());
    }
    bool askedToSave() const {
        return !boxes.empty() && boxes.last().buttons == zw::MessageButtons::SaveDiscardCancel;
    }
};

TEST_F(MainWindowUser, CopyThenUndoStillUndoesTheEditBeforeTheCopy) {
    fillRamp();
    setMarkers(100, 150);
    action("Menu_Delete")->trigger();
    setMarkers(0, 10);
    action("Menu_Copy")->trigger();
    EXPECT_EQ(action("Menu_Undo")->text(), "&Undo");
    action("Menu_Undo")->trigger();
    EXPECT_EQ(codes(doc.current(), 99, 3), (std::vector<int16_t>{99, 100, 101}));
}

TEST_F(MainWindowUser, TheTitleCarriesTheModifiedMarkUntilSaved) {
    EXPECT_EQ(window->windowTitle(), "ZW4410 <Untitled>");
    editSomething();
    EXPECT_EQ(window->windowTitle(), "ZW4410 <Untitled> *");
    const QString wdb = dir.filePath("wave.wdb");
    fileDialogs.answerSave(wdb);
    action("Menu_FileSaveAs")->trigger();
    EXPECT_EQ(window->windowTitle(), "ZW4410 <" + wdb + ">");
}

TEST_F(MainWindowUser, OpenOverUnsavedWorkAsksAndEachAnswerDoesWhatItSays) {
    fillRamp();
    const QString wdb = dir.filePath("saved.wdb");
    fileDialogs.answerSave(wdb);
    action("Menu_FileSaveAs")->trigger();
    ASSERT_TRUE(QFile::exists(wdb));

    // Unmodified: the open dialog comes straight away.
    fileDialogs.answerOpen(wdb);
    action("Menu_FileOpen")->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(fileDialogs.opened.size(), 1u);

    editSomething();
    boxes.answerNext(MessageAnswer::Cancel);
    action("Menu_FileOpen")->trigger();
    ASSERT_TRUE(askedToSave());
    EXPECT_EQ(boxes.last().text, "The waveform has been changed. Save the changes?\r");
    EXPECT_EQ(boxes.last().title, "Caution Message");
    EXPECT_EQ(fileDialogs.opened.size(), 1u); // no open dialog
    EXPECT_TRUE(session->modified());

    boxes.answerNext(MessageAnswer::Discard);
    fileDialogs.answerOpen(wdb);
    action("Menu_FileOpen")->trigger();
    EXPECT_EQ(fileDialogs.opened.size(), 2u);
    EXPECT_FALSE(session->modified());
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{100})); // the file's samples

    // Save writes the work to its name first, then opens.
    editSomething();
    boxes.answerNext(MessageAnswer::Save);
    const QString other = dir.filePath("other.txt");
    fileDialogs.answerOpen(other); // does not exist: read error after the save
    action("Menu_FileOpen")->trigger();
    EXPECT_EQ(fileDialogs.opened.size(), 3u);
    EXPECT_TRUE(fileDialogs.saved.size() == 1u); // saved to its name, no dialog
    ASSERT_EQ(session->names().WaveFileName, wdb);
    EXPECT_FALSE(session->modified());
    W_ClearMemory(doc.current(), 0, 65536);
    ASSERT_EQ(session->open(wdb), 0);
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{150})); // the edit was saved
}

TEST_F(MainWindowUser, SaveOfAnUntitledDocumentGoesThroughSaveAsAndItsCancelKeepsTheWork) {
    editSomething();
    boxes.answerNext(MessageAnswer::Save); // the save dialog is cancelled (no answer queued)
    action("Menu_FileOpen")->trigger();
    EXPECT_EQ(fileDialogs.saved.size(), 1u);
    EXPECT_TRUE(fileDialogs.opened.empty());
    EXPECT_TRUE(session->modified());
}

TEST_F(MainWindowUser, ClosingUnsavedWorkAsksSaveDiscardCancelInsteadOfExit) {
    editSomething();
    boxes.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(askedToSave());
    EXPECT_TRUE(window->isVisible());

    const QString txt = dir.filePath("kept.txt");
    boxes.answerNext(MessageAnswer::Save);
    fileDialogs.answerSave(txt);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFile::exists(txt));
    EXPECT_EQ(boxes.shown.size(), 2u); // no "Exit Program." after the question
}

TEST_F(MainWindowUser, DiscardClosesWithoutSaving) {
    editSomething();
    boxes.answerNext(MessageAnswer::Discard);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(fileDialogs.saved.empty());
}

TEST_F(MainWindowUser, ImportOverUnsavedWorkAsksFirst) {
    editSomething();
    boxes.answerNext(MessageAnswer::Cancel);
    action("Menu_FileImport")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u); // the question, nothing after it
    EXPECT_TRUE(askedToSave());
    EXPECT_TRUE(fileDialogs.opened.empty());
    EXPECT_TRUE(session->modified());
}

TEST_F(MainWindowUser, TheQuestionIsForAnyoneAboutToReplaceTheDocument) {
    EXPECT_TRUE(zw::MayDiscardDocument(*context));
    EXPECT_TRUE(boxes.empty()); // nothing to lose, nothing asked
    editSomething();
    boxes.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(zw::MayDiscardDocument(*context));
    boxes.answerNext(MessageAnswer::Discard);
    EXPECT_TRUE(zw::MayDiscardDocument(*context));
}

TEST_F(MainWindowUser, AFileErrorNamesTheFileAndTheSystemsReason) {
    const QString path = dir.filePath("no-such-folder/wave.wdb");
    fileDialogs.answerSave(path);
    action("Menu_FileSaveAs")->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().title, "Error Message");
    EXPECT_EQ(boxes.last().text,
              "File Write error.\r" + path + "\r" + QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST_F(MainWindowUser, AClickOnThePlotTakesTheKeyboardFromTheNumberBoxes) {
    fillRamp();
    setMarkers(100, 150);
    QLineEdit* box = find<QLineEdit>("Txt_Start_X");
    box->setFocus();
    box->selectAll();
    ASSERT_EQ(QApplication::focusWidget(), box);
    QWidget* plot = find<QWidget>("Pict_Wave");
    zwtest::sendMouse(plot, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    zwtest::sendMouse(plot, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), plot);
    action("Menu_Delete")->trigger(); // on the waveform, not on the box's text
    EXPECT_EQ(codes(doc.current(), 100, 1), (std::vector<int16_t>{150}));
}

TEST_F(MainWindowUser, TheArrowKeysSwitchTheDisplayFromTheStart) {
    auto* analog = find<QRadioButton>("Opt_DspSel_0");
    EXPECT_EQ(QApplication::focusWidget(), analog);
}

TEST_F(MainWindowUser, AMarkerDraggedPastThePlotsEdgeGoesToTheFirstOrLastSample) {
    setMarkers(length() / 4, length() / 2);
    QWidget* p = find<QWidget>("Pict_Wave");
    const int w = p->width();
    const int y = p->height() / 2;
    const auto column = [&](double sample) {
        return static_cast<int>(std::lround(sample * w / length()));
    };
    zwtest::dragMouse(p, QPoint(column(markers().MarkB), y), QPoint(w + 80, y + 300));
    EXPECT_EQ(markers().MarkB, length());
    zwtest::dragMouse(p, QPoint(column(markers().MarkA), y), QPoint(-60, -40));
    EXPECT_EQ(markers().MarkA, 0);
}

// Every visible control of `parent` lies inside it, covers no sibling, and
// (captions, lists) has at least the width its text needs.
void expectWhole(QWidget* parent, const QString& where) {
    std::vector<QWidget*> shown;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->isWindow())
            shown.push_back(w);
    for (size_t i = 0; i < shown.size(); ++i) {
        QWidget* w = shown[i];
        const QString name = where + "/" + w->objectName() + ":" + w->metaObject()->className();
        EXPECT_TRUE(parent->rect().contains(w->geometry())) << name.toStdString();
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(w->geometry().intersects(shown[j]->geometry()))
                << name.toStdString() << " covers " << shown[j]->objectName().toStdString();
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QComboBox*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << name.toStdString() << " is cut";
        }
        expectWhole(w, name);
    }
}

TEST_F(MainWindowUser, NothingOverlapsOrIsCutAtTheMinimumSizeInBothLanguages) {
    for (zw::Language language : {zw::Language::English, zw::Language::Japanese}) {
        open(language);
        for (const char* display : {"Opt_DspSel_0", "Opt_DspSel_1"}) {
            find<QRadioButton>(display)->setChecked(true);
            window->resize(1, 1); // the window keeps its minimum size
            QApplication::processEvents();
            SCOPED_TRACE(std::string(display) +
                         (language == zw::Language::English ? " en" : " ja"));
            EXPECT_EQ(window->size(), window->minimumSize().expandedTo(window->minimumSizeHint()));
            expectWhole(window->centralWidget(), "Panel_Main");
        }
    }
}

TEST_F(MainWindowUser, TheBottomPanelsUseTheWidthTheyGet) {
    window->resize(1900, 1000);
    QApplication::processEvents();
    const QWidget* mouse = find<QWidget>("Frame_Mouse");
    const QWidget* central = window->centralWidget();
    // No empty band right of the panels.
    EXPECT_GE(mouse->geometry().right(), central->width() - 20);
    EXPECT_GT(find<QLineEdit>("Txt_Start_X")->width(), 130);
}

TEST_F(MainWindowUser, EachDigitalLineIsNamedAtItsTraceAndShowsItsSelectionAndDrop) {
    window->resize(1000, 800);
    find<QRadioButton>("Opt_DspSel_1")->setChecked(true);
    QApplication::processEvents();
    auto* plot = find<QWidget>("Pict_Digital");
    const int h = plot->height();
    for (int line = 0; line < 16; ++line) {
        auto* name = find<QLabel>(QString("Label_Line_%1").arg(line).toUtf8().constData());
        EXPECT_EQ(name->text(), QString("D%1").arg(15 - line));
        const QPoint centre = name->mapTo(window.get(), name->rect().center());
        const double expected = (2.5 + 3 * line) * h / 49.0; // units of h/49, 3 per line
        EXPECT_NEAR(plot->mapFrom(window.get(), centre).y(), expected, 2.0) << line;
    }

    // A click on the trace of line 3 ("D12") selects it: its name turns red.
    auto* d12 = find<QLabel>("Label_Line_3");
    const QColor before = d12->palette().color(QPalette::WindowText);
    const QPoint onLine3(plot->width() / 2, static_cast<int>((2.5 + 9) * h / 49.0));
    zwtest::sendMouse(plot, QEvent::MouseButtonPress, onLine3, Qt::LeftButton, Qt::LeftButton);
    zwtest::sendMouse(plot, QEvent::MouseButtonRelease, onLine3, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(session->lineMask(), 1 << 3);
    EXPECT_NE(d12->palette().color(QPalette::WindowText), before);
    EXPECT_TRUE(d12->font().bold());

    // Dragging line 3 over line 6 marks line 6 as where it lands.
    auto* d9 = find<QLabel>("Label_Line_6");
    const QColor plain = d9->palette().color(QPalette::Window);
    const QPoint onLine6(plot->width() / 2, static_cast<int>((2.5 + 18) * h / 49.0));
    zwtest::sendMouse(plot, QEvent::MouseButtonPress, onLine3, Qt::LeftButton, Qt::LeftButton);
    zwtest::sendMouse(plot, QEvent::MouseMove, onLine6, Qt::LeftButton);
    EXPECT_NE(d9->palette().color(QPalette::Window), plain);
    zwtest::sendMouse(plot, QEvent::MouseButtonRelease, onLine6, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(d9->palette().color(QPalette::Window), plain);
}

TEST_F(MainWindowUser, JapaneseCaptionsUseAFontWithWholeHalfWidthKatakana) {
    open(zw::Language::Japanese);
    const QFont font = find<QWidget>("Opt_DlgSel_0")->font();
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family == "Noto Sans CJK JP" || family == "IPAGothic") << family.toStdString();
    const QFontMetrics metrics(font);
    // ﾊﾞ: the letter and its voiced mark, each one half-width cell.
    for (char16_t c : {u'\uFF8A', u'\uFF9E', u'\uFF9F', u'\uFF76'})
        EXPECT_TRUE(metrics.inFontUcs4(c)) << int(c);
    EXPECT_EQ(metrics.horizontalAdvance(QChar(u'\uFF8A')),
              metrics.horizontalAdvance(QChar(u'\uFF9E')));
}

void wheel(QWidget* w, QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(QPointF(at), w->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

TEST_F(MainWindowUser, TheWheelScrollsCtrlZoomsAroundTheMouseShiftScrollsVertically) {
    QWidget* p = find<QWidget>("Pict_Wave");
    const int w = p->width();
    auto* zoom = find<QComboBox>("Comb_XZoom_0");
    wheel(p, QPoint(w / 2, 10), -120); // at 1:1 there is nothing to scroll
    EXPECT_EQ(window->view().ViewLeft(), 0);

    // Ctrl+wheel up at a quarter of the width: 2:1, the sample under the
    // mouse (a quarter of the length) stays at that column.
    const int x = w / 4;
    const double before = double(x) / w * length();
    wheel(p, QPoint(x, 10), 120, Qt::ControlModifier);
    EXPECT_EQ(zoom->currentIndex(), 1);
    EXPECT_EQ(find<QComboBox>("Comb_XZoom_1")->currentIndex(), 1);
    EXPECT_EQ(window->view().XZoom(), 2);
    const double shown = double(length()) / 2;
    const double under = window->view().ViewLeft() + double(x) / w * shown;
    EXPECT_NEAR(under, before, window->view().ScrollStep() + 1.0);

    // The wheel towards the user moves on in time, away from the user back.
    const long left = window->view().ViewLeft();
    wheel(p, QPoint(x, 10), -120);
    EXPECT_GT(window->view().ViewLeft(), left);
    wheel(p, QPoint(x, 10), 120);
    EXPECT_EQ(window->view().ViewLeft(), left);

    // Ctrl+wheel down twice: back to 1:1 and no further.
    wheel(p, QPoint(x, 10), -240, Qt::ControlModifier);
    EXPECT_EQ(zoom->currentIndex(), 0);
    EXPECT_EQ(window->view().ViewLeft(), 0);

    // Shift+wheel: nothing at 1:1 vertically, a scroll when zoomed.
    const long top = window->view().ViewTop();
    wheel(p, QPoint(x, 10), -120, Qt::ShiftModifier);
    EXPECT_EQ(window->view().ViewTop(), top);
    find<QComboBox>("Comb_YZoom")->setCurrentIndex(2);
    const long zoomedTop = window->view().ViewTop();
    wheel(p, QPoint(x, 10), -120, Qt::ShiftModifier);
    EXPECT_GT(window->view().ViewTop(), zoomedTop);
}

TEST_F(MainWindowUser, TheStatusLineTellsTheMarkedStretchAsItChanges) {
    auto* summary = find<QLabel>("StatusLine_Summary");
    auto* statistics = find<QLabel>("StatusLine_Statistics");
    EXPECT_TRUE(summary->text().contains(setting.modelName())) << summary->text().toStdString();
    EXPECT_TRUE(summary->text().contains(QString("Memory %1 samples").arg(length())));
    {
        zw::LockedBlock<int16_t> block(doc.current());
        for (int i = 0; i < 100; ++i)
            block[i] = static_cast<int16_t>(i % 10 * 100 - 300); // -300 .. 600, mean 150
    }
    setMarkers(0, 100); // the typed markers report the change
    const zw::Units units(setting.info());
    const QString y = units.UnitTextY();
    const auto withUnit = [&](const QString& number) {
        return (number.trimmed() + " " + y).trimmed();
    };
    const auto value = [&](double code) { return withUnit(units.FormatYValue(code)); };
    const QString expected = "Min " + value(-300) + "  Max " + value(600) + "  Mean " + value(150) +
                             "  p-p " + withUnit(units.FormatYDifference(900));
    EXPECT_EQ(statistics->text(), expected);
    EXPECT_TRUE(summary->text().contains("Marked " + units.FormatXDistance(100).trimmed()));

    // An edit refreshes it: the stretch deleted, nothing marked.
    action("Menu_Delete")->trigger();
    EXPECT_TRUE(statistics->text().isEmpty());
}

TEST_F(MainWindowUser, ShortcutsForRedoExitMarkAllAndHelpAreListedInTheMenus) {
    EXPECT_EQ(action("Menu_Exit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(action("Menu_SelectAll")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(action("Menu_Contents")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(action("Menu_SelectAll")->text(), "Mark &All");

    fillRamp();
    setMarkers(100, 150);
    action("Menu_Delete")->trigger();
    EXPECT_EQ(action("Menu_Undo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    action("Menu_Undo")->trigger();
    ASSERT_EQ(action("Menu_Undo")->text(), "&Redo");
    const QList<QKeySequence> redo = action("Menu_Undo")->shortcuts();
    EXPECT_EQ(redo.value(0), QKeySequence(Qt::CTRL | Qt::Key_Y)); // the one the menu lists
    EXPECT_TRUE(redo.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));

    setMarkers(100, 120);
    action("Menu_SelectAll")->trigger();
    EXPECT_EQ(markers(), (MarkerRecord{0, static_cast<double>(length())}));
}

TEST_F(MainWindowUser, RecentFilesAreListedUnderFileAndKeptAcrossRestarts) {
    fillRamp();
    const QString a = dir.filePath("a.wdb");
    const QString b = dir.filePath("b.txt");
    fileDialogs.answerSave(a);
    action("Menu_FileSaveAs")->trigger();
    fileDialogs.answerSave(b);
    action("Menu_FileSaveAs2")->trigger();

    open(zw::Language::English); // the next start, on the same settings file
    auto* recent = find<QMenu>("Menu_Recent");
    emit recent->aboutToShow();
    QAction* first = find<QAction>("Menu_Recent_0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "&1 " + b);
    EXPECT_EQ(find<QAction>("Menu_Recent_1")->text(), "&2 " + a);

    W_ClearMemory(doc.current(), 0, 65536);
    find<QAction>("Menu_Recent_1")->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(session->names().WaveFileName, a);
    EXPECT_EQ(codes(doc.current(), 0, 3), (std::vector<int16_t>{0, 1, 2}));
    emit recent->aboutToShow();
    EXPECT_EQ(find<QAction>("Menu_Recent_0")->text(), "&1 " + a); // opened: newest again

    QFile::remove(b); // gone: the error names it and the list lets it go
    emit recent->aboutToShow();
    find<QAction>("Menu_Recent_1")->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.last().text.contains(b));
    emit recent->aboutToShow();
    EXPECT_EQ(window->findChild<QAction*>("Menu_Recent_1"), nullptr);
}

TEST_F(MainWindowUser, TheExportedPngAndSvgOpenAndShowTheTrace) {
    {
        zw::LockedBlock<int16_t> block(doc.current());
        for (int i = 0; i < length(); ++i)
            block[i] = 0; // a flat line across the middle
    }
    window->redraw();
    const QString png = dir.filePath("plot.png");
    fileDialogs.answerSave(png);
    action("Menu_ExportImage")->trigger();
    ASSERT_EQ(fileDialogs.saved.size(), 1u);
    EXPECT_EQ(fileDialogs.saved.back().defaultExtension, "png");
    EXPECT_TRUE(boxes.empty());
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), find<QWidget>("Pict_Wave")->size());
    // The trace: the middle row is coloured, a row near the top is not.
    const auto coloured = [&](int row) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, row) != QColor(Qt::white);
        return count;
    };
    int traced = 0;
    for (int row = image.height() / 2 - 2; row <= image.height() / 2 + 2; ++row)
        traced = std::max(traced, coloured(row));
    EXPECT_GT(traced, image.width() * 9 / 10);
    EXPECT_LT(coloured(image.height() / 4), 4); // at most the marker lines

    const QString svg = dir.filePath("plot.svg");
    fileDialogs.answerSave(svg);
    action("Menu_ExportImage")->trigger();
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(renderer.defaultSize(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    int svgTraced = 0;
    for (int row = drawn.height() / 2 - 2; row <= drawn.height() / 2 + 2; ++row) {
        int count = 0;
        for (int x = 0; x < drawn.width(); ++x)
            count += drawn.pixelColor(x, row) != QColor(Qt::white);
        svgTraced = std::max(svgTraced, count);
    }
    EXPECT_GT(svgTraced, drawn.width() * 9 / 10);

    fileDialogs.answerSave(dir.filePath("no-such-folder/plot.png"));
    action("Menu_ExportImage")->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.last().text.startsWith("File Write error.\r"));
}

} // namespace
