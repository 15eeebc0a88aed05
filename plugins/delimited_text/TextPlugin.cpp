// The delimited-text import plug-in: one column of numbers from a CSV, TSV,
// TXT or PRN file (DelimitedText.h), read whole when the file is opened.
#include "DelimitedText.h"
#include "PluginDoor.h"
#include "importplugin.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

struct ZwImportReader {
    std::vector<int16_t> codes;
    std::size_t position = 0;
};

namespace {

// A text file beyond this is no column export; it would only fill memory.
constexpr off_t kLargestFile = 64L * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, or the ZW_IMPORT_ result why not.
int32_t ReadWholeFile(const char* path, std::string& bytes) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    struct stat status {};
    if (!file || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode))
        return ZW_IMPORT_CANNOT_OPEN;
    const off_t size = status.st_size;
    if (size > kLargestFile)
        return ZW_IMPORT_TOO_LARGE;
    bytes.resize(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return ZW_IMPORT_CANNOT_OPEN;
    return ZW_IMPORT_OK;
}

int32_t Open(const char* path, ZwImportReader** reader, int64_t* sampleCount,
             int64_t* startOffset) {
    return zw::plugins::Guarded([&]() -> int32_t {
        if (!path || !reader || !sampleCount || !startOffset)
            return ZW_IMPORT_BAD_ARGUMENT;
        std::string bytes;
        if (const int32_t result = ReadWholeFile(path, bytes); result != ZW_IMPORT_OK)
            return result;
        zw::textimport::ColumnCodes column = zw::textimport::ReadColumnCodes(bytes);
        if (column.result != ZW_IMPORT_OK)
            return column.result;
        auto made = std::make_unique<ZwImportReader>();
        made->codes = std::move(column.codes);
        *sampleCount = static_cast<int64_t>(made->codes.size());
        *startOffset = 0;
        *reader = made.release();
        return ZW_IMPORT_OK;
    });
}

int32_t Seek(ZwImportReader* reader, int64_t sample) {
    if (!reader || sample < 0 || static_cast<uint64_t>(sample) > reader->codes.size())
        return ZW_IMPORT_BAD_ARGUMENT;
    reader->position = static_cast<std::size_t>(sample);
    return ZW_IMPORT_OK;
}

int32_t Read(ZwImportReader* reader, int16_t* codes, int32_t capacity, int32_t* delivered) {
    if (!delivered)
        return ZW_IMPORT_BAD_ARGUMENT;
    *delivered = 0;
    if (!reader || capacity < 0 || (!codes && capacity > 0))
        return ZW_IMPORT_BAD_ARGUMENT;
    const std::size_t count =
        std::min(static_cast<std::size_t>(capacity), reader->codes.size() - reader->position);
    std::copy_n(reader->codes.begin() + static_cast<std::ptrdiff_t>(reader->position), count,
                codes);
    reader->position += count;
    *delivered = static_cast<int32_t>(count);
    return ZW_IMPORT_OK;
}

void Close(ZwImportReader* reader) {
    const std::unique_ptr<ZwImportReader> owned(reader);
}

constexpr const char* kTypes[] = {"csv", "tsv", "txt", "prn", nullptr};

constexpr ZwImportPlugin kPlugin = {
    ZW_IMPORT_PLUGIN_VERSION, "Delimited text", kTypes, Open, Seek, Read, Close,
};

} // namespace

extern "C" ZW_IMPORT_PLUGIN_EXPORT const ZwImportPlugin* ZwImportPluginEntry(void) {
    return &kPlugin;
}
