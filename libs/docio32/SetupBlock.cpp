// DeviceInfo in its packed 326-byte file form, shared by .ocb and .wdb files:
// every field at a fixed offset, little-endian, texts padded to their width.
#include "docio32.h"

#include "zwplatform.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

namespace docio32 {

namespace {

enum class Kind { Int16, Int32, UInt32, Double, Text };

struct Field {
    std::size_t blockOffset;
    std::size_t recordOffset;
    Kind kind;
    std::size_t width; // bytes in the block
};

#define ZW_FIELD(at, member, kind)                                                                 \
    Field {                                                                                        \
        at, offsetof(DeviceInfo, member), kind, sizeof(DeviceInfo::member)                         \
    }

// Every field but the first word (interface type and model index) and the
// output state, which are not stored as the record holds them.
constexpr std::array kFields = {
    ZW_FIELD(2, ModelName, Kind::Text),
    ZW_FIELD(18, Address, Kind::Int16),
    ZW_FIELD(20, AddressMin, Kind::Int16),
    ZW_FIELD(22, AddressMax, Kind::Int16),
    ZW_FIELD(24, MemoryOption, Kind::Text),
    ZW_FIELD(88, MemorySizeIndex, Kind::Int16),
    ZW_FIELD(90, MemorySize, Kind::Int32),
    ZW_FIELD(94, MaxCode, Kind::Int32),
    ZW_FIELD(98, DataCodeLow, Kind::Int16),
    ZW_FIELD(100, DataCodeHigh, Kind::Int16),
    ZW_FIELD(102, DataMask, Kind::UInt32),
    ZW_FIELD(106, MemoryNumberSelectable, Kind::Int16),
    ZW_FIELD(108, MemoryNumber, Kind::Int16),
    ZW_FIELD(110, MemoryNumberMin, Kind::Int16),
    ZW_FIELD(112, MemoryNumberMax, Kind::Int16),
    ZW_FIELD(114, MemoryNameFlag, Kind::Int16),
    ZW_FIELD(116, MemoryName, Kind::Text),
    ZW_FIELD(132, ChannelFlag, Kind::Int16),
    ZW_FIELD(134, ChannelIndex, Kind::Int16),
    ZW_FIELD(138, Frequency, Kind::Double),
    ZW_FIELD(146, FrequencyMin, Kind::Double),
    ZW_FIELD(154, FrequencyMax, Kind::Double),
    ZW_FIELD(162, FrequencyReso, Kind::Double),
    ZW_FIELD(170, Cycle, Kind::Double),
    ZW_FIELD(178, CycleOfFrequencyMin, Kind::Double),
    ZW_FIELD(186, CycleOfFrequencyMax, Kind::Double),
    ZW_FIELD(194, CycleReso, Kind::Double),
    ZW_FIELD(202, RangeIndex, Kind::Int16),
    ZW_FIELD(204, XMode, Kind::Int16),
    ZW_FIELD(206, Amplitude, Kind::Double),
    ZW_FIELD(214, AmplitudeMin, Kind::Double),
    ZW_FIELD(222, AmplitudeMax, Kind::Double),
    ZW_FIELD(230, AmplitudeReso, Kind::Double),
    ZW_FIELD(238, OffsetSwitchAvailable, Kind::Int16),
    ZW_FIELD(240, Offset, Kind::Double),
    ZW_FIELD(248, OffsetMin, Kind::Double),
    ZW_FIELD(256, OffsetMax, Kind::Double),
    ZW_FIELD(264, OffsetReso, Kind::Double),
    ZW_FIELD(272, OffsetSwitchState, Kind::Int16),
    ZW_FIELD(274, XUnit, Kind::Int16),
    ZW_FIELD(276, XUserStart, Kind::Double),
    ZW_FIELD(284, XUserEnd, Kind::Double),
    ZW_FIELD(292, YUnit, Kind::Int16),
    ZW_FIELD(294, YUserMin, Kind::Double),
    ZW_FIELD(302, YUserMax, Kind::Double),
    ZW_FIELD(310, XUnitName, Kind::Text),
    ZW_FIELD(318, YUnitName, Kind::Text),
};
#undef ZW_FIELD

constexpr std::size_t kWordOffset = 0;
constexpr std::size_t kOutputStateOffset = 136;

constexpr bool fieldsFillTheBlock() {
    std::array<bool, DOCIO32_SETUP_BLOCK_SIZE> used{};
    for (std::size_t i = kWordOffset; i < kWordOffset + 2; ++i)
        used[i] = true;
    for (std::size_t i = kOutputStateOffset; i < kOutputStateOffset + 2; ++i)
        used[i] = true;
    for (const Field& f : kFields) {
        for (std::size_t i = f.blockOffset; i < f.blockOffset + f.width; ++i) {
            if (i >= used.size() || used[i])
                return false;
            used[i] = true;
        }
    }
    for (const bool u : used)
        if (!u)
            return false;
    return true;
}
static_assert(fieldsFillTheBlock(), "setup block fields overlap or leave gaps");

void putUnsigned(uint8_t* at, uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t getUnsigned(const uint8_t* at, std::size_t width) {
    uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= uint64_t{at[i]} << (8 * i);
    return value;
}

template <typename T> T readMember(const DeviceInfo& info, const Field& f) {
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&info) + f.recordOffset, sizeof value);
    return value;
}

template <typename T> void writeMember(DeviceInfo& info, const Field& f, T value) {
    std::memcpy(reinterpret_cast<char*>(&info) + f.recordOffset, &value, sizeof value);
}

void encodeField(const DeviceInfo& info, const Field& f, uint8_t* block) {
    uint8_t* at = block + f.blockOffset;
    switch (f.kind) {
    case Kind::Int16:
        putUnsigned(at, static_cast<uint16_t>(readMember<int16_t>(info, f)), 2);
        break;
    case Kind::Int32:
        putUnsigned(at, static_cast<uint32_t>(readMember<int32_t>(info, f)), 4);
        break;
    case Kind::UInt32:
        putUnsigned(at, readMember<uint32_t>(info, f), 4);
        break;
    case Kind::Double:
        putUnsigned(at, std::bit_cast<uint64_t>(readMember<double>(info, f)), 8);
        break;
    case Kind::Text: {
        const char* text = reinterpret_cast<const char*>(&info) + f.recordOffset;
        const std::size_t length = strnlen(text, f.width);
        std::memcpy(at, text, length);
        std::memset(at + length, 0, f.width - length);
        break;
    }
    }
}

void decodeField(const uint8_t* block, const Field& f, DeviceInfo& info) {
    const uint8_t* at = block + f.blockOffset;
    switch (f.kind) {
    case Kind::Int16:
        writeMember(info, f, static_cast<int16_t>(getUnsigned(at, 2)));
        break;
    case Kind::Int32:
        writeMember(info, f, static_cast<int32_t>(static_cast<uint32_t>(getUnsigned(at, 4))));
        break;
    case Kind::UInt32:
        writeMember(info, f, static_cast<uint32_t>(getUnsigned(at, 4)));
        break;
    case Kind::Double:
        writeMember(info, f, std::bit_cast<double>(getUnsigned(at, 8)));
        break;
    case Kind::Text: {
        // Space- or NUL-padded in the file; NUL-filled in the record.
        const char* text = reinterpret_cast<const char*>(at);
        std::size_t length = strnlen(text, f.width);
        while (length > 0 && text[length - 1] == ' ')
            --length;
        char* out = reinterpret_cast<char*>(&info) + f.recordOffset;
        std::memcpy(out, text, length);
        std::memset(out + length, 0, f.width - length);
        break;
    }
    }
}

// Output state: the record keeps 0 on, 1 off, 2 no change; the file -1, 0, 2.
constexpr std::array<int16_t, 3> kFileOutputStates = {-1, 0, 2};

} // namespace

} // namespace docio32

