// Filling and changing a DeviceInfo record under a model's limits. The
// functions here trust their arguments: the exported functions check model,
// channel, range and memory-size indices before calling them.
#pragma once

#include "ModelRecords.h"
#include "deviceinfo.h"

#include <cstdint>

namespace modspec32 {

// Number of channels the model offers (1 unless its channel flag is set).
int32_t channelCount(const ModelEntry& model);
// Number of memory sizes the model offers (1 unless its mode is "select").
int32_t memorySizeCount(const ModelEntry& model);
// Bit 0 to 2: GPIB; bit 3: USB.
int32_t interfaceMask(const ModelEntry& model);

// The channel SysGetDeviceInfo keeps: the record's, or 0 when that is not
// below the channel count.
int32_t keptChannel(const ModelEntry& model, const DeviceInfo& info);
// Whether fillDeviceInfo / fillInitDeviceInfo find every list entry they need.
bool canFill(const ModelEntry& model, const DeviceInfo& info);
bool canFillInit(const ModelEntry& model);

void fillDeviceInfo(const ModelEntry& model, DeviceInfo& info);
void fillInitDeviceInfo(const ModelEntry& model, DeviceInfo& info);

bool changeInterface(const ModelEntry& model, int32_t interfaceType, DeviceInfo& info);
void changeMemorySize(const IntParam& size, int32_t index, DeviceInfo& info);
// The channel must have at least one voltage range.
void changeChannel(const ChannelEntry& channel, int32_t index, DeviceInfo& info);
// Selects range `index`, or range 0 when the channel has no such range; the
// channel must have at least one.
void changeRange(const ChannelEntry& channel, int32_t index, DeviceInfo& info);

bool changeFrequency(const ChannelEntry& channel, double frequency, DeviceInfo& info);
bool changeCycle(const ChannelEntry& channel, double cycle, DeviceInfo& info);
bool changeAmplitude(const RangeEntry& range, double amplitude, DeviceInfo& info);
bool changeOffset(const RangeEntry& range, double offset, DeviceInfo& info);

// 1 / value, or 0 when the value is 0.
double reciprocal(double value);

} // namespace modspec32
