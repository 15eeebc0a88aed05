// The message catalogue, the four catalogue boxes, help files and language.
#include "Messages.h"
#include "Help.h"
#include "Language.h"
#include "MessageCatalog.h"
#include "QtMessageService.h"
#include "ScriptedMessageService.h"
#include "TestApp.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zw;

namespace {

const MessageCatalog english(Language::English);
const MessageCatalog japanese(Language::Japanese);

} // namespace

TEST(MessageCatalog, TextsEndInACarriageReturn) {
    EXPECT_EQ(english.MessageText(7), "Invalid file extension.\r");
    EXPECT_EQ(japanese.MessageText(7), "指定されたファイルの拡張子に誤りがあります。\r");
    EXPECT_EQ(english.MessageText(15), "\r");
    EXPECT_EQ(english.MessageText(10) + english.MessageText(0),
              "Memory Allocation Failed.\rSystem Exit.\r");
    EXPECT_EQ(japanese.MessageText(98), "プログラムを終了します。よろしいですか？\r");
    EXPECT_EQ(japanese.MessageText(83), "クリップボードのエラーでです。\r"); // as stored
    EXPECT_EQ(english.MessageText(1), "System Initialize Faild.\r");
}

TEST(MessageCatalog, CodesOutsideTheTableGiveTheBareCarriageReturn) {
    EXPECT_EQ(english.MessageText(-1), "\r");
    EXPECT_EQ(english.MessageText(251), "\r");
    EXPECT_TRUE(english.text(251, Language::English).isEmpty());
}

TEST(MessageCatalog, BusMessagesAreBuiltWithTheBusName) {
    EXPECT_EQ(english.MessageText(223), "Interface Busy!\r");
    EXPECT_EQ(english.MessageText(201), "Function requires interface board to be CIC\r");
    EXPECT_EQ(english.MessageText(207), "Nonexistent interface board\r");
    EXPECT_EQ(japanese.MessageText(201), "Interfaceボードがアクティブな状態に\rなっていません。\r");
    EXPECT_EQ(english.MessageText(226), "Interface Busy. Press 'Copy Wave Data' Cancel button.\r");
    EXPECT_EQ(japanese.MessageText(226),
              "Interface は使用中です。波形転送を中断、\rまたは完了してから終了してください。\r");
    EXPECT_EQ(japanese.MessageText(220), "SRQが出続けています。\r");
    EXPECT_EQ(english.MessageText(220), "Interface SRQ stuck in ON position\r");
    EXPECT_EQ(english.MessageText(240), "There is no plug-in DLL file.\r");
}

TEST(MessageCatalog, ExactlyTheListedEntriesHaveTextInBothLanguages) {
    const std::vector<int> listed = {
        0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  18,  20,  21,  22,  23,
        30,  71,  72,  80,  81,  82,  83,  98,  99,  100, 101, 102, 103, 104, 105, 106, 107, 108,
        110, 111, 112, 113, 114, 115, 116, 117, 118, 200, 201, 202, 203, 204, 205, 206, 207, 208,
        210, 212, 214, 215, 216, 220, 221, 223, 224, 225, 226, 227, 228, 230, 240, 241, 242};
    for (int code = MessageCatalog::kFirstCode; code <= MessageCatalog::kLastCode; ++code) {
        const bool expected = std::find(listed.begin(), listed.end(), code) != listed.end();
        for (Language l : {Language::Japanese, Language::English}) {
            const QString t = english.text(code, l);
            EXPECT_EQ(!t.isEmpty(), expected) << code;
            EXPECT_FALSE(t.contains(QStringLiteral("{bus}"), Qt::CaseInsensitive)) << code;
            EXPECT_FALSE(t.contains(u'\uFFFD')) << code;
        }
    }
}

TEST(Messages, CatalogueBoxesHaveTheirTitlesIconsAndButtons) {
    zwtest::ScriptedMessageService service;
    Messages messages(english, service);

    messages.ShowErrorCode(7);
    EXPECT_EQ(service.last(), (MessageBoxRequest{"Error Message", "Invalid file extension.\r",
                                                 MessageIcon::None, MessageButtons::Ok}));
    messages.ShowErrorText("x");
    EXPECT_EQ(service.last(),
              (MessageBoxRequest{"Error Message", "x", MessageIcon::None, MessageButtons::Ok}));

    service.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(messages.AskWarning("w"), MessageAnswer::Yes);
    EXPECT_EQ(service.last(), (MessageBoxRequest{"Warning Message", "w", MessageIcon::Critical,
                                                 MessageButtons::YesNo}));

    EXPECT_EQ(messages.AskCaution(98), MessageAnswer::No); // nothing scripted
    EXPECT_EQ(service.last(), (MessageBoxRequest{"Caution Message", "Exit Program. Are you sure?\r",
                                                 MessageIcon::Question, MessageButtons::YesNo}));

    messages.ShowCaution(english.MessageText(226));
    EXPECT_EQ(service.last().title, "Caution Message");
    EXPECT_EQ(service.last().icon, MessageIcon::Critical);
    EXPECT_EQ(service.last().buttons, MessageButtons::Ok);
    EXPECT_EQ(service.shown.size(), 5u);
}

