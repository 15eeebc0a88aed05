// The interface library level: set-up on first use, error check and boxes,
// the message switch, unknown interface types, terminators and the log.
#include "bus/InterfaceLibrary.h"
#include "FakeServices.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace zw;
using namespace zw::bus;
using zw::test::RecordingMessages;

namespace {

// A back-end that records the calls it gets and answers with set codes.
struct Calls {
    std::vector<std::string> log;
    int initCode = kBusOk;
    int sendCode = kBusOk;
    std::string reply = "REPLY";
    int ownAddress = 0;
    std::string lastConfig;
};

class RecordingBackend : public BusBackend {
public:
    explicit RecordingBackend(Calls& calls) : c_(calls) {}
    std::string_view Name() const override { return "recording"; }
    int Init(const BusConfig& config) override {
        c_.lastConfig = config.Text();
        c_.log.push_back("Init");
        return c_.initCode;
    }
    int End() override { return Note("End"); }
    int SendStr(int a, std::string_view t) override {
        c_.log.push_back("SendStr " + std::to_string(a) + " " + std::string(t));
        return c_.sendCode;
    }
    int ReceiveStr(int, std::string& reply) override {
        reply = c_.reply;
        return Note("ReceiveStr");
    }
    int SendBinary(int, std::span<const uint8_t> b) override {
        return Note("SendBinary " + std::to_string(b.size()));
    }
    int ReceiveBinary(int, std::vector<uint8_t>&, size_t) override { return Note("ReceiveBinary"); }
    int LocalLockout() override { return Note("LLO"); }
    int RemoteEnable(bool on) override { return Note(on ? "REN on" : "REN off"); }
    int InterfaceClear() override { return Note("IFC"); }
    int DeviceClear(int a) override { return Note("SDC " + std::to_string(a)); }
    int GoToLocal(int a) override { return Note("GTL " + std::to_string(a)); }
    int TimeOut(int code) override { return Note("TimeOut " + std::to_string(code)); }
    int Mterm(const Terminators& t) override {
        return Note("Mterm " + std::string(TerminatorName(t.send)) + " " +
                    std::to_string(static_cast<int>(t.sendMode)) + " " +
                    std::string(TerminatorName(t.receive)));
    }
    int Eoi(bool on) override { return Note(on ? "EOI on" : "EOI off"); }
    int BoardAddress(int& a) override {
        a = c_.ownAddress;
        return Note("BoardAddress");
    }

private:
    int Note(std::string text) {
        c_.log.push_back(std::move(text));
        return kBusOk;
    }
    Calls& c_;
};

struct Layer {
    Calls calls;
    RecordingMessages messages;
    InterfaceLibrary bus{messages, [this](int type) -> std::unique_ptr<BusBackend> {
                             if (type != kSimulator)
                                 return nullptr;
                             return std::make_unique<RecordingBackend>(calls);
                         }};
    Layer() {
        bus.SetInterfaceType(kSimulator);
        bus.SetAddressField(5);
    }
};

} // namespace

TEST(InterfaceLibrary, FirstPutsSetsUpTheBusThenSends) {
    Layer l;
    EXPECT_FALSE(l.bus.Initialised());
    EXPECT_EQ(l.bus.GpPuts(5, "*RST"), kBusOk);
    EXPECT_TRUE(l.bus.Initialised());
    EXPECT_EQ(l.calls.log, (std::vector<std::string>{"Init", "Mterm LF 2 LF", "EOI on",
                                                     "TimeOut 10", "SendStr 5 *RST"}));
    EXPECT_EQ(l.calls.lastConfig, "MYADRS = 0, BOARD_NAME = GPIB0, USB488ID = 5");
    EXPECT_EQ(l.bus.TimeoutCode(), 10);
    EXPECT_TRUE(l.messages.boxes.empty());
}

TEST(InterfaceLibrary, SetUpTimeoutCanBeChosen) {
    Layer l;
    l.bus.SetSetupTimeoutCode(13);
    l.bus.GpSetup();
    EXPECT_EQ(l.bus.TimeoutCode(), 13);
    l.bus.SetSetupTimeoutCode(99); // not a code: the usual 300 ms
    l.bus.GpSetup();
    EXPECT_EQ(l.bus.TimeoutCode(), 10);
}

TEST(InterfaceLibrary, ExtraConfigurationIsAppended) {
    Layer l;
    l.bus.SetExtraConfiguration("LAN_HOST = 127.0.0.1, LAN_PORT = 5025");
    l.bus.GpSetup();
    EXPECT_EQ(
        l.calls.lastConfig,
        "MYADRS = 0, BOARD_NAME = GPIB0, USB488ID = 5, LAN_HOST = 127.0.0.1, LAN_PORT = 5025");
}

