// zw4410-cli: the editor's waveform building, files and transfer for
// scripts. Every command is the editor's own logic (app/ libraries); this
// file only parses the command line and maps outcomes to exit statuses:
//   0 done, 1 the operation failed, 2 bad usage or a value refused,
//   130 interrupted.
#include "CliTexts.h"
#include "LanAddress.h"
#include "ModelCatalogue.h"
#include "PageCommands.h"
#include "SendCommand.h"
#include "SetupChanges.h"
#include "SetupFile.h"
#include "SetupListing.h"
#include "TerminalTransfer.h"
#include "TransferRequest.h"
#include "WaveFileNames.h"
#include "WaveOutput.h"
#include "adapters/ShellInstrumentServices.h"
#include "clsRegistry.h"

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

using namespace zw;
using namespace zw::cli;

namespace {

constexpr char kProgram[] = "zw4410-cli";

void PrintOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void PrintError(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fprintf(stderr, "%s: %s\n", kProgram, bytes.constData());
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString ProgramFolder() {
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return exe.isEmpty() ? QDir::currentPath() : QFileInfo(exe).path();
}

// The setting options of `setup` and `send`, applied in the order given.
struct SettingOptions {
    std::map<std::string, std::vector<std::string>> values;
    std::vector<CLI::Option*> options;

    void addTo(CLI::App& app) {
        struct OptionText {
            const char* name;
            const char* help;
        };
        // clang-format off
        static const OptionText kOptionTexts[] = {
            {"--model", "model name as listed by `models`"},
            {"--interface", "usbtmc, ni-gpib, ki-gpib, usb488, sim, lan or the interface type number"},
            {"--address", "GPIB address (or USB ID) within the model's limits"},
            {"--serial", "serial number of a USB(TMC) instrument (begins with SN)"},
            {"--memory-size", "memory size in samples, one the model offers"},
            {"--memory-number", "wave memory number"},
            {"--memory-name", "wave memory name"},
            {"--channel", "channel, 0-based list position"},
            {"--output", "on, off or nochange"},
            {"--range", "voltage range, 0-based list position"},
            {"--frequency", "frequency in Hz (engineering notation: 1.5k)"},
            {"--period", "period in seconds"},
            {"--amplitude", "amplitude in Vp-p"},
            {"--offset", "DC offset in V"},
            {"--offset-switch", "on or off"},
            {"--x-unit", "samples, time or user"},
            {"--y-unit", "codes, volts or user"},
            {"--x-user", "X user unit MIN,MAX,NAME"},
            {"--y-user", "Y user unit MIN,MAX,NAME"},
        };
        // clang-format on
        for (const OptionText& s : kOptionTexts) {
            CLI::Option* o = app.add_option(s.name, values[s.name], s.help)
                                 ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                                 ->allow_extra_args(false)
                                 ->group("Setting");
            options.push_back(o);
        }
        app.get_option("--frequency")->excludes(app.get_option("--period"));
    }

    // The changes in command-line order.
    std::vector<SetupChange> inOrder(const CLI::App& app) const {
        std::vector<SetupChange> changes;
        std::map<std::string, size_t> used;
        for (const CLI::Option* o : app.parse_order()) {
            const std::string name = "--" + o->get_single_name();
            const auto found = values.find(name);
            if (found == values.end())
                continue;
            size_t& next = used[name];
            if (next < found->second.size())
                changes.push_back({Q(name), Q(found->second[next++])});
        }
        return changes;
    }
};

struct Tool {
    Language language = Language::English;
    QString modelsFolder;
    CurrentSetting setting;

    void load() { LoadModels(modelsFolder, language, setting); }

    void readSetup(const std::string& path) {
        if (path.empty())
            return;
        const int code = ReadSetupFile(Q(path), setting);
        if (code != 0)
            throw CommandError(kExitFailed, FileMessage(code, Q(path), language));
    }

    void apply(const std::vector<SetupChange>& changes) {
        QStringList warnings;
        for (const SetupChange& c : changes)
            ApplySetupChange(setting, c, language, warnings);
        for (const QString& w : warnings)
            PrintError(w);
    }
};

} // namespace

int main(int argc, char** argv) {
    // Blocks SIGINT/SIGTERM for a watch thread; must come before any other
    // thread exists. Only a transfer looks at it: elsewhere a signal ends the
    // program as usual.
    std::unique_ptr<InterruptWatch> interrupt;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "send") {
            interrupt = std::make_unique<InterruptWatch>();
            break;
        }

