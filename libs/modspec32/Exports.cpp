// The exported C interface: checks every index and pointer at the door, then
// works on trusted entries. A change is made on a copy of the record and
// written back only when it is complete, so a refused call touches nothing.
#include "modspec32.h"

#include "Condition.h"
#include "DeviceSettings.h"
#include "ModelDatabase.h"
#include "zwplatform.hpp"

#include <cstddef>
#include <cstring>

using namespace modspec32;

namespace {

// The library's part of the record: the editor's copy continues with two
// unit names that the library neither reads nor writes.
constexpr std::size_t kLibraryPart = offsetof(DeviceInfo, XUnitName);

static_assert(kScriptKeyBytes == SYS_SCRIPT_KEY_BYTES &&
              kScriptCommandBytes == SYS_SCRIPT_COMMAND_BYTES &&
              kScriptMaxEntries == SYS_SCRIPT_MAX_ENTRIES &&
              SYS_SCRIPT_COMMAND_OFFSET == SYS_SCRIPT_KEY_BYTES * SYS_SCRIPT_MAX_ENTRIES &&
              SYS_SCRIPT_BUFFER ==
                  SYS_SCRIPT_COMMAND_OFFSET + SYS_SCRIPT_COMMAND_BYTES * SYS_SCRIPT_MAX_ENTRIES);

template <class Change> int32_t changeRecord(DeviceInfo* info, Change&& change) {
    if (info == nullptr) {
        return 0;
    }
    DeviceInfo work{};
    std::memcpy(&work, info, kLibraryPart);
    if (!change(work)) {
        return 0;
    }
    std::memcpy(info, &work, kLibraryPart);
    return 1;
}

template <class T> const T* entryAt(const std::vector<T>& list, int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
        return nullptr;
    }
    return &list[static_cast<std::size_t>(index)];
}

const ModelEntry* findModel(int32_t model) {
    return modelDatabase().model(model);
}

const ChannelEntry* findChannel(int32_t model, int32_t channel) {
    const ModelEntry* entry = findModel(model);
    return entry ? entryAt(entry->channels, channel) : nullptr;
}

const RangeEntry* findRange(int32_t model, int32_t channel, int32_t range) {
    const ChannelEntry* entry = findChannel(model, channel);
    return entry ? entryAt(entry->ranges, range) : nullptr;
}

// A name copy for an existing parent: 1, copying nothing past the list.
template <std::size_t N> int32_t copyName(const FixedText<N>* text, char* out) {
    static_assert(N <= SYS_NAME_BUFFER);
    if (text != nullptr) {
        copyBounded(text->view(), out, SYS_NAME_BUFFER);
    }
    return 1;
}

} // namespace

extern "C" {

MODSPEC32_API int32_t SysInitDeviceInfo(void) {
    return zw::GuardedExport(SYS_ERR_MEMORY, [] { return modelDatabase().load("."); });
}

MODSPEC32_API int32_t SysFinishDeviceInfo(void) {
    return 0;
}

MODSPEC32_API int32_t SysGetSysErrorLineNo(void) {
    return modelDatabase().lastLoad().lineNumber;
}

MODSPEC32_API int32_t SysGetSysErrorFileName(char* name) {
    return zw::GuardedExport(0, [&] {
        const std::string& fileName = modelDatabase().lastLoad().fileName;
        return static_cast<int32_t>(copyBounded(fileName, name, SYS_FILENAME_BUFFER));
    });
}

MODSPEC32_API int32_t SysGetDeviceCnt(void) {
    return modelDatabase().count();
}

MODSPEC32_API int32_t SysGetDeviceName(int32_t model, char* name) {
    return zw::GuardedExport(0, [&] {
        if (const ModelEntry* entry = findModel(model)) {
            copyName(&entry->shortName, name);
        }
        return 0;
    });
}

MODSPEC32_API int32_t SysGetDeviceInfo(int32_t model, DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        if (entry == nullptr) {
            return 0;
        }
        return changeRecord(info, [entry](DeviceInfo& work) {
            if (!canFill(*entry, work)) {
                return false;
            }
            fillDeviceInfo(*entry, work);
            return true;
        });
    });
}

MODSPEC32_API int32_t SysGetInitDeviceInfo(int32_t model, DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        if (entry == nullptr || !canFillInit(*entry)) {
            return 0;
        }
        return changeRecord(info, [entry](DeviceInfo& work) {
            fillInitDeviceInfo(*entry, work);
            return true;
        });
    });
}

MODSPEC32_API int32_t SysGetInterfaceInfo(int32_t model) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        return entry ? interfaceMask(*entry) : 0;
    });
}

MODSPEC32_API int32_t SysChangeInterface(int32_t model, int32_t interfaceType, DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        if (entry == nullptr) {
            return 0;
        }
        return changeRecord(
            info, [&](DeviceInfo& work) { return changeInterface(*entry, interfaceType, work); });
    });
}

MODSPEC32_API int32_t SysGetMemorySizeCnt(int32_t model) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        return entry ? memorySizeCount(*entry) : 0;
    });
}

MODSPEC32_API int32_t SysGetMemorySizeName(int32_t model, int32_t index, char* name) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        if (entry == nullptr || name == nullptr) {
            return 0;
        }
        const IntParam* size = entryAt(entry->memorySizes, index);
        return copyName(size ? &size->text : nullptr, name);
    });
}