TEST(InterfaceLibrary, FailedSetUpLeavesTheLayerUninitialisedAndIsRetried) {
    Layer l;
    l.calls.initCode = kBusNoBoard;
    EXPECT_EQ(l.bus.GpPuts(5, "*RST"), kBusNoBoard);
    EXPECT_FALSE(l.bus.Initialised());
    ASSERT_EQ(l.messages.boxes.size(), 1u);
    EXPECT_EQ(l.messages.boxes[0].title, "Interface Error");
    EXPECT_EQ(l.messages.boxes[0].text,
              "Nonexistent interface board\rModule IntfcLib : Function Setup");
    EXPECT_EQ(l.bus.LastErrorText(), "Nonexistent interface board");
    l.calls.initCode = kBusOk;
    EXPECT_EQ(l.bus.GpPuts(5, "*RST"), kBusOk);
    EXPECT_TRUE(l.bus.Initialised());
    EXPECT_EQ(l.bus.LastErrorText(), "");
}

TEST(InterfaceLibrary, FailureBoxNamesTheOperationAndAddress) {
    Layer l;
    l.calls.sendCode = kBusTimeout;
    EXPECT_EQ(l.bus.GpPuts(7, "FREQ 1"), kBusTimeout);
    ASSERT_EQ(l.messages.boxes.size(), 1u);
    EXPECT_EQ(l.messages.boxes[0].text,
              "I/O operation aborted(timeout)\rModule IntfcLib : Function Puts\rAddress 7");
    EXPECT_EQ(l.bus.LastCode(), kBusTimeout);
}

TEST(InterfaceLibrary, UnknownInterfaceTypeReturnsTwoForEveryOperation) {
    Layer l;
    l.bus.SetInterfaceType(5);
    std::string reply;
    EXPECT_EQ(l.bus.GpPuts(1, "X"), kBusError);
    EXPECT_EQ(l.bus.GpGets(1, reply), kBusError);
    int own = 0;
    EXPECT_EQ(l.bus.GpBoardAdr(own), kBusError);
    EXPECT_TRUE(l.calls.log.empty());
    ASSERT_EQ(l.messages.boxes.size(), 3u);
    EXPECT_EQ(l.messages.boxes[0].text, "Interface error\rModule IntfcLib : Function Setup");
}

TEST(InterfaceLibrary, MessageSwitchSilencesBoxesButKeepsCodes) {
    Layer l;
    l.bus.GpSetup();
    EXPECT_EQ(l.bus.GpErrMsgOn(kErrMsgQuery), 1);
    EXPECT_EQ(l.bus.GpErrMsgOn(kErrMsgOff), kBusOk);
    EXPECT_EQ(l.bus.GpErrMsgOn(kErrMsgQuery), 0);
    l.calls.sendCode = kBusError;
    EXPECT_EQ(l.bus.GpPuts(1, "X"), kBusError);
    EXPECT_EQ(l.bus.LastErrorText(), "Interface error");
    EXPECT_TRUE(l.messages.boxes.empty());
    EXPECT_EQ(l.bus.GpErrMsgOn(2), kBusNoBoard);
    EXPECT_EQ(l.bus.GpErrMsgOn(kErrMsgOn), kBusOk);
    EXPECT_EQ(l.bus.GpPuts(1, "X"), kBusError);
    EXPECT_EQ(l.messages.boxes.size(), 1u);
}

TEST(InterfaceLibrary, TerminatorsTimeoutsAndEndOfTransmission) {
    Layer l;
    l.bus.GpSetup();
    l.calls.log.clear();
    EXPECT_EQ(l.bus.GpEos("\r\n", 1), kBusOk);
    EXPECT_EQ(l.bus.GpEos("", 0), kBusOk);
    EXPECT_EQ(l.bus.GpEos("X", 2), kBusError);
    EXPECT_EQ(l.messages.boxes.back().text, "Interface error\rGpEos");
    EXPECT_EQ(l.bus.GpTmo(13), kBusOk);
    EXPECT_EQ(l.bus.GpTmo(18), kBusError);
    EXPECT_EQ(l.bus.TimeoutCode(), 13);
    EXPECT_EQ(l.bus.GpEot(false), kBusOk);
    EXPECT_FALSE(l.bus.EndOfTransmission());
    EXPECT_EQ(l.calls.log, (std::vector<std::string>{"Mterm CRLF 1 LF", "Mterm NONE 0 LF",
                                                     "TimeOut 13", "EOI off"}));
}

