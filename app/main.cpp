// The program's entry: reads the command line, creates the settings store
// and the language, runs the system initialisation (which ends the program
// with its message when the model files, the memories or "USBTMC.ID" fail),
// then shows the main window and runs it until it is closed.
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "InterfaceFont.h"
#include "Language.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "QtFileDialogService.h"
#include "QtMessageService.h"
#include "SystemStartup.h"
#include "TextCodec.h"
#include "UsbTmcTable.h"
#include "WaveDocument.h"
#include "clsRegistry.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <csignal>
#include <optional>

namespace {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool exitWhenShown = false;
    std::optional<zw::Language> language;
    QString waveFile;
    QString error;
};

CommandLine parse(const QStringList& arguments) {
    CommandLine c;
    QStringList rest;
    for (const QString& a : arguments) {
        if (a == "--help" || a == "-h")
            c.help = true;
        else if (a == "--version")
            c.version = true;
        else if (a == "--exit-when-shown")
            c.exitWhenShown = true;
        else if (a.startsWith("--lang=")) {
            c.language = zw::LanguageFromName(QStringView(a).mid(7));
            if (!c.language)
                c.error = "unknown language \"" + a.mid(7) + "\" (use --lang=en or --lang=ja)";
        } else
            rest << a;
    }
    // The rest of the command line is one file name, blanks included.
    c.waveFile = rest.join(' ');
    return c;
}

void printUsage(QTextStream& out) {
    out << "Usage: ZW4410 [--lang=en|ja] [wave file]\n"
           "Arbitrary waveform editor.\n\n"
           "  wave file     a .wdb or .txt wave file to open at start\n"
           "  --lang=en|ja  English or Japanese for this run (otherwise English\n"
           "                when the file 8832_Eng.Env is in the start-up folder)\n"
           "  --version     show the version and exit\n"
           "  --help        show this help and exit\n"
           "  --exit-when-shown  start, show the main window and end at once\n"
           "                (for timing the start-up)\n"
           "The model files (*.SYS) and USBTMC.ID are read from the start-up folder.\n";
}

zw::StoredSetting storedSetting(zw::clsRegistry& registry) {
    const zw::clsRegistry::Batch batch(registry);
    zw::StoredSetting s;
    s.sysNo = registry.SettingNumber("Sysinfo", "sys_no");
    s.gpibAddress = registry.SettingNumber("Sysinfo", "Gpib_Address");
    s.memoryWidthNo = registry.SettingNumber("Sysinfo", "memory_width_no");
    s.interfaceType = registry.GpibBoard();
    s.serialNumber = registry.SerialNum();
    return s;
}

// The box of a start refused because another process keeps the settings
// file locked: running on would change shared state unprotected.
QString settingsLockedText(const zw::MessageCatalog& catalog, const zw::clsRegistry& registry) {
    const bool english = catalog.EnglishMode();
    QString text = english
                       ? QStringLiteral("The settings file is locked by another ZW4410 that "
                                        "does not respond. Close it, then start again.")
                       : QStringLiteral("設定ファイルが応答しない別のZW4410にロックされています。"
                                        "そのZW4410を終了してから起動し直してください。");
    text += u'\r' + registry.settingsFile();
    if (!registry.SettingsLockHolder().isEmpty())
        text += u'\r' + registry.SettingsLockHolder();
    return text + u'\r' + catalog.MessageText(0);
}

void storeSetting(zw::clsRegistry& registry, const zw::StoredSetting& s) {
    const zw::clsRegistry::Batch batch(registry);
    registry.SetSetting("Sysinfo", "sys_no", QString::number(s.sysNo));
    registry.SetSetting("Sysinfo", "Gpib_Address", QString::number(s.gpibAddress));
    registry.SetSetting("Sysinfo", "memory_width_no", QString::number(s.memoryWidthNo));
    registry.SetSerialNum(s.serialNumber);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZW4410");
    QApplication::setApplicationVersion(ZW_VERSION_TEXT);
    // A save beyond a file size limit then fails with an error instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // The arguments as the system gave them (QApplication has taken its own
    // out): a file name keeps its bytes even when they are not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << zw::FileNameFromNative(argv[i]);
    const CommandLine command = parse(arguments);
    QTextStream out(stdout);
    if (!command.error.isEmpty()) {
        QTextStream(stderr) << "ZW4410: " << command.error << "\n";
        return 2;
    }
    if (command.help) {
        printUsage(out);
        return 0;
    }
    if (command.version) {
        out << "ZW4410 " << ZW_VERSION_TEXT << "\n";
        return 0;
    }

    const QString startDirectory = QDir::currentPath();
    zw::clsRegistry registry;
    const zw::Language language = command.language.value_or(zw::LanguageFromMarker(startDirectory));
    const zw::MessageCatalog catalog(language);
    // Message boxes, file dialogs and every window in the interface font.
    QApplication::setFont(zw::InterfaceFont(language));
    // The desktop's own buttons and dialogs (Save / Discard / Cancel, the
    // file dialogs) in the language of the interface.
    QTranslator qtTranslator;
    if (language == zw::Language::Japanese &&
        qtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    zw::QtMessageService service;
    zw::Messages messages(catalog, service);
    if (registry.SettingsLocked()) {
        messages.ShowErrorText(settingsLockedText(catalog, registry));
        return 1;
    }

    zw::CurrentSetting setting;
    zw::WaveDocument document;
    zw::UsbTmcTable usbTable;
    if (const auto failure = zw::InitialiseSystem(catalog, startDirectory, storedSetting(registry),
                                                  setting, document, usbTable)) {
        messages.show(failure->box);
        return 1;
    }

    zw::EditSession session(document, setting, registry);
    zw::QtFileDialogService fileDialogs;
    zw::EditorContext context{language, catalog,     messages,
                              registry, document,    setting,
                              session,  fileDialogs, QCoreApplication::applicationDirPath(),
                              &usbTable};
    zw::MainWindow window(context);
    window.load(command.waveFile);
    window.show();
    if (command.exitWhenShown)
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    const int result = app.exec();
    storeSetting(registry, setting.stored());
    return result;
}
