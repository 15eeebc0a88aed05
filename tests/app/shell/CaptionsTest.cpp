// The caption catalogue, the caption procedure on real widgets, the about
// texts and the plot grid.
#include "AboutText.h"
#include "CaptionApplier.h"
#include "CaptionCatalog.h"
#include "Grid.h"
#include "RecordingSurface.h"
#include "TestApp.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace zw;

namespace {

const CaptionCatalog english(Language::English);
const CaptionCatalog japanese(Language::Japanese);

template <class W> W* named(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

} // namespace

TEST(CaptionCatalog, TitlesAndVariants) {
    EXPECT_EQ(japanese.windowTitle(u"CalcDialog"), "ZW4410 - 波形間演算");
    EXPECT_EQ(english.windowTitle(u"CalcDialog"), "ZW4410 - Operate");
    EXPECT_EQ(japanese.windowTitle(u"SystemDialog"), "ZW4410 - ｼｽﾃﾑ設定");
    EXPECT_EQ(japanese.windowTitle(u"VersionDialog"), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(english.windowTitle(u"FrmGPIBExit"), "Copy wave data");
    EXPECT_EQ(english.caption(u"MainWindow", u"Menu_Undo"), "&Undo");
    EXPECT_EQ(english.caption(u"MainWindow", u"Menu_Undo:Redo"), "&Redo");
    EXPECT_EQ(japanese.caption(u"MainWindow", u"Menu_Undo:Redo"), "元に戻すを取り消す(&R)");
    EXPECT_EQ(japanese.caption(u"ElasticDialog", u"Label_Offs:AmpOffs"), "DCｵﾌｾｯﾄ(&D)");
    EXPECT_EQ(english.caption(u"PrintListing", u"Duty"), "Duty Ratio");
    EXPECT_TRUE(english.caption(u"MainWindow", u"Txt_Start_X").isEmpty());
    EXPECT_TRUE(english.caption(u"NoSuchWindow", u"Btn_OK").isEmpty());
}

TEST(CaptionCatalog, ArrayElementsFallBackToTheArraysRow) {
    EXPECT_EQ(ControlName(u"Opt_DlgSel", 2), "Opt_DlgSel_2");
    EXPECT_EQ(english.caption(u"ElasticDialog", u"Label_Y_1"), "        Y=");
    EXPECT_EQ(japanese.caption(u"ElasticDialog", u"Label_Y_0"), "　　　   Y=");
    EXPECT_EQ(english.caption(u"ElasticDialog", u"Label_X_1"), "&End   X=");
    EXPECT_EQ(english.items(u"MainWindow", u"Comb_XZoom_1").size(), 8);
    EXPECT_EQ(english.items(u"MainWindow", u"Comb_YZoom").last(), "1:256");
    EXPECT_EQ(japanese.items(u"CreateDialog", u"Comb_Wave"),
              (QStringList{"正弦波", "三角波", "方形波", "ノイズ", "DC", "波形関数"}));
    EXPECT_EQ(english.items(u"CalcDialog", u"Comb_Comp"), (QStringList{"+", "-", "*", "/"}));
    EXPECT_TRUE(english.items(u"MainWindow", u"Comb_XZoomX").isEmpty());
}

TEST(CaptionCatalog, EveryWindowHasEveryRowInBothLanguages) {
    const QStringList windows = english.windows();
    EXPECT_EQ(windows.size(), 10);
    for (const QString& w : windows) {
        const auto en = english.captions(w);
        const auto ja = japanese.captions(w);
        ASSERT_EQ(en.size(), ja.size());
        QSet<QString> keys;
        for (int i = 0; i < en.size(); ++i) {
            EXPECT_FALSE(en[i].second.isEmpty())
                << w.toStdString() << " " << en[i].first.toStdString();
            EXPECT_FALSE(ja[i].second.isEmpty())
                << w.toStdString() << " " << ja[i].first.toStdString();
            EXPECT_FALSE(keys.contains(en[i].first)) << "duplicate " << en[i].first.toStdString();
            keys.insert(en[i].first);
        }
        if (w != "MainWindow" && w != "PrintListing") {
            EXPECT_FALSE(english.windowTitle(w).isEmpty()) << w.toStdString();
        }
        for (const auto& [key, items] : japanese.lists(w))
            EXPECT_EQ(items.size(), english.items(w, key).size()) << key.toStdString();
    }
}

TEST(CaptionApplier, SetsCaptionsByNameAndSkipsWhatTheWindowLacks) {
    zwtest::testApp();
    QMainWindow main;
    main.setObjectName("MainWindow");
    QMenu* file = main.menuBar()->addMenu("x");
    file->setObjectName("Menu_File");
    QAction* fileNew = file->addAction("x");
    fileNew->setObjectName("Menu_FileNew");
    QMenu* edit = main.menuBar()->addMenu("x");
    edit->setObjectName("Menu_Edit");
    QAction* undo = edit->addAction("x");
    undo->setObjectName("Menu_Undo");
    auto* central = new QWidget(&main);
    main.setCentralWidget(central);
    auto* zoom = named<QLabel>(central, "Label_Zoom");
    auto* track = named<QRadioButton>(central, "Opt_Scope_1");
    auto* invert = named<QPushButton>(central, "Btn_Pattern_2");
    auto* startX = named<QLineEdit>(central, "Txt_Start_X");
    startX->setText("123");
    auto* zoomX0 = named<QComboBox>(central, "Comb_XZoom_0");
    auto* zoomX1 = named<QComboBox>(central, "Comb_XZoom_1");
    zoomX1->addItems({"a", "b", "c", "d"});
    zoomX1->setCurrentIndex(3);
    int indexSignals = 0;
    QObject::connect(zoomX0, &QComboBox::currentIndexChanged, [&] { ++indexSignals; });
    QObject::connect(zoomX1, &QComboBox::currentIndexChanged, [&] { ++indexSignals; });

    // A dialog owned by the main window keeps its own captions.
    auto* system = named<QDialog>(&main, "SystemDialog");
    auto* systemFile = new QMenu(system);
    systemFile->setObjectName("Menu_File");
    auto* tabs = new QTabWidget(system);
    tabs->addTab(named<QWidget>(nullptr, "Tab_Setup_0"), "x");
    tabs->addTab(named<QWidget>(nullptr, "Tab_Setup_1"), "x");
    auto* basic = named<QGroupBox>(system, "Frame_Basic");

    EXPECT_EQ(ApplyCaptions(main, japanese), 9);
    EXPECT_EQ(file->title(), "ﾌｧｲﾙ(&F)");
    EXPECT_EQ(fileNew->text(), "新規作成(&N)");
    EXPECT_EQ(undo->text(), "元に戻す(&U)");
    EXPECT_EQ(zoom->text(), "ｽﾞｰﾑ");
    EXPECT_EQ(track->text(), "連動(&R)");
    EXPECT_EQ(invert->text(), "反転(&/)");
    EXPECT_EQ(startX->text(), "123");
    EXPECT_EQ(zoomX0->count(), 8);
    EXPECT_EQ(zoomX0->currentIndex(), 0);
    EXPECT_EQ(zoomX1->itemText(7), "1:128");
    EXPECT_EQ(zoomX1->currentIndex(), 3);
    EXPECT_EQ(indexSignals, 0);
    EXPECT_EQ(systemFile->title(), "");

    EXPECT_EQ(ApplyCaptions(*system, english), 5);
    EXPECT_EQ(system->windowTitle(), "ZW4410 - System Setup");
    EXPECT_EQ(systemFile->title(), "System Setup &File");
    EXPECT_EQ(tabs->tabText(0), "&System Setup");
    EXPECT_EQ(tabs->tabText(1), "&Unit Setup");
    EXPECT_EQ(basic->title(), "[Basic Setup]");
    EXPECT_EQ(file->title(), "ﾌｧｲﾙ(&F)");
}

TEST(CaptionApplier, AWindowCanBeCaptionedUnderAnotherName) {
    zwtest::testApp();
    QDialog d;
    auto* ok = named<QPushButton>(&d, "Btn_OK");
    auto* unknown = named<QPushButton>(&d, "Btn_Unknown");
    unknown->setText("kept");
    EXPECT_EQ(ApplyCaptions(d, english), 0); // no objectName: nothing to look up
    EXPECT_EQ(ApplyCaptions(d, english, "CreateDialog"), 2);
    EXPECT_EQ(d.windowTitle(), "ZW4410 - Waveform Create");
    EXPECT_EQ(ok->text(), "Pa&ge OK");
    EXPECT_EQ(unknown->text(), "kept");
    EXPECT_FALSE(SetCaption(*new QLineEdit(&d), "x"));
}

TEST(AboutText, VersionLineAndEnglishDate) {
    EXPECT_EQ(VersionLine(1, 2, 0), "Ver.1.2.0");
    EXPECT_EQ(VersionLine(10, 0, 15), "Ver.10.0.15");
    EXPECT_EQ(AboutDate(QDate(2017, 5, 5)), "May 5,2017");
    EXPECT_EQ(AboutDate(QDate(2017, 1, 5)), "Jan.5,2017");
    EXPECT_EQ(AboutDate(QDate(2017, 6, 30)), "June 30,2017");
    EXPECT_EQ(AboutDate(QDate(2017, 7, 14)), "July 14,2017");
    EXPECT_EQ(AboutDate(QDate(2017, 9, 5)), "Sept.5,2017");
    EXPECT_EQ(AboutDate(QDate(2017, 12, 25)), "Dec.25,2017");
    EXPECT_EQ(AboutDate(QDate()), "");
    EXPECT_TRUE(ProgramFileDate().isValid());
}

TEST(Grid, TenByEightWithCentreLines) {
    Grid g;
    g.XCenterColor = 0x0000FF;
    g.YCenterColor = 0x00FF00;
    const auto lines = g.Lines(1000, 800);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], (Grid::Line{100, 0, 100, 800, Grid::kDefaultColor}));
    EXPECT_EQ(lines[4], (Grid::Line{500, 0, 500, 800, 0x0000FF}));
    EXPECT_EQ(lines[9], (Grid::Line{0, 100, 1000, 100, Grid::kDefaultColor}));
    EXPECT_EQ(lines[12], (Grid::Line{0, 400, 1000, 400, 0x00FF00}));
    g.XCount = 3;
    g.YCount = 0;
    const auto odd = g.Lines(301, 100);
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[0].x1, 100);
    EXPECT_EQ(odd[1].x1, 201);
    EXPECT_EQ(odd[0].color, Grid::kDefaultColor); // no centre line for an odd count
    EXPECT_TRUE(g.Lines(0, 100).empty());
}

TEST(Grid, DrowUsesOnePenPerColourAndRestoresThePen) {
    Grid g;
    g.XCount = 2;
    g.YCount = 2;
    g.XCenterColor = 0x0000FF;
    zwtest::RecordingSurface rec;
    g.Drow(*rec.get(), 100, 50);
    using K = zwtest::SurfaceCall::Kind;
    int creates = 0, deletes = 0;
    for (const auto& c : rec.calls) {
        creates += c.kind == K::CreatePen;
        deletes += c.kind == K::DeletePen;
    }
    EXPECT_EQ(creates, 2);
    EXPECT_EQ(deletes, 2);
    EXPECT_EQ(rec.drawing(),
              (std::vector<zwtest::SurfaceCall>{zwtest::MoveTo(50, 0), zwtest::LineTo(50, 50),
                                                zwtest::MoveTo(0, 25), zwtest::LineTo(100, 25)}));
    EXPECT_EQ(rec.selected, 0u); // the surface's own pen again
}