TEST(InterfaceLibrary, OtherOperationsReachTheBackEnd) {
    Layer l;
    l.calls.ownAddress = 21;
    l.bus.GpSetup();
    l.calls.log.clear();
    std::string reply;
    int own = -1;
    const std::vector<uint8_t> data(10);
    EXPECT_EQ(l.bus.GpGets(3, reply), kBusOk);
    EXPECT_EQ(reply, "REPLY");
    EXPECT_EQ(l.bus.GpData(3, data), kBusOk);
    EXPECT_EQ(l.bus.GpSDC(3), kBusOk);
    EXPECT_EQ(l.bus.GpIFC(), kBusOk);
    EXPECT_EQ(l.bus.GpREN(true), kBusOk);
    EXPECT_EQ(l.bus.GpLocal(3), kBusOk);
    EXPECT_EQ(l.bus.GpBoardAdr(own), kBusOk);
    EXPECT_EQ(own, 21);
    EXPECT_EQ(l.bus.GpEnd(), kBusOk);
    EXPECT_FALSE(l.bus.Initialised());
    EXPECT_EQ(l.calls.log, (std::vector<std::string>{"ReceiveStr", "SendBinary 10", "SDC 3", "IFC",
                                                     "REN on", "GTL 3", "BoardAddress", "End"}));
}

TEST(InterfaceLibrary, LogFileHasOneLinePerOperationWithMarkers) {
    const std::string path = ::testing::TempDir() + "/bus-log.txt";
    std::filesystem::remove(path);
    Layer l;
    l.bus.SetExtraConfiguration("LOG_FILE = " + path);
    std::string reply;
    const std::vector<uint8_t> data(512);
    l.bus.GpPuts(5, "FREQ 1\n");
    l.bus.GpGets(5, reply);
    l.bus.GpData(5, data);
    l.bus.GpEnd();
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "ALL < GP_Init MYADRS = 0, BOARD_NAME = GPIB0, USB488ID = 5, LOG_FILE = " + path +
                  "\n"
                  "ALL < GP_Mterm SEND LF MODE 2 RECEIVE LF\n"
                  "ALL < GP_EOI ON\n"
                  "ALL < GP_Time_Out 300ms\n"
                  "5 < GP_Send_Str FREQ 1<0A>\n"
                  "5 > GP_Receive_Str REPLY\n"
                  "5 < GP_Send_Binary_Data 512 bytes\n"
                  "ALL < GP_END\n");
}

TEST(BusTypes, TimeoutScalesAndNames) {
    EXPECT_EQ(TimeoutName(0), "NONE");
    EXPECT_EQ(TimeoutName(10), "300ms");
    EXPECT_EQ(TimeoutName(17), "1000s");
    EXPECT_EQ(TimeoutPollMilliseconds(0), -1);
    EXPECT_EQ(TimeoutPollMilliseconds(1), 1);
    EXPECT_EQ(TimeoutPollMilliseconds(10), 300);
    EXPECT_EQ(KiTimeoutMilliseconds(0), 0);
    EXPECT_EQ(KiTimeoutMilliseconds(8), 55);
    EXPECT_EQ(KiTimeoutMilliseconds(12), 3025);
    EXPECT_EQ(KiTimeoutMilliseconds(17), 1000010);
    EXPECT_EQ(KiTimeoutName(3), "55ms");
    EXPECT_EQ(KiTimeoutName(9), "100ms");
    EXPECT_EQ(BusCodeText(kBusTimeout), "I/O operation aborted(timeout)");
    EXPECT_EQ(BusCodeText(kBusError), "Interface error");
    EXPECT_EQ(BusCodeText(kBusNoBoard), "Nonexistent interface board");
}

TEST(BusConfig, ItemsAreFoundWithoutCaseAndTrimmed) {
    const BusConfig c = BusConfig::Parse("MYADRS = 0, board_name=gpib1 , USB488ID = 12, X, "
                                         "RESPONSE_DIALOG = True, N = abc");
    EXPECT_EQ(c.GetOr("BOARD_NAME", ""), "gpib1");
    EXPECT_EQ(c.GetInt("usb488id"), 12);
    EXPECT_FALSE(c.GetInt("N"));
    EXPECT_FALSE(c.Get("X"));
    EXPECT_TRUE(c.GetFlag("RESPONSE_DIALOG"));
    EXPECT_FALSE(c.GetFlag("MYADRS"));
}
