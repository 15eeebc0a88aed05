// The real Create window, offscreen, driven by its control names: the boxes
// of each type, Compute, Page OK and All Page OK into a document with undo,
// Cancel, the page file, dragging the preview, refused values, messages,
// the operand mode, and the captions of both languages.
#include "CreateDialog.h"
#include "CaptionCoverage.h"
#include "MemoryCodes.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "PlotCanvas.h"
#include "ScriptedMessageService.h"
#include "WaveDocument.h"
#include "formula32.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace zw;
using create::PageType;

QApplication& app() {
    static int argc = 1;
    static char name[] = "create_window_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

using zwtest::codes;

class CreateWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app(); }

    void SetUp() override {
        ASSERT_TRUE(document.allocate());
        document.setWaveLength(1000);
        ClearConstant();
        CreateDialog::RememberedPage() = 1;
    }

    CreateWindowContext context(Language language = Language::English) {
        CreateWindowContext c;
        c.language = language;
        c.messages = messages.get();
        UnitSetting s;
        s.WaveLength = 1000;
        c.units = Units(s);
        c.target = [this] { return document.current(); };
        c.backup = [this] { document.backup(); };
        c.pages = &pages;
        c.pageFileName = &pageFileName;
        c.chooseFile = [this](bool, const QString&, const QString&) { return chosenFile; };
        c.targetChanged = [this] { ++targetChanges; };
        return c;
    }

    void open(Language language = Language::English) {
        catalog = std::make_unique<MessageCatalog>(language);
        messages = std::make_unique<Messages>(*catalog, service);
        window = std::make_unique<CreateDialog>(context(language));
        window->show();
    }

    template <typename T> T* find(const QString& name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void type(const QString& box, const QString& text) {
        auto* edit = find<QLineEdit>(box);
        edit->setText(text);
        edit->setModified(true);
        emit edit->editingFinished();
    }
    void click(const QString& button) { find<QPushButton>(button)->click(); }
    void choose(int type) {
        auto* combo = find<QComboBox>("Comb_Wave");
        combo->setCurrentIndex(type);
        emit combo->activated(type);
    }
    void mouse(QEvent::Type kind, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = {}) {
        QWidget* pict = find<QWidget>("PictWave");
        QMouseEvent event(kind, at, pict->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(pict, &event);
    }

    WaveDocument document;
    create::PageTable pages{1000};
    QString pageFileName = "Untitled";
    QString chosenFile;
    int targetChanges = 0;
    zwtest::ScriptedMessageService service;
    std::unique_ptr<MessageCatalog> catalog = std::make_unique<MessageCatalog>(Language::English);
    std::unique_ptr<Messages> messages = std::make_unique<Messages>(*catalog, service);
    std::unique_ptr<CreateDialog> window;
};

} // namespace

TEST_F(CreateWindow, EachTypeShowsItsBoxes) {
    open();
    EXPECT_EQ(window->windowTitle(), "ZW4410 - Waveform Create");
    const auto shown = [&](int i) {
        return find<QLineEdit>(QString("Text_%1").arg(i))->isVisible();
    };
    choose(int(PageType::Sine));
    EXPECT_TRUE(find<QGroupBox>("Frame_Std")->isVisible());
    EXPECT_FALSE(find<QGroupBox>("Frame_Expr")->isVisible());
    EXPECT_TRUE(shown(0) && shown(1) && shown(2) && shown(3) && shown(4));
    EXPECT_FALSE(shown(5) || shown(6) || shown(7));
    choose(int(PageType::Triangle));
    EXPECT_TRUE(shown(5));
    EXPECT_FALSE(shown(6) || shown(7));
    choose(int(PageType::Square));
    EXPECT_TRUE(shown(6) && shown(7));
    EXPECT_FALSE(shown(5));
    choose(int(PageType::Noise));
    EXPECT_TRUE(shown(0) && shown(1) && shown(2));
    EXPECT_FALSE(shown(3) || shown(4));
    choose(int(PageType::DcLevel));
    EXPECT_TRUE(shown(0) && shown(1));
    EXPECT_FALSE(shown(2));
    EXPECT_FALSE(find<QLabel>("Label_Param_2")->isVisible());
    choose(int(PageType::Expression));
    EXPECT_FALSE(find<QGroupBox>("Frame_Std")->isVisible());
    EXPECT_TRUE(find<QGroupBox>("Frame_Expr")->isVisible());
    EXPECT_TRUE(find<QRadioButton>("Opt_effect_0")->isChecked()); // the page was marked
}

