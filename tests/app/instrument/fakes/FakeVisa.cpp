// A stand-in for a VISA library: one resource (the "resource" key) that
// records writes with the send-end switch and answers reads with "reply".
#include "FakeRecorder.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr int32_t kSuccess = 0;
constexpr int32_t kNotFound = static_cast<int32_t>(0xBFFF0011u);
constexpr int32_t kTimeout = static_cast<int32_t>(0xBFFF0015u);
constexpr uint32_t kSendEnd = 0x3FFF0016u;
uint64_t sendEnd = 1;
size_t replyAt = 0;
} // namespace

FAKE_CONTROL_FUNCTIONS

FAKE_EXPORT int32_t viOpenDefaultRM(uint32_t* session) {
    fake::Note("viOpenDefaultRM");
    *session = 1;
    replyAt = 0;
    return kSuccess;
}
FAKE_EXPORT int32_t viOpen(uint32_t, const char* resource, uint32_t, uint32_t, uint32_t* session) {
    fake::Note(std::string("viOpen ") + resource);
    if (resource != fake::Get("resource"))
        return kNotFound;
    *session = 2;
    return kSuccess;
}
FAKE_EXPORT int32_t viClose(uint32_t session) {
    fake::Note("viClose " + std::to_string(session));
    return kSuccess;
}
FAKE_EXPORT int32_t viSetAttribute(uint32_t, uint32_t attribute, uint64_t value) {
    char text[64];
    std::snprintf(text, sizeof text, "viSetAttribute %08X %llu", attribute,
                  static_cast<unsigned long long>(value));
    fake::Note(text);
    if (attribute == kSendEnd)
        sendEnd = value;
    return kSuccess;
}
FAKE_EXPORT int32_t viWrite(uint32_t, const unsigned char* data, uint32_t count, uint32_t* done) {
    fake::Note("viWrite " + fake::Escaped(data, count) + (sendEnd ? " END" : ""));
    *done = count;
    return kSuccess;
}
FAKE_EXPORT int32_t viRead(uint32_t, unsigned char* buffer, uint32_t count, uint32_t* done) {
    const std::string reply = fake::Get("reply");
    if (reply.empty())
        return kTimeout;
    const size_t n = std::min<size_t>(count, reply.size() - replyAt);
    std::memcpy(buffer, reply.data() + replyAt, n);
    replyAt = 0;
    *done = static_cast<uint32_t>(n);
    fake::Note("viRead " + std::to_string(count));
    return kSuccess;
}
FAKE_EXPORT int32_t viClear(uint32_t) {
    fake::Note("viClear");
    return kSuccess;
}
