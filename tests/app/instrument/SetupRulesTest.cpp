// The interface list, the checks of typed addresses and serial numbers, and
// the USB identification table.
#include "SetupRules.h"

#include <gtest/gtest.h>

using namespace zw;

TEST(SetupRules, InterfaceListFollowsTheModelsBits) {
    auto texts = [](int bits) {
        std::vector<std::string> out;
        for (const auto& c : InterfaceChoices(bits))
            out.push_back(c.text + "=" + std::to_string(c.interfaceType));
        return out;
    };
    EXPECT_EQ(texts(15),
              (std::vector<std::string>{"USB(TMC)=3", "NI GPIB=0", "KI GPIB=1", "LAN(Socket)=7"}));
    EXPECT_EQ(texts(8), (std::vector<std::string>{"USB(TMC)=3", "LAN(Socket)=7"}));
    EXPECT_EQ(texts(1), (std::vector<std::string>{"NI GPIB=0", "LAN(Socket)=7"}));
    EXPECT_EQ(texts(0), (std::vector<std::string>{"LAN(Socket)=7"}));
}

TEST(SetupRules, TypedAddressAndSerialNumberChecks) {
    EXPECT_EQ(CheckTypedAddress(5, 0, 30, 0), AddressCheck::Accepted);
    EXPECT_EQ(CheckTypedAddress(31, 0, 30, 0), AddressCheck::OutOfRange);
    EXPECT_EQ(CheckTypedAddress(-1, 0, 30, 0), AddressCheck::OutOfRange);
    EXPECT_EQ(CheckTypedAddress(0, 0, 30, 0), AddressCheck::ControllerAddress);
    EXPECT_TRUE(IsAcceptableSerialNumber("SN123456"));
    EXPECT_TRUE(IsAcceptableSerialNumber(""));
    EXPECT_FALSE(IsAcceptableSerialNumber("sn123456"));
    EXPECT_FALSE(IsAcceptableSerialNumber("123456"));
}

