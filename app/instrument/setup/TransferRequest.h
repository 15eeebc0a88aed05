// What a transfer from the setup window works on: a copy of the setting as
// edited at that moment, the model's command scripts, the USB
// identification prefix of the model and the document's samples.
#ifndef ZW_SETUP_TRANSFERREQUEST_H
#define ZW_SETUP_TRANSFERREQUEST_H

#include "CurrentSetting.h"
#include "WaveformTransfer.h"

#include <QByteArray>

#include <cstdint>
#include <span>

namespace zw {

class UsbTmcTable;

// `usbTable` may be null (no table read): the prefix is then empty.
TransferJob MakeTransferJob(const CurrentSetting& setting, const UsbTmcTable* usbTable,
                            std::span<const int16_t> samples);

// The model name as the record keeps it (bytes up to the first NUL, trimmed).
QByteArray RecordModelName(const DeviceInfo& info);

} // namespace zw

#endif // ZW_SETUP_TRANSFERREQUEST_H