TEST_F(CreateWindow, ComputeThenPageOkWritesTheDocumentAndUndoRestoresIt) {
    open();
    choose(int(PageType::Expression));
    find<QLineEdit>("Txt_Expr")->setText("x*3");
    find<QPlainTextEdit>("Txt_Const")->setPlainText("k=1;");
    click("Btn_Comp");
    EXPECT_TRUE(service.empty());
    EXPECT_EQ(codes(document.current(), 0, 3), (std::vector<int16_t>{0, 0, 0}));
    click("Btn_OK");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(codes(document.current(), 0, 3), (std::vector<int16_t>{0, 3, 6}));
    EXPECT_EQ(targetChanges, 1);
    document.toggleUndo();
    EXPECT_EQ(codes(document.current(), 0, 3), (std::vector<int16_t>{0, 0, 0}));
}

TEST_F(CreateWindow, AllPageOkPutsEveryEffectivePageInPlace) {
    open();
    choose(int(PageType::DcLevel));
    type("Text_X_1", "500");
    type("Text_0", "111");
    click("Cmd_Page_2");
    EXPECT_EQ(find<QLineEdit>("Txt_Page")->text(), "2");
    choose(int(PageType::DcLevel));
    type("Text_X_0", "500");
    type("Text_X_1", "1000");
    type("Text_0", "-222");
    click("Cmd_Page_2"); // page 3: a "No Effect" page over everything
    choose(int(PageType::DcLevel));
    type("Text_0", "5000");
    find<QRadioButton>("Opt_effect_1")->click();
    click("Btn_Confirm");
    EXPECT_TRUE(service.empty());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(codes(document.current(), 499, 2), (std::vector<int16_t>{111, -222}));
    document.toggleUndo();
    EXPECT_EQ(codes(document.current(), 499, 2), (std::vector<int16_t>{0, 0}));
}

TEST_F(CreateWindow, CancelChangesNothingAndThePagesStayForNextTime) {
    open();
    choose(int(PageType::Square));
    type("Text_0", "1000");
    click("Cmd_Page_2");
    click("Btn_Cancel");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(targetChanges, 0);
    EXPECT_EQ(codes(document.current(), 0, 1000), std::vector<int16_t>(1000, 0));
    EXPECT_TRUE(document.UndoMenuOff());
    window.reset();
    open();
    EXPECT_EQ(find<QLineEdit>("Txt_Page")->text(), "2"); // where the user left
    click("Cmd_Page_0");
    EXPECT_EQ(find<QLineEdit>("Txt_Page")->text(), "1");
    EXPECT_EQ(find<QComboBox>("Comb_Wave")->currentIndex(), int(PageType::Square));
    EXPECT_EQ(find<QLineEdit>("Text_0")->text(), "1000");
}

TEST_F(CreateWindow, SaveThenOpenRestoresTheTable) {
    QTemporaryDir dir;
    chosenFile = dir.filePath("pages.wfn");
    open();
    choose(int(PageType::Triangle));
    type("Text_5", "30");
    click("Cmd_Page_3"); // the last effective page: still 1
    EXPECT_EQ(find<QLineEdit>("Txt_Page")->text(), "1");
    find<QAction>("Menu_FileSave")->trigger();
    EXPECT_TRUE(service.empty());
    EXPECT_EQ(pageFileName, dir.filePath("pages"));
    find<QAction>("Menu_AllPageClear")->trigger();
    EXPECT_EQ(find<QComboBox>("Comb_Wave")->currentIndex(), int(PageType::Sine));
    find<QAction>("Menu_FileOpen")->trigger();
    EXPECT_TRUE(service.empty());
    EXPECT_EQ(find<QComboBox>("Comb_Wave")->currentIndex(), int(PageType::Triangle));
    EXPECT_EQ(find<QLineEdit>("Text_5")->text(), "30");
    // A file that is not there: the catalogue's read error.
    chosenFile = dir.filePath("missing.wfn");
    find<QAction>("Menu_FileOpen")->trigger();
    ASSERT_FALSE(service.empty());
    EXPECT_EQ(service.last().text, "File Read error.\r");
    EXPECT_FALSE(find<QAction>("Menu_Print")->isEnabled());
}

