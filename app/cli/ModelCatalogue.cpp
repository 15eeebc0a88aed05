#include "ModelCatalogue.h"

#include "CliTexts.h"
#include "InstallLayout.h"
#include "MessageCatalog.h"
#include "SettingEditor.h"
#include "StartupChoices.h"
#include "SystemStartup.h"
#include "modspec32.h"

#include <QDir>
#include <QJsonObject>

namespace zw::cli {

namespace {

QJsonObject Limits(double minimum, double maximum) {
    return QJsonObject{{"min", minimum}, {"max", maximum}};
}

QJsonObject ModelJson(const CurrentSetting& setting, int model) {
    CurrentSetting copy = setting;
    copy.selectModel(model);
    const ModelLists& lists = copy.models()[static_cast<size_t>(model)];
    const DeviceInfo& info = copy.info();

    QJsonArray interfaces;
    {
        SettingEditor editor(copy, Language::English);
        for (const InterfaceChoice& c : editor.interfaceChoices())
            interfaces.append(
                QJsonObject{{"name", QString::fromStdString(c.text)}, {"type", c.interfaceType}});
    }
    QJsonArray sizes;
    for (long size : MemorySizesOf(copy))
        sizes.append(static_cast<qint64>(size));
    QJsonArray channels;
    QJsonArray ranges;
    for (size_t c = 0; c < static_cast<size_t>(lists.channels.size()); ++c) {
        channels.append(lists.channels[static_cast<qsizetype>(c)]);
        ranges.append(
            QJsonArray::fromStringList(c < lists.ranges.size() ? lists.ranges[c] : QStringList()));
    }
    QJsonObject object{
        {"index", model},
        {"name", lists.name},
        {"interfaces", interfaces},
        {"memorySizes", sizes},
        {"channels", channels},
        {"ranges", ranges},
        {"address", Limits(info.AddressMin, info.AddressMax)},
        {"frequency", Limits(info.FrequencyMin, info.FrequencyMax)},
        {"amplitude", Limits(info.AmplitudeMin, info.AmplitudeMax)},
        {"offset", Limits(info.OffsetMin, info.OffsetMax)},
        {"offsetSwitch", info.OffsetSwitchAvailable != 0},
        {"maxCode", static_cast<qint64>(info.MaxCode)},
    };
    if (info.MemoryNumberSelectable)
        object.insert("memoryNumber", Limits(info.MemoryNumberMin, info.MemoryNumberMax));
    return object;
}

QString Joined(const QJsonArray& array) {
    QStringList parts;
    for (const auto& v : array)
        parts << (v.isString() ? v.toString() : QString::number(v.toDouble(), 'g', 15));
    return parts.join(QLatin1String(", "));
}

} // namespace

QString ModelsFolder(const QString& option, const QString& currentFolder,
                     const QString& programFolder) {
    if (!option.isEmpty())
        return option;
    return ChooseModelSource(
               {currentFolder, UserModelFolder(), LocateInstallLayout(programFolder).modelFolder})
        .folder;
}

void LoadModels(const QString& folder, Language language, CurrentSetting& setting) {
    if (!QDir(folder).exists() ||
        QDir(folder).entryList({QStringLiteral("*.SYS")}, QDir::Files).isEmpty())
        throw CommandError(
            kExitFailed,
            Text(CliText::NoModelFiles, language).arg(QDir::toNativeSeparators(folder)));
    // The model database reads the model files of the current folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    const int32_t loaded = SysInitDeviceInfo();
    QDir::setCurrent(previous);
    if (loaded != SYS_LOAD_OK) {
        char name[SYS_FILENAME_BUFFER + 1] = {};
        SysGetSysErrorFileName(name);
        const QString text = ModelLoadFailureText(
            MessageCatalog(language), loaded, QString::fromLocal8Bit(name), SysGetSysErrorLineNo());
        // The start-up box ends with "System Exit."; the tool just stops.
        throw CommandError(kExitFailed, text.section(QLatin1Char('\r'), 0, 0));
    }
    setting.loadModelLists();
    if (setting.models().empty())
        throw CommandError(kExitFailed, Text(CliText::NoModelFiles, language).arg(folder));
    setting.selectModel(0);
}

QJsonArray ModelsJson(const CurrentSetting& setting) {
    QJsonArray models;
    for (size_t m = 0; m < setting.models().size(); ++m)
        models.append(ModelJson(setting, static_cast<int>(m)));
    return models;
}

QString ModelsText(const CurrentSetting& setting) {
    QString text;
    for (const auto& value : ModelsJson(setting)) {
        const QJsonObject m = value.toObject();
        QStringList interfaces;
        for (const auto& i : m["interfaces"].toArray())
            interfaces << i.toObject()["name"].toString();
        text += m["name"].toString() + QLatin1Char('\n');
        text += QLatin1String("  interfaces:   ") + interfaces.join(QLatin1String(", ")) + '\n';
        text += QLatin1String("  memory sizes: ") + Joined(m["memorySizes"].toArray()) + '\n';
        const QJsonArray channels = m["channels"].toArray();
        const QJsonArray ranges = m["ranges"].toArray();
        for (qsizetype c = 0; c < channels.size(); ++c)
            text += QStringLiteral("  channel %1:    %2 (ranges: %3)\n")
                        .arg(c)
                        .arg(channels[c].toString(), Joined(ranges[c].toArray()));
        auto limits = [&](const char* key) {
            const QJsonObject l = m[QLatin1String(key)].toObject();
            return QStringLiteral("%1 to %2")
                .arg(l["min"].toDouble(), 0, 'g', 15)
                .arg(l["max"].toDouble(), 0, 'g', 15);
        };
        text += QLatin1String("  frequency:    ") + limits("frequency") + QLatin1String(" Hz\n");
        text += QLatin1String("  amplitude:    ") + limits("amplitude") + QLatin1String(" Vp-p\n");
        text += QLatin1String("  offset:       ") + limits("offset") + QLatin1String(" V\n");
    }
    return text;
}

int FindModel(const CurrentSetting& setting, const QString& name) {
    for (size_t m = 0; m < setting.models().size(); ++m)
        if (setting.models()[m].name.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return static_cast<int>(m);
    return -1;
}

std::vector<long> MemorySizesOf(const CurrentSetting& setting) {
    CurrentSetting copy = setting;
    SettingEditor editor(copy, Language::English);
    std::vector<long> sizes;
    for (int i = 0; i < editor.memorySizeNames().size(); ++i) {
        editor.selectMemorySize(i);
        sizes.push_back(copy.info().MemorySize);
    }
    return sizes;
}

} // namespace zw::cli
