#include "WaveFileCommands.h"

#include "CurrentSetting.h"
#include "DocumentNames.h"
#include "WaveDocument.h"
#include "WaveFileNames.h"
#include "docio32.h"
#include "sigcore32.h"

#include "TextCodec.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <array>

namespace zw {

namespace {

constexpr int kInvalidExtension = 7;
constexpr int kFileReadError = 71;
constexpr int kFileWriteError = 72;

// A wave memory of its own for the time of one read.
class ScratchMemory {
public:
    ScratchMemory() : handle_(W_AllocMemory(WaveDocument::kMemorySamples)) {}
    ~ScratchMemory() {
        if (handle_)
            W_FreeMemory(handle_);
    }
    ScratchMemory(const ScratchMemory&) = delete;
    ScratchMemory& operator=(const ScratchMemory&) = delete;
    ZwMemHandle get() const { return handle_; }

private:
    ZwMemHandle handle_;
};

} // namespace

int WaveFileCommands::failed(int message) {
    // The libraries leave the system's error in errno when a file could not
    // be opened, read or written; a format fault leaves it 0.
    const int error = errno;
    failureReason_ = error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QString();
    return message;
}

int WaveFileCommands::open(const QString& path) {
    failureReason_.clear();
    errno = 0;
    // The libraries get the name's own bytes, whatever their encoding.
    const QByteArray native = NativeWavePath(path);
    int result = kInvalidExtension;
    switch (WaveFileKindOf(path)) {
    case WaveFileKind::Binary:
        result = openBinary(native);
        break;
    case WaveFileKind::Text:
        result = openText(native);
        break;
    case WaveFileKind::Unknown:
        return kInvalidExtension;
    }
    if (result != 0)
        return failed(kFileReadError);
    names_.setFromWavePath(FileNameFromNative(native));
    return 0;
}

int WaveFileCommands::openBinary(const QByteArray& path) {
    // A file too short to hold its setup block is no wave file: reading it
    // would leave a setting made of the block's old and new bytes.
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size < DOCIO32_SETUP_BLOCK_SIZE)
        return kFileReadError;
    // Read into scratch, so that a file that fails at any step leaves the
    // document and the setting as they were. A short file keeps the
    // document's samples beyond its end, as reading in place would.
    ScratchMemory scratch;
    if (!scratch.get())
        return kFileReadError;
    W_CopyMemory(document_.current(), scratch.get(), 0, 0, WaveDocument::kMemorySamples);
    std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
    if (Read8832File(path.constData(), block.data(), scratch.get()) != 0)
        return kFileReadError;
    DeviceInfo decoded = setting_.info();
    int32_t interfaceType = setting_.interfaceType();
    if (DecodeSetupBlock(block.data(), &decoded, &interfaceType) != 0)
        return kFileReadError;
    if (!setting_.takeFromBlock(decoded, interfaceType))
        return kFileReadError;
    // The used length first: growing it clears the samples beyond the old
    // length, which must not touch the samples just read.
    document_.resetUndo();
    document_.setWaveLength(setting_.waveLength());
    W_CopyMemory(scratch.get(), document_.current(), 0, 0, WaveDocument::kMemorySamples);
    return 0;
}

int WaveFileCommands::openText(const QByteArray& path) {
    document_.backup();
    return LoadWaveData(path.constData(), document_.current(), 0,
                        static_cast<int32_t>(document_.WaveLength()));
}

int WaveFileCommands::save(const QString& path) {
    failureReason_.clear();
    // The setting's memory size as chosen now.
    setting_.selectMemorySize(setting_.info().MemorySizeIndex);
    const QByteArray file = NativeWavePath(path);
    int32_t result = 0;
    switch (WaveFileKindOf(path)) {
    case WaveFileKind::Binary: {
        std::array<uint8_t, DOCIO32_SETUP_BLOCK_SIZE> block{};
        if (!setting_.encode(block.data()))
            return kFileWriteError;
        errno = 0;
        result = Save8832File(file.constData(), block.data(), document_.current());
        break;
    }
    case WaveFileKind::Text:
        errno = 0;
        result = SaveWaveData(file.constData(), document_.current(), 0,
                              static_cast<int32_t>(document_.WaveLength()));
        break;
    case WaveFileKind::Unknown:
        return kInvalidExtension;
    }
    if (result != 0)
        return failed(kFileWriteError);
    names_.setFromWavePath(FileNameFromNative(file));
    return 0;
}

} // namespace zw
