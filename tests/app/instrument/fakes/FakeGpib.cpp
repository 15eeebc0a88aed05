// A stand-in for Linux GPIB's libgpib.so.0: board "gpib0" at descriptor 3,
// one device descriptor per address, replies from the "reply" key.
#include "FakeRecorder.h"

#include <cstring>

namespace {
constexpr int kErr = 0x8000;
constexpr int kEnd = 0x2000;
constexpr int kCmpl = 0x100;
int iberr = 0;
long ibcntl = 0;
int pad = 0;

int Status(const char* operation) {
    if (fake::Get("fail") == operation) {
        iberr = fake::GetInt("iberr", 6);
        return kErr;
    }
    return kCmpl;
}
} // namespace

FAKE_CONTROL_FUNCTIONS

FAKE_EXPORT int ibfind(const char* name) {
    fake::Note(std::string("ibfind ") + name);
    return std::string(name) == fake::Get("board", "gpib0") ? 3 : -1;
}
FAKE_EXPORT int ibdev(int board, int address, int sad, int tmo, int eot, int eos) {
    fake::Note("ibdev " + std::to_string(board) + " " + std::to_string(address) + " " +
               std::to_string(sad) + " " + std::to_string(tmo) + " " + std::to_string(eot) + " " +
               std::to_string(eos));
    return 10 + address;
}
FAKE_EXPORT int ibpad(int ud, int v) {
    fake::Note("ibpad " + std::to_string(ud) + " " + std::to_string(v));
    pad = v;
    return Status("ibpad");
}
FAKE_EXPORT int ibask(int ud, int option, int* value) {
    fake::Note("ibask " + std::to_string(ud) + " " + std::to_string(option));
    *value = pad;
    return Status("ibask");
}
#define FAKE_UD_INT(name)                                                                          \
    FAKE_EXPORT int name(int ud, int v) {                                                          \
        fake::Note(std::string(#name " ") + std::to_string(ud) + " " + std::to_string(v));         \
        return Status(#name);                                                                      \
    }
#define FAKE_UD(name)                                                                              \
    FAKE_EXPORT int name(int ud) {                                                                 \
        fake::Note(std::string(#name " ") + std::to_string(ud));                                   \
        return Status(#name);                                                                      \
    }
FAKE_UD_INT(ibsre)
FAKE_UD_INT(ibtmo)
FAKE_UD_INT(ibeos)
FAKE_UD_INT(ibeot)
FAKE_UD_INT(ibonl)
FAKE_UD(ibsic)
FAKE_UD(ibclr)
FAKE_UD(ibloc)

FAKE_EXPORT int ibcmd(int ud, const void* data, long count) {
    fake::Note("ibcmd " + std::to_string(ud) + " " + fake::Escaped(data, count));
    return Status("ibcmd");
}
FAKE_EXPORT int ibwrt(int ud, const void* data, long count) {
    fake::Note("ibwrt " + std::to_string(ud) + " " + std::to_string(count) + " " +
               fake::Escaped(data, std::min(count, 40L)));
    ibcntl = count;
    return Status("ibwrt");
}
FAKE_EXPORT int ibrd(int ud, void* buffer, long count) {
    fake::Note("ibrd " + std::to_string(ud) + " " + std::to_string(count));
    const int status = Status("ibrd");
    if (status & kErr)
        return status;
    const std::string reply = fake::Get("reply");
    ibcntl = std::min<long>(count, static_cast<long>(reply.size()));
    std::memcpy(buffer, reply.data(), static_cast<size_t>(ibcntl));
    return status | kEnd;
}
FAKE_EXPORT int ThreadIberr() {
    return iberr;
}
FAKE_EXPORT long ThreadIbcntl() {
    return ibcntl;
}
