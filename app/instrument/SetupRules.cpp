#include "SetupRules.h"

#include "TextUtil.h"

namespace zw {

std::vector<InterfaceChoice> InterfaceChoices(int bits) {
    std::vector<InterfaceChoice> choices;
    if (bits & 8)
        choices.push_back({"USB(TMC)", 3});
    if (bits & 3)
        choices.push_back({"NI GPIB", 0});
    if (bits & 2)
        choices.push_back({"KI GPIB", 1});
    choices.push_back({"LAN(Socket)", 7});
    return choices;
}

AddressCheck CheckTypedAddress(int typed, int minimum, int maximum, int controllerAddress) {
    if (typed < minimum || typed > maximum)
        return AddressCheck::OutOfRange;
    if (typed == controllerAddress)
        return AddressCheck::ControllerAddress;
    return AddressCheck::Accepted;
}

bool IsAcceptableSerialNumber(std::string_view text) {
    return text.empty() || text.substr(0, 2) == "SN";
}

UsbIdTable UsbIdTable::Parse(std::string_view text) {
    UsbIdTable table;
    for (std::string_view line : SplitText(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::vector<std::string_view> fields = SplitText(line, ',');
        table.pairs_.emplace_back(std::string(fields[0]),
                                  fields.size() > 1 ? std::string(fields[1]) : std::string());
    }
    return table;
}

std::string UsbIdTable::Prefix(std::string_view modelName) const {
    for (const auto& [model, prefix] : pairs_)
        if (model == modelName)
            return prefix;
    return {};
}

} // namespace zw
