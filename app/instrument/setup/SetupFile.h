// The system setup file (".ocb"): the 326-byte setup block of the current
// setting and nothing else. Saving packs the setting and replaces the file
// in one step; reading decodes the block into a copy, checks it against the
// loaded models and takes it only when it passes, so a file that fails
// leaves the setting exactly as it was.
#ifndef ZW_SETUP_SETUPFILE_H
#define ZW_SETUP_SETUPFILE_H

#include "CurrentSetting.h"
#include "SetupBlockCheck.h"
#include "deviceinfo.h"

#include <QString>

namespace zw {

// Catalogue messages of the file commands.
inline constexpr int kSetupFileReadError = 71;
inline constexpr int kSetupFileWriteError = 72;

// 0, or kSetupFileWriteError when the setting cannot be packed or the file
// not written (an existing file is then untouched).
int SaveSetupFile(const QString& path, const CurrentSetting& setting);

// 0, or kSetupFileReadError with the setting unchanged: the file cannot be
// read, is not exactly 326 bytes long, or its block does not describe a
// setting of a loaded model.
int ReadSetupFile(const QString& path, CurrentSetting& setting);

// Takes a checked setting into the current one.
void TakeSetting(CurrentSetting& setting, const CheckedSetting& checked);

} // namespace zw

#endif // ZW_SETUP_SETUPFILE_H
