// Every window of the program, opened in Japanese offscreen: no visible
// English word other than proper names, units and the few fixed texts the
// program shows the same in both languages. Qt's own buttons and dialogs
// (message boxes, file, font, colour, input and printer dialogs) are checked
// too, with Qt's Japanese translation installed as the program does.
//
// To add a window, add a factory to windowFactories() (a window shown
// without blocking) or to modalFactories() (a window that runs its own
// event loop). Set ZW_WALK_SHOTS to a folder to keep a picture of each.
#include "CaptionCatalog.h"
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "GuiDriver.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ModelsFixture.h"
#include "QtMessageService.h"
#include "QtTranslations.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "ToolMode.h"
#include "ToolWindowHost.h"
#include "VersionDialog.h"
#include "VisibleText.h"
#include "WaveDocument.h"
#include "clsRegistry.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>

namespace {

// Proper names (the bundled models' ZWG-...), units, abbreviations and key names that stay as they
// are in Japanese.
const QSet<QString> kAllowedWords = {
    "Shift", "Ctrl", "Alt", "Tab",  "Enter", "Esc",    "Del",  "ZW",  "Word", "sec",
    "Hz",    "mm",   "dX",  "OK",   "ON",    "OFF",    "GPIB", "USB", "TMC",  "ID",
    "NI",    "KI",   "LAN", "DC",   "SN",    "Ver",    "HTML", "PDF", "RGB",  "Vpp",
    "ZWG",   "Vrms", "dBm", "kHz",  "MHz",   "Socket", "deg",  "pt",  "Jan",  "Feb",
    "Mar",   "Apr",  "May", "June", "July",  "Aug",    "Sept", "Oct", "Nov",  "Dec",
};
// Fixed texts of the program that read the same in both languages: the
// titles of the message boxes, the document name before a file is named,
// the output choice "NO CHANGE" and the transfer window's phases.
const QStringList kAllowedPhrases = {
    "Error Message", "Warning Message", "Caution Message", "Untitled",
    "NO CHANGE",     "Data convert",    "Send data",
};

// Controls that show names given elsewhere, not texts of the program: the
// chosen printing font;
// the models, channels, ranges and memory sizes of the model files; in Qt's
// printer dialogs the printers and their drivers (from the print system),
// paper sizes by their standards' names and typographic units.
const QSet<QString> kListsOfTheSystem = {"Label_Font", "Comb_System",   "Comb_Channel",
                                         "Comb_Range", "Comb_MSize",    "printers",
                                         "type",       "pageSizeCombo", "unitCombo"};

// Menu items of the main window that open a window of their own.
// (File > Import shows Qt's file dialog, walked on its own below.)
const char* const kMenuWindows[] = {"Menu_Print", "Menu_Version"};

struct WalkContext {
    QTemporaryDir dir;
    std::unique_ptr<zw::clsRegistry> registry;
    zw::MessageCatalog catalog{zw::Language::Japanese};
    zw::CaptionCatalog captions{zw::Language::Japanese};
    zwtest::ScriptedMessageService boxes;
    zw::Messages messages{catalog, boxes};
    zw::CurrentSetting setting;
    zw::WaveDocument document;
    zwtest::ScriptedFileDialogService fileDialogs;
    std::unique_ptr<zw::EditSession> session;
    std::unique_ptr<zw::EditorContext> editor;
    std::unique_ptr<zw::MainWindow> mainWindow;

