// Values shared by every level of the bus layer: return codes, interface
// types, timeout codes and terminators.
#ifndef ZW_BUS_TYPES_H
#define ZW_BUS_TYPES_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zw::bus {

// Every bus operation reduces its outcome to one of these.
enum BusCode : int16_t {
    kBusOk = 0,
    kBusTimeout = 1,
    kBusError = 2,
    kBusNoBoard = 4,
};

// The layer's own text for a return code ("" for success).
std::string BusCodeText(int code);

enum InterfaceType : int16_t {
    kNiGpib = 0,
    kKiGpib = 1,
    kUsbTmc = 3,
    kSimulator = 4,
    kUsb488 = 6,
    kLanSocket = 7,
};

// Timeout codes 0 .. 17 of the common GPIB scale.
inline constexpr int kTimeoutCodeCount = 18;
inline constexpr int kDefaultTimeoutCode = 10; // 300 ms

bool IsValidTimeoutCode(int code);
// Name of the code in logs ("NONE", "10us", ... "1000s").
std::string_view TimeoutName(int code);
// Microseconds of the code; 0 for "NONE" (no limit).
int64_t TimeoutMicroseconds(int code);
// Milliseconds a waiting back-end of ours uses: the code's time rounded up to
// whole milliseconds; "NONE" gives -1 (wait without limit).
int TimeoutPollMilliseconds(int code);
// The other GPIB library's millisecond scale and its log names.
long KiTimeoutMilliseconds(int code);
std::string_view KiTimeoutName(int code);

enum class Terminator : uint8_t { None = 0, Lf = 1, Cr = 2, CrLf = 3 };

// The terminator a text names ("", "\n", "\r", "\r\n"); nothing for others.
std::optional<Terminator> TerminatorFromText(std::string_view text);
std::string_view TerminatorText(Terminator t);
std::string_view TerminatorName(Terminator t);

// How the send terminator is used: 0 never sent, 1 appended to every text
// send, 2 appended and the end of the message signalled with it.
enum class TerminatorMode : uint8_t { Off = 0, Append = 1, AppendWithEnd = 2 };

struct Terminators {
    Terminator send = Terminator::Lf;
    TerminatorMode sendMode = TerminatorMode::AppendWithEnd;
    Terminator receive = Terminator::Lf;
};

} // namespace zw::bus

#endif // ZW_BUS_TYPES_H