TEST(Messages, OkBoxesDoNotConsumeScriptedAnswers) {
    zwtest::ScriptedMessageService service;
    Messages messages(japanese, service);
    service.answerNext(MessageAnswer::Yes);
    messages.ShowErrorCode(71);
    EXPECT_EQ(service.last().text, "ファイルの読み込みに失敗しました。\r");
    EXPECT_EQ(messages.AskCaution(5), MessageAnswer::Yes);
}

TEST(QtMessageService, DisplayTextTurnsCarriageReturnsIntoLines) {
    EXPECT_EQ(QtMessageService::displayText("a\rb\r"), "a\nb");
    EXPECT_EQ(QtMessageService::displayText("a\r\nb\r\r"), "a\nb");
    EXPECT_EQ(QtMessageService::displayText("plain"), "plain");
}

TEST(QtMessageService, ShowsAModalBoxAndReportsTheButton) {
    zwtest::testApp();
    QtMessageService service;
    QString seenTitle, seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    auto pressNo = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        box->button(QMessageBox::No)->click();
    };
    QTimer::singleShot(0, pressNo);
    const MessageAnswer a = service.show({"Caution Message", "Exit Program. Are you sure?\r",
                                          MessageIcon::Question, MessageButtons::YesNo});
    EXPECT_EQ(a, MessageAnswer::No);
    EXPECT_EQ(seenTitle, "Caution Message");
    EXPECT_EQ(seenText, "Exit Program. Are you sure?");
    EXPECT_EQ(seenIcon, QMessageBox::Question);

    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(service.show({"Error Message", "x\r", MessageIcon::None, MessageButtons::Ok}),
              MessageAnswer::Ok);
}

TEST(Help, MissingHelpFileShowsMessage99) {
    QTemporaryDir dir;
    zwtest::ScriptedMessageService service;
    Messages messages(english, service);
    QStringList opened;
    auto opener = [&](const QString& p) {
        opened << p;
        return true;
    };
    EXPECT_FALSE(ShowHelp(5, Language::English, dir.path(), messages, opener));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(service.last().text, "Cannot find help file.\r");

    QFile f(dir.filePath("8832SPNJ.hlp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(ShowHelp(2, Language::Japanese, dir.path(), messages, opener));
    EXPECT_EQ(opened, QStringList{dir.filePath("8832SPNJ.hlp")});
    EXPECT_FALSE(ShowHelp(2, Language::English, dir.path(), messages, opener));
    EXPECT_FALSE(ShowHelp(6, Language::English, dir.path(), messages, opener));
    EXPECT_EQ(service.shown.size(), 3u);
}

TEST(Language, HelpFilesAndFontsByLanguage) {
    const QStringList en = {"8832CRTE.hlp", "8832ELSE.hlp", "8832SPNE.hlp",
                            "8832CALE.hlp", "8832SYSE.hlp", "8832E.hlp"};
    const QStringList ja = {"8832CRTJ.hlp", "8832ELSJ.hlp", "8832SPNJ.hlp",
                            "8832CALJ.hlp", "8832SYSJ.hlp", "8832J.hlp"};
    for (int i = 0; i < kHelpTopicCount; ++i) {
        EXPECT_EQ(HelpFileName(i, Language::English), en[i]);
        EXPECT_EQ(HelpFileName(i, Language::Japanese), ja[i]);
    }
    EXPECT_TRUE(HelpFileName(-1, Language::English).isEmpty());
    EXPECT_EQ(DisplayFontName(Language::Japanese), "ＭＳ ゴシック");
    EXPECT_EQ(DisplayFontName(Language::English), "Arial");
    EXPECT_EQ(SymbolFontName(Language::Japanese), "Symbol");
}

TEST(Language, TheMarkerFileSelectsEnglish) {
    QTemporaryDir dir;
    EXPECT_EQ(LanguageFromMarker(dir.path()), Language::Japanese);
    QFile marker(dir.filePath("8832_Eng.Env"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_EQ(LanguageFromMarker(dir.path()), Language::English);
    // Its presence counts; a FIFO is not opened (that would block).
    ASSERT_TRUE(marker.remove());
    ASSERT_EQ(::mkfifo(QFile::encodeName(marker.fileName()).constData(), 0644), 0);
    EXPECT_EQ(LanguageFromMarker(dir.path()), Language::English);
    EXPECT_EQ(LanguageFromName(u"EN"), Language::English);
    EXPECT_EQ(LanguageFromName(u"ja"), Language::Japanese);
    EXPECT_FALSE(LanguageFromName(u"de").has_value());
}
