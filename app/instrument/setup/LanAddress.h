// The network address of a model's generator on the LAN(Socket) interface:
// host and port kept per model in the settings store (section "LanSocket",
// keys "<model>.Host" and "<model>.Port"), where the bus layer reads them.
#ifndef ZW_SETUP_LANADDRESS_H
#define ZW_SETUP_LANADDRESS_H

#include "InstrumentServices.h"

#include <QString>

#include <optional>
#include <string_view>

namespace zw {

inline constexpr char kDefaultLanHost[] = "127.0.0.1";
inline constexpr int kDefaultLanPortNumber = 5025;

struct LanAddress {
    QString host = QString::fromLatin1(kDefaultLanHost);
    int port = kDefaultLanPortNumber;
};

// The stored address of a model; the defaults for what is missing or unusable.
LanAddress ReadLanAddress(const InstrumentSettings& settings, std::string_view modelName);
void WriteLanAddress(InstrumentSettings& settings, std::string_view modelName,
                     const LanAddress& address);

// A typed port: a whole number 1 .. 65535, blanks around it allowed.
std::optional<int> ReadLanPort(const QString& text);
// A typed host name or address: trimmed, not empty, without blanks or
// control characters, at most 253 characters (the longest DNS name).
std::optional<QString> ReadLanHost(const QString& text);

} // namespace zw

#endif // ZW_SETUP_LANADDRESS_H