    CLI::App app{"ZW4410 waveform tool for scripts: models, setup files, page files, "
                 "expressions, wave file conversion and transfer to the instrument.",
                 kProgram};
    app.set_version_flag("--version", std::string(kProgram) + " " + ZW_VERSION_TEXT);
    app.require_subcommand(1);
    std::string lang;
    std::string models;
    app.add_option("--lang", lang, "language of messages: en or ja (default from LANG)")
        ->check(CLI::IsMember({"en", "ja"}))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("--models", models,
                   "folder of the model files (default: the current folder when it holds *.SYS "
                   "files, else the program's folder)")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

    // models
    CLI::App* modelsCmd = app.add_subcommand("models", "list the models of the model files");
    bool modelsJson = false;
    modelsCmd->add_flag("--json", modelsJson, "JSON output");

    // setup
    CLI::App* setupCmd = app.add_subcommand(
        "setup", "build a setup file through the model's change operations, or show one");
    std::string setupFrom, setupOut, setupShow, setupHost, setupPort;
    bool setupJson = false;
    setupCmd->add_option("--from", setupFrom, "setup file to start from");
    setupCmd->add_option("--show", setupShow, "print this setup file");
    setupCmd->add_flag("--json", setupJson, "print as JSON");
    setupCmd->add_option("--host", setupHost,
                         "LAN(Socket) host of the model (kept in the settings)");
    setupCmd->add_option("--port", setupPort,
                         "LAN(Socket) port of the model (kept in the settings)");
    setupCmd->add_option("-o,--output-file", setupOut, "setup file to write (.ocb)");
    SettingOptions setupOptions;
    setupOptions.addTo(*setupCmd);
    setupCmd->get_option("--show")->excludes(setupCmd->get_option("--from"));
    setupCmd->get_option("--show")->excludes(setupCmd->get_option("-o"));

    // make
    CLI::App* makeCmd = app.add_subcommand("make", "compute a page file as All Page OK does");
    std::string makePages, makeSetup, makeOut;
    makeCmd->add_option("PAGES", makePages, "page file (.wfn)")->required();
    makeCmd->add_option("--setup", makeSetup, "setup file (.ocb)");
    makeCmd->add_option("-o,--output-file", makeOut, "wave file to write (.wdb or .txt)")
        ->required();

    // eval
    CLI::App* evalCmd = app.add_subcommand("eval", "compute one expression page");
    std::string evalExpr, evalSetup, evalOut;
    std::optional<double> evalFrom, evalTo;
    evalCmd->add_option("EXPR", evalExpr, "expression in x, constants in a leading [...]")
        ->required();
    evalCmd->add_option("--setup", evalSetup, "setup file (.ocb)");
    evalCmd->add_option("--from", evalFrom, "start position in the X unit (default 0)");
    evalCmd->add_option("--to", evalTo, "end position in the X unit (default: the memory end)");
    evalCmd->add_option("-o,--output-file", evalOut, "wave file to write (.wdb or .txt)")
        ->required();

    // convert
    CLI::App* convertCmd = app.add_subcommand(
        "convert", "convert between .wdb and .txt, or from a type the import plug-ins read");
    std::string convertIn, convertOut, convertSetup;
    convertCmd->add_option("IN", convertIn, "wave file to read")->required();
    convertCmd->add_option("OUT", convertOut, "wave file to write")->required();
    convertCmd->add_option("--setup", convertSetup,
                           "setup for a .wdb written from another format (.ocb)");

