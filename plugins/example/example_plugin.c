/* An example import plug-in: a file of raw signed 16-bit little-endian
 * sample codes. Copy it to start a plug-in of your own (plugins/README.md). */
#include "importplugin.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/types.h>

struct ZwImportReader {
    FILE* file;
    int64_t samples;
};

static int32_t Open(const char* path, ZwImportReader** reader, int64_t* count, int64_t* offset) {
    FILE* file = fopen(path, "rb");
    if (!file)
        return ZW_IMPORT_CANNOT_OPEN;
    const off_t bytes = fseeko(file, 0, SEEK_END) == 0 ? ftello(file) : -1;
    ZwImportReader* made = NULL;
    if (bytes < 2 || fseeko(file, 0, SEEK_SET) != 0 || !(made = malloc(sizeof *made))) {
        fclose(file);
        return bytes < 2 ? ZW_IMPORT_NO_SAMPLES : ZW_IMPORT_NO_MEMORY;
    }
    made->file = file;
    made->samples = bytes / 2;
    *reader = made;
    *count = made->samples;
    *offset = 0;
    return ZW_IMPORT_OK;
}

static int32_t Seek(ZwImportReader* reader, int64_t sample) {
    if (sample < 0 || sample > reader->samples || fseeko(reader->file, sample * 2, SEEK_SET) != 0)
        return ZW_IMPORT_BAD_ARGUMENT;
    return ZW_IMPORT_OK;
}

static int32_t Read(ZwImportReader* reader, int16_t* codes, int32_t capacity, int32_t* delivered) {
    unsigned char bytes[2];
    int32_t n = 0;
    while (n < capacity && fread(bytes, 1, 2, reader->file) == 2)
        codes[n++] = (int16_t)(uint16_t)(bytes[0] | bytes[1] << 8);
    *delivered = n;
    return ZW_IMPORT_OK;
}

static void Close(ZwImportReader* reader) {
    fclose(reader->file);
    free(reader);
}

static const char* const kTypes[] = {"raw", NULL};
static const ZwImportPlugin kPlugin = {
    ZW_IMPORT_PLUGIN_VERSION, "Raw 16-bit codes", kTypes, Open, Seek, Read, Close};

ZW_IMPORT_PLUGIN_EXPORT const ZwImportPlugin* ZwImportPluginEntry(void) {
    return &kPlugin;
}
