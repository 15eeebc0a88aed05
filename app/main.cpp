// The program's entry: reads the command line, creates the settings store
// and the language, runs the system initialisation (which ends the program
// with its message when the model files, the memories or "USBTMC.ID" fail),
// then shows the main window and runs it until it is closed.
#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "InstallLayout.h"
#include "InterfaceFont.h"
#include "Language.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "QtFileDialogService.h"
#include "QtMessageService.h"
#include "QtTranslations.h"
#include "StartupChoices.h"
#include "StartupFile.h"
#include "SystemStartup.h"
#include "TextCodec.h"
#include "UsbTmcTable.h"
#include "WaveDocument.h"
#include "clsRegistry.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <optional>

namespace {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool paths = false;
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
        else if (a == "--paths")
            c.paths = true;
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
    out << "Usage: ZW4410 [--lang=en|ja] [file]\n"
           "Arbitrary waveform editor.\n\n"
           "  file          a .wdb or .txt wave file to open at start, or a .ocb\n"
           "                setup file or a .wfn page file to open in its window\n"
           "  --lang=en|ja  English or Japanese for this run\n"
           "  --paths       show where the model files, help pages and plug-ins\n"
           "                are found, and the language, then exit\n"
           "  --version     show the version and exit\n"
           "  --help        show this help and exit\n"
           "  --exit-when-shown  start, show the main window and end at once\n"
           "                (for timing the start-up)\n"
           "The model files (*.SYS) and USBTMC.ID are read from the first of: the\n"
           "start-up folder, ~/.local/share/ZW4410/models, the installed\n"
           "share/zw4410/models that holds *.SYS files. Without --lang the language\n"
           "is English when 8832_Eng.Env is in that folder, else Japanese when the\n"
           "models came from the start-up folder, else the desktop's language.\n";
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

// Where this run reads its model files, and the language it speaks.
struct StartupSources {
    zw::InstallLayout layout;
    zw::ModelSource models;
    zw::Language language = zw::Language::Japanese;
};

StartupSources startupSources(const CommandLine& command) {
    StartupSources s;
    s.layout = zw::LocateInstallLayout(QCoreApplication::applicationDirPath());
    s.models =
        zw::ChooseModelSource({QDir::currentPath(), zw::UserModelFolder(), s.layout.modelFolder});
    const bool marker = zw::LanguageFromMarker(s.models.folder) == zw::Language::English;
    s.language =
        zw::ChooseLanguage(command.language, s.models.origin, marker, QLocale::system().name());
    return s;
}

void printPaths(QTextStream& out, const StartupSources& s) {
    out << "models:  " << s.models.folder << "\n"
        << "help:    " << s.layout.helpFolder << "\n"
        << "plug-ins: " << s.layout.pluginFolder << "\n"
        << "language: " << (s.language == zw::Language::English ? "en" : "ja") << "\n";
}

// The arguments as the system gave them: a file name keeps its bytes even
// when they are not UTF-8.
QStringList nativeArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << zw::FileNameFromNative(argv[i]);
    return arguments;
}

// Answers --help, --version and --paths without a display; nothing for a
// command line that starts the editor.
std::optional<int> answerWithoutWindow(int argc, char* argv[]) {
    const CommandLine command = parse(nativeArguments(argc, argv));
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
    if (command.paths) {
        const QCoreApplication core(argc, argv);
        printPaths(out, startupSources(command));
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto answered = answerWithoutWindow(argc, argv))
        return *answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZW4410");
    QApplication::setApplicationVersion(ZW_VERSION_TEXT);
    // A save beyond a file size limit then fails with an error instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // QApplication has taken its own options out of argv.
    const CommandLine command = parse(nativeArguments(argc, argv));
    const StartupSources sources = startupSources(command);
    zw::clsRegistry registry;
    const zw::Language language = sources.language;
    zw::InstallQtTranslations(language);
    const zw::MessageCatalog catalog(language);
    // Message boxes, file dialogs and every window in the interface font.
    QApplication::setFont(zw::InterfaceFont(language));
    zw::QtMessageService service;
    zw::Messages messages(catalog, service);
    if (registry.SettingsLocked()) {
        messages.ShowErrorText(settingsLockedText(catalog, registry));
        return 1;
    }

    zw::CurrentSetting setting;
    zw::WaveDocument document;
    zw::UsbTmcTable usbTable;
    if (const auto failure = zw::InitialiseSystem(
            catalog, sources.models.folder, storedSetting(registry), setting, document, usbTable)) {
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
    zw::LoadAndShow(window, command.waveFile);
    if (command.exitWhenShown)
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    const int result = app.exec();
    storeSetting(registry, setting.stored());
    return result;
}