    zw::MainWindow& main() {
        if (!mainWindow) {
            registry = std::make_unique<zw::clsRegistry>(dir.filePath("ZW4410.ini"));
            setting.loadModelLists();
            EXPECT_TRUE(setting.restore({}));
            EXPECT_TRUE(document.allocate());
            document.setWaveLength(setting.waveLength());
            session = std::make_unique<zw::EditSession>(document, setting, *registry);
            editor.reset(new zw::EditorContext{zw::Language::Japanese, catalog, messages, *registry,
                                               document, setting, *session, fileDialogs, dir.path(),
                                               nullptr});
            mainWindow = std::make_unique<zw::MainWindow>(*editor);
            mainWindow->load(QString());
            mainWindow->resize(1000, 700);
            mainWindow->show();
        }
        return *mainWindow;
    }
};

// A window that is shown and stays open while it is read.
struct WindowFactory {
    const char* name;
    std::function<std::unique_ptr<QWidget>(WalkContext&)> make;
};

// A window that runs its own event loop: `open` blocks until it is closed.
struct ModalFactory {
    const char* name;
    std::function<void(WalkContext&)> open;
};

QString helpPage(WalkContext& c) {
    const QString page = c.dir.filePath("8832J.html");
    QFile f(page);
    if (f.open(QIODevice::WriteOnly))
        f.write("<html><body><p>ヘルプ</p></body></html>");
    return page;
}

std::vector<WindowFactory> windowFactories() {
    return {
        {"MainWindow",
         [](WalkContext& c) {
             // Owned by the context, which other windows use as their parent.
             c.main();
             return std::unique_ptr<QWidget>();
         }},
        {"VersionDialog",
         [](WalkContext& c) { return std::make_unique<zw::VersionDialog>(c.captions, &c.main()); }},
        {"HelpWindow",
         [](WalkContext& c) {
             auto w = std::make_unique<zw::HelpWindow>(c.captions, &c.main());
             w->setAttribute(Qt::WA_DeleteOnClose, false);
             w->showPage(helpPage(c));
             return std::unique_ptr<QWidget>(std::move(w));
         }},
        {"QFileDialog",
         [](WalkContext&) {
             auto d = std::make_unique<QFileDialog>();
             d->setOption(QFileDialog::DontUseNativeDialog);
             d->setDirectory(QDir::tempPath());
             return std::unique_ptr<QWidget>(std::move(d));
         }},
        {"QFontDialog",
         [](WalkContext&) {
             auto d = std::make_unique<QFontDialog>();
             d->setOption(QFontDialog::DontUseNativeDialog);
             return std::unique_ptr<QWidget>(std::move(d));
         }},
        {"QColorDialog",
         [](WalkContext&) {
             auto d = std::make_unique<QColorDialog>();
             d->setOption(QColorDialog::DontUseNativeDialog);
             return std::unique_ptr<QWidget>(std::move(d));
         }},
        {"QInputDialog",
         [](WalkContext&) {
             auto d = std::make_unique<QInputDialog>();
             d->setLabelText("入力してください");
             return std::unique_ptr<QWidget>(std::move(d));
         }},
    };
}

std::vector<ModalFactory> modalFactories() {
    return {
        {"QMessageBox YesNo",
         [](WalkContext& c) {
             zw::QtMessageService service;
             zw::Messages boxes(c.catalog, service);
             boxes.AskCaution(98);
         }},
        {"QMessageBox OK",
         [](WalkContext& c) {
             zw::QtMessageService service;
             zw::Messages boxes(c.catalog, service);
             boxes.ShowErrorCode(99);
         }},
        {"QPrintDialog",
         [](WalkContext&) {
             QPrinter printer;
             QPrintDialog dialog(&printer);
             dialog.exec();
         }},
        {"QPageSetupDialog",
         [](WalkContext&) {
             QPrinter printer;
             QPageSetupDialog dialog(&printer);
             dialog.exec();
         }},
    };
}

class JapaneseWalk : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        zwtest::guiApp();
        zwtest::loadBundledModels();
        ASSERT_TRUE(zw::InstallQtTranslations(zw::Language::Japanese))
            << "Qt's Japanese translation (qtbase_ja.qm, package qt6-translations-l10n) is missing";
    }

    // Fails on every English word shown by `window`, on each page of its tabs.
    static void expectJapanese(const char* name, QWidget& window) {
        expectJapaneseAsShown(name, window);
        for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
            const int shown = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                if (i == shown)
                    continue;
                tabs->setCurrentIndex(i);
                expectJapaneseAsShown(
                    qPrintable(QString::fromLatin1(name) + " " + tabs->widget(i)->objectName()),
                    window);
            }
            tabs->setCurrentIndex(shown);
        }
    }

    // Opens every window registered with the tool-window host as its button
    // does, reads it and the windows it owns, and closes it; returns how many.
    static int walkToolWindows(zw::MainWindow& main) {
        int walked = 0;
        for (int m = 0; m < zw::kToolModeCount; ++m) {
            const auto mode = static_cast<zw::ToolMode>(m);
            if (mode == zw::ToolMode::None || !main.tools().isRegistered(mode))
                continue;
            QDialog* window = main.tools().open(mode);
            EXPECT_NE(window, nullptr) << "tool " << m << " did not open";
            if (!window)
                continue;
            const QString name = window->objectName();
            expectJapanese(qPrintable(name), *window);
            for (QDialog* owned : window->findChildren<QDialog*>()) {
                if (owned->isVisible())
                    continue;
                owned->show();
                expectJapanese(qPrintable(name + " " + owned->objectName()), *owned);
                owned->hide();
            }
            window->reject();
            QApplication::processEvents();
            ++walked;
        }
        return walked;
    }

    static void expectJapaneseAsShown(const char* name, QWidget& window) {
        QApplication::processEvents();
        for (const zwtest::ShownText& shown : zwtest::VisibleTexts(window)) {
            if (kListsOfTheSystem.contains(shown.where))
                continue;
            const QStringList english =
                zwtest::EnglishWords(shown.text, kAllowedWords, kAllowedPhrases);
            EXPECT_TRUE(english.isEmpty())
                << name << " / " << shown.where.toStdString() << ": \"" << shown.text.toStdString()
                << "\" shows " << english.join(", ").toStdString();
        }
        const QString shots = qEnvironmentVariable("ZW_WALK_SHOTS");
        if (!shots.isEmpty())
            window.grab().save(QDir(shots).filePath(QString::fromLatin1(name) + ".png"));
    }
};

