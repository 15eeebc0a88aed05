#include "SetupRules.h"

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

} // namespace zw
