#include "bus/BusTypes.h"

#include <array>

namespace zw::bus {

namespace {

constexpr std::array<std::string_view, kTimeoutCodeCount> kTimeoutNames = {
    "NONE",  "10us",  "30us", "100us", "300us", "1ms", "3ms",  "10ms", "30ms",
    "100ms", "300ms", "1s",   "3s",    "10s",   "30s", "100s", "300s", "1000s"};

constexpr std::array<int64_t, kTimeoutCodeCount> kTimeoutMicros = {
    0,      10,     30,      100,     300,      1000,     3000,      10000,     30000,
    100000, 300000, 1000000, 3000000, 10000000, 30000000, 100000000, 300000000, 1000000000};

constexpr std::array<long, kTimeoutCodeCount> kKiMillis = {
    0, 55, 55, 55, 55, 55, 55, 55, 55, 110, 330, 1045, 3025, 10010, 30030, 100045, 300250, 1000010};

constexpr std::array<std::string_view, kTimeoutCodeCount> kKiNames = {
    "55ms",  "55ms",  "55ms", "55ms", "55ms", "55ms", "55ms", "55ms", "55ms",
    "100ms", "300ms", "1s",   "3s",   "10s",  "30s",  "100s", "300s", "1000s"};

} // namespace

std::string BusCodeText(int code) {
    switch (code) {
    case kBusOk:
        return "";
    case kBusTimeout:
        return "I/O operation aborted(timeout)";
    case kBusNoBoard:
        return "Nonexistent interface board";
    default:
        return "Interface error";
    }
}

bool IsValidTimeoutCode(int code) {
    return code >= 0 && code < kTimeoutCodeCount;
}

std::string_view TimeoutName(int code) {
    return IsValidTimeoutCode(code) ? kTimeoutNames[code] : std::string_view("?");
}

int64_t TimeoutMicroseconds(int code) {
    return IsValidTimeoutCode(code) ? kTimeoutMicros[code] : 0;
}

int TimeoutPollMilliseconds(int code) {
    const int64_t us = TimeoutMicroseconds(code);
    if (us == 0)
        return -1;
    return static_cast<int>((us + 999) / 1000);
}

long KiTimeoutMilliseconds(int code) {
    return IsValidTimeoutCode(code) ? kKiMillis[code] : 0;
}

std::string_view KiTimeoutName(int code) {
    return IsValidTimeoutCode(code) ? kKiNames[code] : std::string_view("?");
}

std::optional<Terminator> TerminatorFromText(std::string_view text) {
    if (text.empty())
        return Terminator::None;
    if (text == "\n")
        return Terminator::Lf;
    if (text == "\r")
        return Terminator::Cr;
    if (text == "\r\n")
        return Terminator::CrLf;
    return std::nullopt;
}

std::string_view TerminatorText(Terminator t) {
    switch (t) {
    case Terminator::Lf:
        return "\n";
    case Terminator::Cr:
        return "\r";
    case Terminator::CrLf:
        return "\r\n";
    case Terminator::None:
        break;
    }
    return "";
}

std::string_view TerminatorName(Terminator t) {
    switch (t) {
    case Terminator::Lf:
        return "LF";
    case Terminator::Cr:
        return "CR";
    case Terminator::CrLf:
        return "CRLF";
    case Terminator::None:
        break;
    }
    return "NONE";
}

} // namespace zw::bus