TEST_F(CreateWindow, DraggingASinePageMovesItsOffsetAndThePreview) {
    open();
    window->resize(800, 640);
    QApplication::processEvents();
    QWidget* pict = find<QWidget>("PictWave");
    const QImage before = window->findChild<PlotCanvas*>("PictWave")->frame().copy();
    const QPoint from(pict->width() / 2, pict->height() / 2);
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, from - QPoint(0, pict->height() / 4), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, from - QPoint(0, pict->height() / 4), Qt::LeftButton,
          Qt::NoButton);
    const double offset = find<QLineEdit>("Text_0")->text().toDouble();
    EXPECT_NEAR(offset, 65534.0 / 4, 65534.0 / pict->height() + 1);
    EXPECT_NE(window->findChild<PlotCanvas*>("PictWave")->frame(), before);
    // Shift drags the amplitude.
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, from + QPoint(0, 10), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    mouse(QEvent::MouseButtonRelease, from + QPoint(0, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_LT(find<QLineEdit>("Text_2")->text().toDouble(), 65534);
    EXPECT_NEAR(find<QLineEdit>("Text_0")->text().toDouble(), offset, 1e-6);
}

TEST_F(CreateWindow, ARefusedValueShowsThePreviousOneAndErrorsAreShown) {
    open();
    type("Text_3", "2");
    type("Text_3", "two");
    EXPECT_EQ(find<QLineEdit>("Text_3")->text(), "2");
    type("Txt_Page", "300");
    EXPECT_EQ(find<QLineEdit>("Txt_Page")->text(), "1");
    choose(int(PageType::Expression));
    find<QLineEdit>("Txt_Expr")->setText("x/0");
    click("Btn_Comp");
    ASSERT_FALSE(service.empty());
    EXPECT_EQ(service.last().title, "Error Message");
    EXPECT_EQ(service.last().text, "Divide by 0.\r");
    find<QPlainTextEdit>("Txt_Const")->setPlainText("a=");
    find<QLineEdit>("Txt_Expr")->setText("x");
    click("Btn_Comp");
    EXPECT_EQ(service.last().text, "Constant format error.\r");
    click("Btn_OK"); // the page cannot be computed: the window stays
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(document.UndoMenuOff());
}

TEST_F(CreateWindow, OperandModeComputesFromSampleZero) {
    const ZwMemHandle operand = W_AllocMemory(200);
    pages.page(1).Type = PageType::DcLevel;
    pages.page(1).Start = 600;
    pages.page(1).End = 700;
    pages.page(1).Offset = 42;
    pages.page(1).Effective = pages.page(1).Visited = true;
    CreateWindowContext c = context();
    c.mode = create::CreateMode::FromZero;
    c.target = [operand] { return operand; };
    c.backup = nullptr;
    window = std::make_unique<CreateDialog>(c);
    window->show();
    click("Btn_Confirm");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(codes(operand, 0, 100), std::vector<int16_t>(100, 42));
    EXPECT_EQ(codes(operand, 100, 100), std::vector<int16_t>(100, 0));
    EXPECT_TRUE(document.UndoMenuOff()); // the document is not touched
    W_FreeMemory(operand);
}

TEST_F(CreateWindow, EveryCaptionRowFindsAControlInBothLanguages) {
    for (Language language : {Language::English, Language::Japanese}) {
        open(language);
        const CaptionCatalog captions(language);
        for (const auto& [key, text] : captions.captions(u"CreateDialog")) {
            if (!CaptionCatalog::isControlKey(key) || key == "CreateDialog")
                continue;
            QObject* control = window->findChild<QObject*>(key);
            ASSERT_NE(control, nullptr) << key.toStdString();
            if (auto* l = qobject_cast<QLabel*>(control)) {
                EXPECT_EQ(l->text(), text);
            } else if (auto* b = qobject_cast<QPushButton*>(control)) {
                EXPECT_EQ(b->text(), text);
            } else if (auto* a = qobject_cast<QAction*>(control)) {
                EXPECT_EQ(a->text(), text);
            }
        }
        EXPECT_EQ(zwtest::captionRowsWithoutControl(*window, captions, "CreateDialog"),
                  QStringList());
        EXPECT_EQ(window->windowTitle(), captions.windowTitle(u"CreateDialog"));
        EXPECT_FALSE(window->findChild<QWidget*>("PictWave")->toolTip().isEmpty());
        EXPECT_EQ(find<QComboBox>("Comb_Wave")->itemText(5),
                  language == Language::English ? "Expression" : QString::fromUtf8("波形関数"));
        window.reset();
    }
}
