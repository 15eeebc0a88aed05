// The current instrument setting: the DeviceInfo record the model database
// fills and changes under the model's limits, the interface type and the
// instrument's serial number, and the lists of the loaded models (names,
// memory sizes, channels, voltage ranges). The system setup window shows and
// edits it; the wave files carry it in their setup block. "Applying" the
// setting gives the document its used length (the memory size).
#ifndef ZW_SHELL_CURRENTSETTING_H
#define ZW_SHELL_CURRENTSETTING_H

#include "deviceinfo.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zw {

struct ModelLists {
    QString name;
    QStringList memorySizes;
    QStringList channels;
    std::vector<QStringList> ranges; // per channel
};

// The values the settings store keeps for the setting between runs.
struct StoredSetting {
    int sysNo = 0;         // "Sysinfo" / "sys_no"
    int gpibAddress = 0;   // "Sysinfo" / "Gpib_Address"
    int memoryWidthNo = 0; // "Sysinfo" / "memory_width_no"
    int interfaceType = 3; // "System" / "GpibBoard"
    QString serialNumber;  // "System" / "SerialNum"
};

class CurrentSetting {
public:
    CurrentSetting();

    // Reads the model database's lists (after it was initialised).
    void loadModelLists();
    const std::vector<ModelLists>& models() const { return models_; }

    // Selects the stored model and memory size (an index at or beyond its
    // list becomes 0) and the stored address when the interface admits it.
    // False when no model is loaded.
    bool restore(const StoredSetting& stored);
    StoredSetting stored() const;

    // Selects a model, keeping what is still valid for it.
    bool selectModel(int model);
    // Selects a memory size of the current model.
    bool selectMemorySize(int index);

    // Takes a setting read from a setup block: the model it names is
    // selected again and the block's memory size, channel and range are kept
    // where the model has them; units and names come from the block. False,
    // with nothing changed, when the block names no loaded model.
    bool takeFromBlock(const DeviceInfo& decoded, int interfaceType);

    // The 326-byte setup block of the setting (false for a record the codec
    // refuses).
    bool encode(uint8_t* block) const;

    // The used length of a document under this setting.
    long waveLength() const;

    const DeviceInfo& info() const { return info_; }
    DeviceInfo& info() { return info_; }
    int interfaceType() const { return interfaceType_; }
    void setInterfaceType(int type) { interfaceType_ = type; }
    const QString& serialNumber() const { return serialNumber_; }
    void setSerialNumber(const QString& s) { serialNumber_ = s; }

    // The model name as listed, the memory size as shown.
    QString modelName() const;

private:
    void setDefaultUnits();
    void storeModelName(int model);

    DeviceInfo info_{};
    int interfaceType_ = 3;
    QString serialNumber_;
    std::vector<ModelLists> models_;
};

} // namespace zw

#endif // ZW_SHELL_CURRENTSETTING_H