MODSPEC32_API int32_t SysChangeMemorySize(int32_t model, int32_t index, DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        const IntParam* size = entry ? entryAt(entry->memorySizes, index) : nullptr;
        if (size == nullptr) {
            return 0;
        }
        return changeRecord(info, [&](DeviceInfo& work) {
            changeMemorySize(*size, index, work);
            return true;
        });
    });
}

MODSPEC32_API int32_t SysGetChannelCnt(int32_t model) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        return entry ? channelCount(*entry) : 0;
    });
}

MODSPEC32_API int32_t SysGetChannelName(int32_t model, int32_t index, char* name) {
    return zw::GuardedExport(0, [&] {
        const ModelEntry* entry = findModel(model);
        if (entry == nullptr || name == nullptr) {
            return 0;
        }
        const ChannelEntry* channel = entryAt(entry->channels, index);
        return copyName(channel ? &channel->name : nullptr, name);
    });
}

MODSPEC32_API int32_t SysChangeChannel(int32_t model, int32_t channel, DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        if (entry == nullptr || entry->ranges.empty()) {
            return 0;
        }
        return changeRecord(info, [&](DeviceInfo& work) {
            changeChannel(*entry, channel, work);
            return true;
        });
    });
}

MODSPEC32_API int32_t SysGetRangeCnt(int32_t model, int32_t channel) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        return entry ? static_cast<int32_t>(entry->ranges.size()) : 0;
    });
}

MODSPEC32_API int32_t SysGetRangeName(int32_t model, int32_t channel, int32_t index, char* name) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        if (entry == nullptr || name == nullptr) {
            return 0;
        }
        const RangeEntry* range = entryAt(entry->ranges, index);
        return copyName(range ? &range->name : nullptr, name);
    });
}

MODSPEC32_API int32_t SysChangeRange(int32_t model, int32_t channel, int32_t range,
                                     DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        if (entry == nullptr || entry->ranges.empty()) {
            return 0;
        }
        return changeRecord(info, [&](DeviceInfo& work) {
            changeRange(*entry, range, work);
            return true;
        });
    });
}

MODSPEC32_API int32_t SysCheckFrequency(int32_t model, int32_t channel, int32_t language,
                                        double frequency, char* text) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        if (entry == nullptr || text == nullptr) {
            return 0;
        }
        const ConditionWarning* warning = warningFor(entry->frequency.first(), frequency);
        if (warning == nullptr) {
            return 0;
        }
        const auto& chosen = language != 0 ? warning->warningEnglish : warning->warningJapanese;
        copyBounded(chosen.view(), text, SYS_WARNING_BUFFER);
        return 1;
    });
}

MODSPEC32_API int32_t SysChangeFrequency(int32_t model, int32_t channel, double frequency,
                                         DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        if (entry == nullptr) {
            return 0;
        }
        return changeRecord(
            info, [&](DeviceInfo& work) { return changeFrequency(*entry, frequency, work); });
    });
}

MODSPEC32_API int32_t SysChangeCycle(int32_t model, int32_t channel, int32_t range, double cycle,
                                     DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const ChannelEntry* entry = findChannel(model, channel);
        if (entry == nullptr || findRange(model, channel, range) == nullptr) {
            return 0;
        }
        return changeRecord(info,
                            [&](DeviceInfo& work) { return changeCycle(*entry, cycle, work); });
    });
}

MODSPEC32_API int32_t SysChangeAmplitude(int32_t model, int32_t channel, int32_t range,
                                         double amplitude, DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const RangeEntry* entry = findRange(model, channel, range);
        if (entry == nullptr) {
            return 0;
        }
        return changeRecord(
            info, [&](DeviceInfo& work) { return changeAmplitude(*entry, amplitude, work); });
    });
}

MODSPEC32_API int32_t SysChangeOffset(int32_t model, int32_t channel, int32_t range, double offset,
                                      DeviceInfo* info) {
    return zw::GuardedExport(0, [&] {
        const RangeEntry* entry = findRange(model, channel, range);
        if (entry == nullptr) {
            return 0;
        }
        return changeRecord(info,
                            [&](DeviceInfo& work) { return changeOffset(*entry, offset, work); });
    });
}

MODSPEC32_API int32_t SysGetGPIBInfo(int32_t model, int32_t script, char* buffer) {
    return zw::GuardedExport(-1, [&] {
        const ModelEntry* entry = findModel(model);
        if (entry == nullptr || buffer == nullptr || script < 0 ||
            static_cast<std::size_t>(script) >= kScriptCount) {
            return -1;
        }
        const CommandScript& chosen = entry->scripts[static_cast<std::size_t>(script)];
        for (std::size_t i = 0; i < chosen.entries.size(); ++i) {
            const ScriptEntry& slot = chosen.entries[i];
            std::memcpy(buffer + SYS_SCRIPT_KEY_OFFSET + kScriptKeyBytes * i,
                        slot.key.bytes().data(), kScriptKeyBytes);
            std::memcpy(buffer + SYS_SCRIPT_COMMAND_OFFSET + kScriptCommandBytes * i,
                        slot.command.bytes().data(), kScriptCommandBytes);
        }
        return static_cast<int32_t>(chosen.entries.size());
    });
}

} // extern "C"
