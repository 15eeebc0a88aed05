#include "LanAddress.h"

#include "BusSettings.h"
#include "TextUtil.h"

#include <string>

namespace zw {

namespace {

std::string Key(std::string_view modelName, std::string_view item) {
    return std::string(TrimText(modelName)) + "." + std::string(item);
}

} // namespace

std::optional<int> ReadLanPort(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok, 10);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<QString> ReadLanHost(const QString& text) {
    const QString host = text.trimmed();
    if (host.isEmpty() || host.size() > 253)
        return std::nullopt;
    for (const QChar c : host)
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return std::nullopt;
    return host;
}

LanAddress ReadLanAddress(const InstrumentSettings& settings, std::string_view modelName) {
    LanAddress address;
    if (auto host = OptionalSetting(settings, kLanSection, Key(modelName, "Host")))
        if (auto checked = ReadLanHost(QString::fromStdString(*host)))
            address.host = *checked;
    if (auto port = OptionalSetting(settings, kLanSection, Key(modelName, "Port")))
        if (auto checked = ReadLanPort(QString::fromStdString(*port)))
            address.port = *checked;
    return address;
}

void WriteLanAddress(InstrumentSettings& settings, std::string_view modelName,
                     const LanAddress& address) {
    SetLanAddress(settings, modelName, address.host.toStdString(), address.port);
}

} // namespace zw
