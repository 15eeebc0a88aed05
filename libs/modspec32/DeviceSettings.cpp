#include "DeviceSettings.h"

#include "Condition.h"
#include "ValueConversion.h"

#include <cmath>
#include <cstring>

namespace modspec32 {

namespace {

constexpr int16_t kPeakMode = 1;

// Not-a-number lies within no limits, so it is never accepted.
bool within(double value, double minimum, double maximum) {
    return value >= minimum && value <= maximum;
}

// Above the maximum: the maximum; below the minimum (or not a number): the minimum.
double clampInto(double value, double minimum, double maximum) {
    if (value > maximum) {
        return maximum;
    }
    if (value < minimum || std::isnan(value)) {
        return minimum;
    }
    return value;
}

// In peak mode resolutions follow the peak voltage of the current setting.
double peakOr(double value, const DeviceInfo& info) {
    if (info.XMode == kPeakMode) {
        return std::fabs(info.Offset) + info.Amplitude * 0.5;
    }
    return value;
}

void recomputeReciprocals(DeviceInfo& info) {
    info.Cycle = reciprocal(info.Frequency);
    info.CycleOfFrequencyMin = reciprocal(info.FrequencyMin);
    info.CycleOfFrequencyMax = reciprocal(info.FrequencyMax);
    info.CycleReso = reciprocal(info.FrequencyReso);
}

// Codes span -(max code + 1) / 2 .. max code / 2: -8192..8191 for 14 bits,
// and 0..0 for a mask without data bits.
void setDataCodes(const ModelEntry& model, DeviceInfo& info) {
    const int32_t maxCode = model.maxCode();
    info.MaxCode = maxCode;
    info.DataCodeLow = toInt16(-((int64_t{maxCode} + 1) / 2));
    info.DataCodeHigh = toInt16(maxCode / 2);
    info.DataMask = model.dataBitMask;
}

void setMemoryNumberLimits(const IntParam& size, DeviceInfo& info) {
    info.MemoryNumberMin = toInt16(size.min);
    info.MemoryNumberMax = toInt16(size.max);
}

void clampMemoryNumber(DeviceInfo& info) {
    if (info.MemoryNumber > info.MemoryNumberMax) {
        info.MemoryNumber = info.MemoryNumberMax;
    }
    if (info.MemoryNumber < info.MemoryNumberMin) {
        info.MemoryNumber = info.MemoryNumberMin;
    }
}

void copyOptionText(const IntParam& size, DeviceInfo& info) {
    static_assert(sizeof info.MemoryOption == sizeof(FixedText<64>));
    std::memset(info.MemoryOption, 0, sizeof info.MemoryOption);
    std::memcpy(info.MemoryOption, size.optionText.c_str(), size.optionText.bytesWithTerminator());
}

} // namespace

double reciprocal(double value) {
    return value == 0.0 ? 0.0 : 1.0 / value;
}

int32_t channelCount(const ModelEntry& model) {
    return model.channelFlag != 0 ? static_cast<int32_t>(model.channels.size()) : 1;
}

int32_t memorySizeCount(const ModelEntry& model) {
    return model.memoryMode == kMemorySelect ? static_cast<int32_t>(model.memorySizes.size()) : 1;
}

int32_t interfaceMask(const ModelEntry& model) {
    int32_t mask = 0;
    if (model.gpibAddress.init >= 0) {
        mask |= 0x7;
    }
    if (model.usbId.init >= 0) {
        mask |= 0x8;
    }
    return mask;
}

int32_t keptChannel(const ModelEntry& model, const DeviceInfo& info) {
    return info.ChannelIndex >= 0 && info.ChannelIndex < channelCount(model) ? info.ChannelIndex
                                                                             : 0;
}

bool canFill(const ModelEntry& model, const DeviceInfo& info) {
    if (model.memorySizes.empty() || model.channels.empty()) {
        return false;
    }
    const auto channel = static_cast<std::size_t>(keptChannel(model, info));
    return channel < model.channels.size() && !model.channels[channel].ranges.empty();
}

bool canFillInit(const ModelEntry& model) {
    return !model.memorySizes.empty() && !model.channels.empty() &&
           !model.channels.front().ranges.empty();
}

// Keeps what is still valid of the current setting.
void fillDeviceInfo(const ModelEntry& model, DeviceInfo& info) {
    const IntParam& firstSize = model.memorySizes.front();
    info.ModelIndex = toInt16(model.index);
    info.MemorySizeIndex = 0;
    info.MemorySize = firstSize.size;
    setDataCodes(model, info);
    info.MemoryNameFlag = model.memoryNameFlag;

    info.MemoryNumberSelectable = firstSize.max != firstSize.min ? 1 : 0;
    setMemoryNumberLimits(firstSize, info);
    clampMemoryNumber(info);
    changeMemorySize(firstSize, 0, info);

    info.ChannelFlag = model.channelFlag;
    const int32_t channel = keptChannel(model, info);
    info.OutputState = ZW_OUTPUT_NO_CHANGE;
    changeChannel(model.channels[static_cast<std::size_t>(channel)], channel, info);

    recomputeReciprocals(info);
    info.OffsetSwitchState = 0;
    info.OffsetSwitchAvailable = model.channels.front().offsetSwitch;
}

// Resets to the model's initial values.
void fillInitDeviceInfo(const ModelEntry& model, DeviceInfo& info) {
    info.ModelIndex = toInt16(model.index);
    info.Address = info.AddressMin = info.AddressMax = -1;

    const IntParam& firstSize = model.memorySizes.front();
    info.MemorySizeIndex = 0;
    bool found = false;
    for (std::size_t i = 0; i < model.memorySizes.size() && !found; ++i) {
        if (model.memorySizes[i].size == info.MemorySize) {
            info.MemorySizeIndex = toInt16(static_cast<int64_t>(i));
            found = true;
        }
    }
    if (!found) {
        info.MemorySize = firstSize.size;
    }
    info.MemoryNumberSelectable = firstSize.max != firstSize.min ? 1 : 0;
    setMemoryNumberLimits(firstSize, info);
    copyOptionText(firstSize, info);
    info.MemoryNumber = info.MemoryNumberMin;

    setDataCodes(model, info);
    info.MemoryNameFlag = model.memoryNameFlag;
    info.ChannelFlag = model.channelFlag;
    info.ChannelIndex = toInt16(keptChannel(model, info));
    info.OutputState = ZW_OUTPUT_NO_CHANGE;

    const ChannelEntry& firstChannel = model.channels.front();
    const RealParam& frequency = firstChannel.frequency.first();
    info.FrequencyMin = frequency.min;
    info.FrequencyMax = frequency.max;
    info.FrequencyReso = frequency.resolution;
    info.Frequency = frequency.init;
    recomputeReciprocals(info);

    info.RangeIndex = 0;
    info.XMode = toInt16(firstChannel.xMode);
    const RangeEntry& firstRange = firstChannel.ranges.front();
    const RealParam& amplitude = firstRange.amplitude.first();
    info.AmplitudeMin = amplitude.min;
    info.AmplitudeMax = amplitude.max;
    info.AmplitudeReso = amplitude.resolution;
    info.Amplitude = amplitude.init;
    const RealParam& offset = firstRange.offset.first();
    info.OffsetMin = offset.min;
    info.OffsetMax = offset.max;
    info.OffsetReso = offset.resolution;
    info.Offset = offset.init;

    info.OffsetSwitchState = 0;
}

bool changeInterface(const ModelEntry& model, int32_t interfaceType, DeviceInfo& info) {
    if (interfaceType < 0 || interfaceType > 3) {
        return false;
    }
    const IntParam& block = interfaceType == 3 ? model.usbId : model.gpibAddress;
    if (block.init < 0) {
        return false;
    }
    if (info.Address < block.min || info.Address > block.max) {
        info.Address = toInt16(block.init);
    }
    info.AddressMin = toInt16(block.min);
    info.AddressMax = toInt16(block.max);
    return true;
}

void changeMemorySize(const IntParam& size, int32_t index, DeviceInfo& info) {
    info.MemorySizeIndex = toInt16(index);
    info.MemorySize = size.size;
    setMemoryNumberLimits(size, info);
    clampMemoryNumber(info);
    copyOptionText(size, info);
}

void changeChannel(const ChannelEntry& channel, int32_t index, DeviceInfo& info) {
    info.OffsetSwitchAvailable = channel.offsetSwitch;
    info.XMode = toInt16(channel.xMode);
    info.ChannelIndex = toInt16(index);

    const RealParam& frequency = channel.frequency.first();
    info.FrequencyMin = frequency.min;
    info.FrequencyMax = frequency.max;
    if (!within(info.Frequency, frequency.min, frequency.max)) {
        info.Frequency = frequency.init;
    }
    info.Frequency = clampInto(info.Frequency, frequency.min, frequency.max);
    changeFrequency(channel, info.Frequency, info);
    changeRange(channel, info.RangeIndex, info);
}

void changeRange(const ChannelEntry& channel, int32_t index, DeviceInfo& info) {
    const bool listed = index >= 0 && static_cast<std::size_t>(index) < channel.ranges.size();
    const int32_t used = listed ? index : 0;
    const RangeEntry& range = channel.ranges[static_cast<std::size_t>(used)];

    const RealParam& amplitude = range.amplitude.first();
    info.AmplitudeMin = amplitude.min;
    info.AmplitudeMax = amplitude.max;
    info.Amplitude = clampInto(info.Amplitude, amplitude.min, amplitude.max);
    recomputeReciprocals(info);
    changeAmplitude(range, info.Amplitude, info);

    const RealParam& offset = range.offset.first();
    info.OffsetMin = offset.min;
    info.OffsetMax = offset.max;
    info.Offset = clampInto(info.Offset, offset.min, offset.max);
    changeOffset(range, info.Offset, info);

    info.RangeIndex = toInt16(used);
}

// The cycle fields follow at the next channel or range change.
bool changeFrequency(const ChannelEntry& channel, double frequency, DeviceInfo& info) {
    if (!within(frequency, info.FrequencyMin, info.FrequencyMax)) {
        return false;
    }
    info.FrequencyReso = resolutionFor(channel.frequency.first(), frequency);
    info.Frequency = frequency;
    return true;
}

// A frequency minimum of 0 has no reciprocal, so it sets no upper limit.
bool changeCycle(const ChannelEntry& channel, double cycle, DeviceInfo& info) {
    const bool belowUpper = info.CycleOfFrequencyMin == 0.0 || cycle <= info.CycleOfFrequencyMin;
    if (!std::isfinite(cycle) || cycle < info.CycleOfFrequencyMax || !belowUpper) {
        return false;
    }
    info.Cycle = cycle;
    info.CycleReso = reciprocal(resolutionFor(channel.frequency.first(), reciprocal(cycle)));
    return true;
}

bool changeAmplitude(const RangeEntry& range, double amplitude, DeviceInfo& info) {
    if (!within(amplitude, info.AmplitudeMin, info.AmplitudeMax)) {
        return false;
    }
    info.AmplitudeReso = resolutionFor(range.amplitude.first(), peakOr(amplitude, info));
    info.Amplitude = amplitude;
    return true;
}

bool changeOffset(const RangeEntry& range, double offset, DeviceInfo& info) {
    if (!within(offset, info.OffsetMin, info.OffsetMax)) {
        return false;
    }
    info.OffsetReso = resolutionFor(range.offset.first(), peakOr(offset, info));
    info.Offset = offset;
    return true;
}

} // namespace modspec32
