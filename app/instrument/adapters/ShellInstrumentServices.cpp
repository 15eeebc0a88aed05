#include "adapters/ShellInstrumentServices.h"

namespace zw {

namespace {
QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
std::string S(const QString& text) {
    return text.toUtf8().toStdString();
}
} // namespace

std::string RegistryInstrumentSettings::Setting(std::string_view section,
                                                std::string_view key) const {
    return S(registry_.Setting(Q(section), Q(key)));
}

void RegistryInstrumentSettings::SetSetting(std::string_view section, std::string_view key,
                                            std::string_view value) {
    registry_.SetSetting(Q(section), Q(key), Q(value));
}

std::string ShellInstrumentMessages::MessageText(int code) const {
    return S(messages_.MessageText(code));
}

void ShellInstrumentMessages::ShowBox(std::string_view title, std::string_view text) {
    messages_.show({Q(title), Q(text)});
}

void ShellInstrumentMessages::ShowErrorText(std::string_view text) {
    messages_.ShowErrorText(Q(text));
}

std::optional<std::string> ShellInstrumentMessages::InputBox(std::string_view title,
                                                             std::string_view prompt) {
    return input_ ? input_(title, prompt) : std::nullopt;
}

} // namespace zw