using namespace docio32;

extern "C" {

DOCIO32_API int32_t EncodeSetupBlock(const DeviceInfo* info, int32_t interfaceType,
                                     uint8_t* setupBlock) {
    return zw::GuardedExport(-1, [&] {
        if (info == nullptr || setupBlock == nullptr)
            return -1;
        // The decoder tells the two parts of the first word apart by its size,
        // so a model index must fit the low byte.
        if (info->ModelIndex < 0 || info->ModelIndex > 255 || interfaceType < 0 ||
            interfaceType > 127 || info->OutputState < 0 ||
            info->OutputState >= static_cast<int16_t>(kFileOutputStates.size()))
            return -1;
        putUnsigned(setupBlock + kWordOffset,
                    static_cast<uint16_t>(interfaceType * 256 + info->ModelIndex), 2);
        putUnsigned(setupBlock + kOutputStateOffset,
                    static_cast<uint16_t>(kFileOutputStates[info->OutputState]), 2);
        for (const Field& f : kFields)
            encodeField(*info, f, setupBlock);
        return 0;
    });
}

DOCIO32_API int32_t DecodeSetupBlock(const uint8_t* setupBlock, DeviceInfo* info,
                                     int32_t* interfaceType) {
    return zw::GuardedExport(-1, [&] {
        if (setupBlock == nullptr || info == nullptr)
            return -1;
        const auto word = static_cast<int16_t>(getUnsigned(setupBlock + kWordOffset, 2));
        const auto fileState =
            static_cast<int16_t>(getUnsigned(setupBlock + kOutputStateOffset, 2));
        const auto* state =
            std::find(kFileOutputStates.begin(), kFileOutputStates.end(), fileState);
        if (word < 0 || state == kFileOutputStates.end())
            return -1;
        DeviceInfo decoded = *info; // fields outside the block stay as they are
        for (const Field& f : kFields)
            decodeField(setupBlock, f, decoded);
        decoded.OutputState = static_cast<int16_t>(state - kFileOutputStates.begin());
        decoded.ModelIndex = static_cast<int16_t>(word >= 256 ? word & 0xFF : word);
        *info = decoded;
        if (word >= 256 && interfaceType)
            *interfaceType = word / 256;
        return 0;
    });
}

} // extern "C"
