#include "TransferRequest.h"

#include "ScriptTables.h"
#include "UsbTmcTable.h"
#include "modspec32.h"

#include <cstring>

namespace zw {

QByteArray RecordModelName(const DeviceInfo& info) {
    return QByteArray(info.ModelName,
                      static_cast<qsizetype>(strnlen(info.ModelName, sizeof info.ModelName)))
        .trimmed();
}

TransferJob MakeTransferJob(const CurrentSetting& setting, const UsbTmcTable* usbTable,
                            std::span<const int16_t> samples) {
    TransferJob job;
    job.setting = setting.info();
    job.scripts = LoadScriptTables(&SysGetGPIBInfo, setting.info().ModelIndex);
    job.interfaceType = setting.interfaceType();
    job.serialNumber = setting.serialNumber().toStdString();
    if (usbTable)
        job.usbIdPrefix = usbTable->lookup(RecordModelName(setting.info())).toStdString();
    job.samples = samples.first(std::min<std::size_t>(
        samples.size(), static_cast<std::size_t>(std::max(0, setting.info().MemorySize))));
    return job;
}

} // namespace zw
