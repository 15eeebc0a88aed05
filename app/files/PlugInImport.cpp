#include "PlugInImport.h"

#include "DocumentNames.h"
#include "ImportHostLibrary.h"
#include "WaveDocument.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace zw {

namespace {

constexpr char kPluginPattern[] = "*.so";

// Ends the host's session on every way out of the command.
class HostSession {
public:
    explicit HostSession(ImportHostLibrary& host) : host_(host) {}
    ~HostSession() { host_.ClosePlugin(); }
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

private:
    ImportHostLibrary& host_;
};

} // namespace

QStringList ImportFilterEntries(const std::vector<ImportFileType>& types) {
    QStringList entries;
    for (const ImportFileType& type : types)
        entries << QString("%1 (*.%2)").arg(type.pluginName, type.extension);
    return entries;
}

ImportOutcome PlugInImport::run(const QString& pluginFolder, const ImportFileChooser& choose) {
    ImportOutcome outcome;
    if (!host_.bind()) {
        outcome.message = kNoPluginMessage;
        return outcome;
    }
    const std::optional<std::vector<ImportFileType>> types = listTypes(pluginFolder);
    const HostSession session(host_);
    if (!types)
        return outcome;
    if (types->empty()) {
        outcome.message = kNoPluginMessage;
        return outcome;
    }
    const std::optional<ImportChoice> choice = choose(*types);
    if (!choice || choice->entry < 0 || choice->entry >= static_cast<int>(types->size()))
        return outcome;
    return importFile((*types)[static_cast<std::size_t>(choice->entry)].plugin, choice->path);
}

std::optional<std::vector<ImportFileType>> PlugInImport::listTypes(const QString& pluginFolder) {
    const QByteArray folder =
        (pluginFolder.endsWith('/') ? pluginFolder : pluginFolder + '/').toUtf8();
    int32_t count = 0;
    if (host_.OpenPlugin(folder.constData(), kPluginPattern, IMPORTHOST_APP_NAME,
                         IMPORTHOST_FILE_NAME_SIZE, &count) != IMPORTHOST_OK)
        return std::nullopt;
    std::vector<ImportFileType> types;
    for (int32_t plugin = 0; plugin < count; ++plugin) {
        std::array<char, IMPORTHOST_NAME_SIZE> name{};
        int32_t length = 0;
        if (host_.GetPluginName(plugin, name.data(), &length) != IMPORTHOST_OK)
            continue;
        const QString pluginName = QString::fromUtf8(
            name.data(), std::clamp<int32_t>(length, 0, IMPORTHOST_NAME_SIZE - 1));
        std::array<char, IMPORTHOST_TYPE_SIZE> type{};
        for (int32_t index = 0; host_.GetPluginType(plugin, index, type.data()) == IMPORTHOST_OK;
             ++index)
            types.push_back({plugin, pluginName, QString::fromLatin1(type.data())});
    }
    return types;
}

ImportOutcome PlugInImport::importFile(int32_t plugin, const QString& path) {
    ImportOutcome outcome;
    outcome.message = kInvalidFormatMessage;
    ImportFileInfo info{};
    const QByteArray name = path.toUtf8();
    if (name.isEmpty() || name.size() >= IMPORTHOST_FILE_NAME_SIZE)
        return outcome;
    std::memcpy(info.FileName, name.constData(), static_cast<std::size_t>(name.size()));
    int32_t handle = 0;
    if (host_.BeginPlugin(plugin, &handle, &info) != IMPORTHOST_OK)
        return outcome;
    const bool positioned = info.StartOffset <= 0 ||
                            host_.SeekPlugin(plugin, handle, info.StartOffset) == IMPORTHOST_OK;
    const int64_t wanted = std::min<int64_t>(info.SampleCount, document_.WaveLength());
    const std::optional<std::vector<int16_t>> codes =
        positioned && wanted > 0 ? readCodes(plugin, handle, wanted) : std::nullopt;
    host_.EndPlugin(plugin, handle);
    if (!codes)
        return outcome;

    store(*codes);
    names_.WaveFileName = kUntitled;
    outcome.imported = true;
    outcome.fileSamples = info.SampleCount;
    outcome.importedSamples = wanted;
    outcome.message = wanted < info.SampleCount ? kImportCutMessage : 0;
    return outcome;
}

std::optional<std::vector<int16_t>> PlugInImport::readCodes(int32_t plugin, int32_t handle,
                                                            int64_t count) {
    std::vector<int16_t> codes(static_cast<std::size_t>(count));
    for (int64_t done = 0; done < count;) {
        const auto asked = static_cast<int32_t>(std::min<int64_t>(kImportBlock, count - done));
        int32_t delivered = asked;
        if (host_.ExecutePlugin(plugin, handle, codes.data() + done, &delivered, 0) != asked)
            return std::nullopt;
        done += asked;
    }
    return codes;
}

void PlugInImport::store(const std::vector<int16_t>& codes) {
    document_.backup();
    const LockedBlock<int16_t> memory(document_.current());
    const std::size_t count = std::min(codes.size(), memory.size());
    std::copy_n(codes.begin(), count, memory.data());
}

} // namespace zw