TEST_F(JapaneseWalk, EveryWindowShowsJapaneseOnly) {
    WalkContext context;
    ASSERT_TRUE(context.dir.isValid());
    for (const WindowFactory& factory : windowFactories()) {
        SCOPED_TRACE(factory.name);
        std::unique_ptr<QWidget> window = factory.make(context);
        QWidget& shown = window ? *window : static_cast<QWidget&>(context.main());
        shown.show();
        expectJapanese(factory.name, shown);
    }
}

TEST_F(JapaneseWalk, EveryToolWindowShowsJapaneseOnly) {
    WalkContext context;
    std::cout << "tool windows walked: " << walkToolWindows(context.main()) << "\n";
}

TEST_F(JapaneseWalk, TheToolWalkReachesRegisteredWindowsAndWhatTheyOwn) {
    // A stand-in tool window owning a progress window with an English title:
    // the walk opens the one and finds the English of the other.
    WalkContext context;
    zw::MainWindow& main = context.main();
    int made = 0;
    main.tools().registerWindow(zw::ToolMode::Operate, [&made](QWidget* parent) {
        auto* dialog = new QDialog(parent);
        dialog->setObjectName("CalcDialog");
        dialog->setWindowTitle("ZW4410 - 波形間演算");
        auto* progress = new QDialog(dialog);
        progress->setObjectName("Progress");
        progress->setWindowTitle("Progress");
        ++made;
        return dialog;
    });
    EXPECT_NONFATAL_FAILURE(walkToolWindows(main), "\"Progress\" shows Progress");
    EXPECT_EQ(made, 1);
}

TEST_F(JapaneseWalk, WindowsOfTheMenusShowJapaneseOnly) {
    // The windows the main window's menus open (print, import ...), once they
    // are there: a modal one is read while it runs, a modeless one when shown.
    WalkContext context;
    zw::MainWindow& main = context.main();
    for (const char* name : kMenuWindows) {
        auto* action = main.findChild<QAction*>(name);
        if (!action || !action->isEnabled())
            continue;
        SCOPED_TRACE(name);
        const QWidgetList before = QApplication::topLevelWidgets();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = true;
                expectJapanese(name, *modal);
                modal->close();
            }
        });
        action->trigger();
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!before.contains(w) && w->isVisible()) {
                seen = true;
                expectJapanese(name, *w);
                w->close();
            }
        }
        EXPECT_TRUE(seen) << name << " showed no window";
    }
}

TEST_F(JapaneseWalk, TheImportDialogIsTitledInJapanese) {
    // File > Import asks for its file in Qt's file dialog (walked below)
    // under a title of its own.
    const QString title =
        zw::CaptionCatalog(zw::Language::Japanese).caption(u"MainWindow", u"Msg:ImportTitle");
    EXPECT_FALSE(title.isEmpty());
    EXPECT_TRUE(zwtest::EnglishWords(title, kAllowedWords, kAllowedPhrases).isEmpty())
        << title.toStdString();
}

TEST_F(JapaneseWalk, EveryModalWindowShowsJapaneseOnly) {
    WalkContext context;
    for (const ModalFactory& factory : modalFactories()) {
        SCOPED_TRACE(factory.name);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr) << factory.name;
            seen = true;
            expectJapanese(factory.name, *modal);
            modal->close();
        });
        factory.open(context);
        EXPECT_TRUE(seen) << factory.name << " showed no window";
    }
}

TEST_F(JapaneseWalk, TheCheckFindsEnglish) {
    // The checker itself: English is found, allowed names and phrases are not.
    EXPECT_EQ(zwtest::EnglishWords("&Cancel", kAllowedWords, kAllowedPhrases),
              QStringList{"Cancel"});
    EXPECT_TRUE(
        zwtest::EnglishWords("ﾏｰｶ&A(X) 1024.000 Word", kAllowedWords, kAllowedPhrases).isEmpty());
    EXPECT_TRUE(
        zwtest::EnglishWords("ZW4410 <Untitled>", kAllowedWords, kAllowedPhrases).isEmpty());
    EXPECT_TRUE(
        zwtest::EnglishWords("/tmp/wave.wdb *.wdb", kAllowedWords, kAllowedPhrases).isEmpty());
    // The phrase is taken out; what is left of the word is one letter.
    EXPECT_TRUE(zwtest::EnglishWords("Error Messages", kAllowedWords, kAllowedPhrases).isEmpty());
    EXPECT_EQ(zwtest::EnglishWords("Error Report", kAllowedWords, kAllowedPhrases),
              (QStringList{"Error", "Report"}));
}

} // namespace
