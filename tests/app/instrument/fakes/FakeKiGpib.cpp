// A stand-in for the command-text GPIB library of the "KI GPIB" boards.
#include "FakeRecorder.h"

#include <cstring>

FAKE_CONTROL_FUNCTIONS

FAKE_EXPORT int _ieee_initialize(int own, int level) {
    fake::Note("initialize " + std::to_string(own) + " " + std::to_string(level));
    return 0;
}
FAKE_EXPORT int _ieee_board_present() {
    return fake::GetInt("absent") ? 0 : 1;
}
FAKE_EXPORT int _ieee_settimeout(long ms) {
    fake::Note("settimeout " + std::to_string(ms));
    return 0;
}
FAKE_EXPORT int _ieee_setinputEOS(int character) {
    fake::Note("setinputEOS " + std::to_string(character));
    return 0;
}
FAKE_EXPORT int _ieee_transmit(const char* commands, int* status) {
    fake::Note("transmit " + fake::Escaped(commands, static_cast<long>(std::strlen(commands))));
    *status = 0;
    return 0;
}
FAKE_EXPORT int _ieee_receive(char* buffer, unsigned long maximum, unsigned long* length,
                              int* status) {
    const std::string reply = fake::Get("reply");
    *length = std::min<unsigned long>(maximum, reply.size());
    std::memcpy(buffer, reply.data(), *length);
    *status = reply.empty() ? 1 : 0;
    fake::Note("receive");
    return *status;
}
FAKE_EXPORT int _ieee_tarray(const void* data, unsigned long count, int eoi, int* status) {
    fake::Note("tarray " + std::to_string(count) + " " + std::to_string(eoi) + " " +
               fake::Escaped(data, static_cast<long>(std::min<unsigned long>(count, 4))));
    *status = 0;
    return 0;
}
