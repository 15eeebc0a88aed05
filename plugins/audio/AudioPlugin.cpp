// The audio import plug-in: the first channel of a WAV, FLAC, Ogg or AIFF
// file, frame by frame, as 16-bit codes by libsndfile's own conversion, so
// 24- and 32-bit samples keep their upper 16 bits and compressed formats
// come out at full scale. Floating-point samples are the exception: the
// library would round them to -1, 0 or 1, so they are read as they are and
// +-1.0 (full scale in every audio program) becomes +-32767.
#include "PluginDoor.h"
#include "importplugin.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

struct ZwImportReader {
    SNDFILE* file = nullptr;
    int channels = 1;
    sf_count_t frames = 0;
    bool floating = false;
    std::vector<short> interleaved;
    std::vector<float> interleavedFloat;

    ~ZwImportReader() {
        if (file)
            sf_close(file);
    }
};

namespace {

// Frames read from the library at a time: bounds the scratch of a file
// with many channels whatever block the host asks for.
constexpr sf_count_t kFramesAtOnce = 4096;

int32_t Open(const char* path, ZwImportReader** reader, int64_t* sampleCount,
             int64_t* startOffset) {
    return zw::plugins::Guarded([&]() -> int32_t {
        if (!path || !reader || !sampleCount || !startOffset)
            return ZW_IMPORT_BAD_ARGUMENT;
        auto made = std::make_unique<ZwImportReader>();
        SF_INFO info{};
        made->file = sf_open(path, SFM_READ, &info);
        if (!made->file)
            return sf_error(nullptr) == SF_ERR_SYSTEM ? ZW_IMPORT_CANNOT_OPEN
                                                      : ZW_IMPORT_BAD_FORMAT;
        // A length the library cannot tell (a stream) is no file to import.
        if (info.channels < 1 || info.frames < 0 || info.frames == SF_COUNT_MAX)
            return ZW_IMPORT_BAD_FORMAT;
        if (info.frames == 0)
            return ZW_IMPORT_NO_SAMPLES;
        made->channels = info.channels;
        made->frames = info.frames;
        const int subformat = info.format & SF_FORMAT_SUBMASK;
        made->floating = subformat == SF_FORMAT_FLOAT || subformat == SF_FORMAT_DOUBLE;
        const auto scratch = static_cast<std::size_t>(kFramesAtOnce * info.channels);
        if (made->floating)
            made->interleavedFloat.resize(scratch);
        else
            made->interleaved.resize(scratch);
        *sampleCount = info.frames;
        *startOffset = 0;
        *reader = made.release();
        return ZW_IMPORT_OK;
    });
}

int32_t Seek(ZwImportReader* reader, int64_t sample) {
    if (!reader || sample < 0 || sample > reader->frames)
        return ZW_IMPORT_BAD_ARGUMENT;
    return sf_seek(reader->file, sample, SEEK_SET) == sample ? ZW_IMPORT_OK
                                                             : ZW_IMPORT_BAD_ARGUMENT;
}

int16_t FloatCode(float value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int16_t>(std::lrint(std::clamp(value * 32767.0f, -32767.0f, 32767.0f)));
}

// Up to `wanted` frames of the first channel into `codes`; the frames read.
sf_count_t ReadFrames(ZwImportReader* reader, int16_t* codes, sf_count_t wanted) {
    const auto stride = static_cast<std::size_t>(reader->channels);
    if (reader->floating) {
        const sf_count_t got =
            sf_readf_float(reader->file, reader->interleavedFloat.data(), wanted);
        for (sf_count_t frame = 0; frame < got; ++frame)
            codes[frame] =
                FloatCode(reader->interleavedFloat[static_cast<std::size_t>(frame) * stride]);
        return got;
    }
    const sf_count_t got = sf_readf_short(reader->file, reader->interleaved.data(), wanted);
    for (sf_count_t frame = 0; frame < got; ++frame)
        codes[frame] = reader->interleaved[static_cast<std::size_t>(frame) * stride];
    return got;
}

int32_t Read(ZwImportReader* reader, int16_t* codes, int32_t capacity, int32_t* delivered) {
    if (!delivered)
        return ZW_IMPORT_BAD_ARGUMENT;
    *delivered = 0;
    if (!reader || capacity < 0 || (!codes && capacity > 0))
        return ZW_IMPORT_BAD_ARGUMENT;
    int32_t stored = 0;
    while (stored < capacity) {
        const sf_count_t wanted = std::min<sf_count_t>(kFramesAtOnce, capacity - stored);
        const sf_count_t got = ReadFrames(reader, codes + stored, wanted);
        stored += static_cast<int32_t>(got);
        // Fewer frames than asked: the end, or a file cut short.
        if (got < wanted)
            break;
    }
    *delivered = stored;
    return ZW_IMPORT_OK;
}

void Close(ZwImportReader* reader) {
    const std::unique_ptr<ZwImportReader> owned(reader);
}

constexpr const char* kTypes[] = {"wav", "flac", "ogg", "aif", "aiff", nullptr};

constexpr ZwImportPlugin kPlugin = {
    ZW_IMPORT_PLUGIN_VERSION, "Audio", kTypes, Open, Seek, Read, Close,
};

} // namespace

extern "C" ZW_IMPORT_PLUGIN_EXPORT const ZwImportPlugin* ZwImportPluginEntry(void) {
    return &kPlugin;
}
