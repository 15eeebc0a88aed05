// The in-memory form of the model definition files: one ModelEntry per
// model, built by the parser and read by the device information operations.
#pragma once

#include "FixedText.h"

#include <array>
#include <cstdint>
#include <vector>

namespace modspec32 {

// An integer parameter block (usb_id, gpib_address, memorysize).
struct IntParam {
    FixedText<32> text;
    int32_t value = 0;
    int32_t size = 0;
    int32_t min = 0;
    int32_t max = 0;
    int32_t init = 0;
    int32_t resolution = 0;
    FixedText<64> optionText;
};

struct ResolutionCondition {
    FixedText<128> condition;
    double resolution = 0.0;
};

struct ConditionWarning {
    FixedText<128> condition;
    FixedText<512> warningJapanese;
    FixedText<512> warningEnglish;
};

// A real parameter block (frequency, amplitude, offset).
struct RealParam {
    double min = 0.0;
    double max = 0.0;
    double init = 0.0;
    double resolution = 0.0; // used when no condition holds
    std::vector<ResolutionCondition> conditions;
    std::vector<ConditionWarning> warnings;
};

// A parent keeps every block of one name in file order but only the first
// counts; a parent that has none reads as a block of zeros.
class RealParamChain {
public:
    RealParam& append() { return blocks_.emplace_back(); }
    const RealParam& first() const { return blocks_.empty() ? zeroBlock() : blocks_.front(); }

private:
    static const RealParam& zeroBlock() {
        static const RealParam zero;
        return zero;
    }
    std::vector<RealParam> blocks_;
};

struct RangeEntry {
    FixedText<32> name;
    RealParamChain amplitude;
    RealParamChain offset;
};

struct ChannelEntry {
    FixedText<32> name;
    RealParamChain frequency;
    int16_t offsetSwitch = 0;
    int32_t xMode = 0; // 1: peak mode
    std::vector<RangeEntry> ranges;
};

inline constexpr std::size_t kScriptKeyBytes = 8;
inline constexpr std::size_t kScriptCommandBytes = 64;
inline constexpr std::size_t kScriptMaxEntries = 50;

struct ScriptEntry {
    FixedSlot<kScriptKeyBytes> key;
    FixedSlot<kScriptCommandBytes> command; // stored with its enclosing double quotes
};

struct CommandScript {
    std::vector<ScriptEntry> entries; // at most kScriptMaxEntries
};

// The four scripts in the order the interface numbers them.
enum ScriptIndex : std::size_t {
    kScriptInit = 0,
    kScriptEnd = 1,
    kScriptSystemTransfer = 2,
    kScriptWaveTransfer = 3,
    kScriptCount = 4
};

enum MemoryMode : int32_t {
    kMemoryNone = 0,
    kMemoryFix = 1,
    kMemorySelect = 2,
    kMemoryVariable = 3
};

struct ModelEntry {
    ModelEntry() {
        // An interface the file does not describe stays unavailable.
        usbId.min = usbId.max = usbId.init = -1;
        gpibAddress.min = gpibAddress.max = gpibAddress.init = -1;
    }

    int32_t index = 0;
    FixedText<128> name;
    FixedText<32> shortName;
    int16_t slotFlag = 0;
    IntParam usbId;
    IntParam gpibAddress;
    int16_t memoryNameFlag = 0;
    int32_t memoryMode = kMemoryNone;
    std::vector<IntParam> memorySizes;
    uint32_t dataBitMask = 0;
    uint32_t spBitMask = 0;
    int16_t channelFlag = 0;
    std::vector<ChannelEntry> channels;
    std::array<CommandScript, kScriptCount> scripts;
    int32_t statusBit = 0;

    // 2 to the number of data bits among the low 16 bits of the mask, minus 1.
    int32_t maxCode() const {
        int bits = 0;
        for (uint32_t mask = dataBitMask & 0xFFFFu; mask != 0; mask &= mask - 1) {
            ++bits;
        }
        return (int32_t{1} << bits) - 1;
    }
};

} // namespace modspec32
