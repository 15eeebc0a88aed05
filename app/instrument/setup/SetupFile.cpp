#include "SetupFile.h"

#include "docio32.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace zw {

void TakeSetting(CurrentSetting& setting, const CheckedSetting& checked) {
    setting.info() = checked.info;
    setting.setInterfaceType(checked.interfaceType);
}

int SaveSetupFile(const QString& path, const CurrentSetting& setting) {
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    if (!setting.encode(block.data()))
        return kSetupFileWriteError;
    return SaveSystemFile(QFile::encodeName(path).constData(), block.data()) == 0
               ? 0
               : kSetupFileWriteError;
}

int ReadSetupFile(const QString& path, CurrentSetting& setting) {
    // A shorter file would leave a block of old and new bytes: no setting.
    const QFileInfo file(path);
    if (!file.isFile() || file.size() < DOCIO32_SETUP_BLOCK_SIZE)
        return kSetupFileReadError;
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    if (ReadSystemFile(QFile::encodeName(path).constData(), block.data()) != 0)
        return kSetupFileReadError;
    const auto checked = SettingFromBlock(block, setting.info(), setting.interfaceType());
    if (!checked)
        return kSetupFileReadError;
    TakeSetting(setting, *checked);
    return 0;
}

} // namespace zw