    // send
    CLI::App* sendCmd = app.add_subcommand("send", "transfer a waveform (or the setting)");
    std::string sendWave, sendSetup, sendHost, sendPort;
    bool settingsOnly = false, quiet = false;
    std::optional<int> timeoutMs;
    sendCmd->add_option("WAVE", sendWave, "wave file (.wdb or .txt)")->required();
    sendCmd->add_option("--setup", sendSetup, "setup file (.ocb)");
    sendCmd->add_flag("--settings-only", settingsOnly, "send the setting only");
    sendCmd->add_flag("--quiet", quiet, "no progress line");
    sendCmd->add_option("--host", sendHost, "LAN(Socket) host for this transfer");
    sendCmd->add_option("--port", sendPort, "LAN(Socket) port for this transfer");
    sendCmd->add_option("--timeout-ms", timeoutMs, "bus timeout (default 300 ms)")
        ->check(CLI::Range(1, 1000000));
    SettingOptions sendOptions;
    sendOptions.addTo(*sendCmd);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitDone : kExitUsage;
    }

    Tool tool;
    const char* langVariable = std::getenv("LANG");
    tool.language =
        ChooseLanguage(Q(lang), QString::fromLocal8Bit(langVariable ? langVariable : ""));
    tool.modelsFolder = ModelsFolder(Q(models), QDir::currentPath(), ProgramFolder());

    try {
        tool.load();
        if (*modelsCmd) {
            if (modelsJson)
                PrintOut(QJsonDocument(ModelsJson(tool.setting)).toJson(QJsonDocument::Indented));
            else
                PrintOut(ModelsText(tool.setting).toUtf8());
            return kExitDone;
        }
        if (*setupCmd) {
            if (!setupShow.empty()) {
                tool.readSetup(setupShow);
            } else {
                tool.readSetup(setupFrom);
                tool.apply(setupOptions.inOrder(*setupCmd));
            }
            if (!setupHost.empty() || !setupPort.empty()) {
                clsRegistry registry;
                RegistryInstrumentSettings store(registry);
                const std::string model = RecordModelName(tool.setting.info()).toStdString();
                LanAddress address = ReadLanAddress(store, model);
                if (!setupHost.empty())
                    address.host = CheckedLanHost(Q(setupHost), tool.language);
                if (!setupPort.empty())
                    address.port = CheckedLanPort(Q(setupPort), tool.language);
                WriteLanAddress(store, model, address);
            }
            if (!setupOut.empty()) {
                const int code = SaveSetupFile(Q(setupOut), tool.setting);
                if (code != 0)
                    throw CommandError(kExitFailed, FileMessage(code, Q(setupOut), tool.language));
                return kExitDone;
            }
            if (setupJson)
                PrintOut(QJsonDocument(SetupJson(tool.setting)).toJson(QJsonDocument::Indented));
            else
                PrintOut(SetupListingText(tool.setting, tool.language).toUtf8());
            return kExitDone;
        }
        if (*makeCmd || *evalCmd) {
            tool.readSetup(*makeCmd ? makeSetup : evalSetup);
            WaveWorkspace workspace(tool.setting, tool.language);
            if (*makeCmd)
                MakeFromPageFile(workspace, Q(makePages), tool.language);
            else
                MakeFromExpression(workspace, Q(evalExpr), evalFrom, evalTo, tool.language);
            workspace.save(Q(*makeCmd ? makeOut : evalOut));
            return kExitDone;
        }
        if (*convertCmd) {
            tool.readSetup(convertSetup);
            WaveWorkspace workspace(tool.setting, tool.language);
            // Wave files of the editor's own kinds; anything else goes to
            // the import plug-ins, as File > Import.
            if (WaveFileKindOf(Q(convertIn)) != WaveFileKind::Unknown) {
                workspace.open(Q(convertIn));
            } else {
                QStringList notes;
                workspace.import(Q(convertIn), ProgramFolder(), notes);
                for (const QString& note : notes)
                    PrintError(note);
            }
            workspace.save(Q(convertOut));
            return kExitDone;
        }
        if (*sendCmd) {
            // A .txt file is read over the setting's length: the setting
            // comes first. A .wdb brings its own, which --setup replaces.
            const bool binary = WaveFileKindOf(Q(sendWave)) == WaveFileKind::Binary;
            if (!binary)
                tool.readSetup(sendSetup);
            WaveWorkspace workspace(tool.setting, tool.language);
            workspace.open(Q(sendWave));
            if (binary)
                tool.readSetup(sendSetup);
            tool.apply(sendOptions.inOrder(*sendCmd));
            workspace.document().setWaveLength(tool.setting.waveLength());
            SendRequest request;
            request.settingsOnly = settingsOnly;
            request.quiet = quiet;
            if (!sendHost.empty())
                request.host = CheckedLanHost(Q(sendHost), tool.language);
            if (!sendPort.empty())
                request.port = CheckedLanPort(Q(sendPort), tool.language);
            request.timeoutMs = timeoutMs;
            request.modelsFolder = tool.modelsFolder;
            return RunSend(workspace, request, *interrupt, tool.language);
        }
    } catch (const CommandError& e) {
        PrintError(e.text());
        return e.exitCode();
    }
    return kExitUsage;
}
