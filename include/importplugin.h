/*
 * The import plug-in interface, version 1: what a plug-in for File > Import
 * exports. A plug-in is a shared library (name ending in ".so") in the folder
 * "PlugIn" beside the program; it reads one kind of foreign file as signed
 * 16-bit sample codes. The host library (importhost.h) loads every plug-in of
 * that folder in name order, and the editor reads through it.
 *
 * A plug-in exports one function, ZwImportPluginEntry, which returns its
 * table: a version, a name, the file types it reads and four functions. The
 * host checks the table once, when it loads the plug-in; a plug-in without
 * the entry, with another version or with an incomplete table is passed over.
 *
 * Ownership: the table and every text it points to are the plug-in's and must
 * stay valid and unchanged while the plug-in is loaded (static data). A reader
 * is made by open and belongs to the plug-in; the host passes it back
 * unchanged and calls close exactly once for every reader that open made,
 * before the plug-in is unloaded. The code buffer of read belongs to the
 * caller. Texts are NUL-terminated UTF-8.
 *
 * Rules: the functions are called from one thread at a time; they never
 * print, never show anything, never end the process, and let no C++
 * exception out. Failure is a ZW_IMPORT_ result.
 */
#ifndef ZW_IMPORTPLUGIN_H
#define ZW_IMPORTPLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The version of this interface. A table whose version differs is refused. */
#define ZW_IMPORT_PLUGIN_VERSION 1

/* A plug-in's name is shown in the file dialog's filter: at most
 * ZW_IMPORT_NAME_MAX bytes are used. A file type is an extension without
 * the dot, of 1 to ZW_IMPORT_TYPE_MAX letters and digits, matched without
 * regard to case; a plug-in reads 1 to ZW_IMPORT_TYPES_MAX types. */
#define ZW_IMPORT_NAME_MAX 63
#define ZW_IMPORT_TYPE_MAX 7
#define ZW_IMPORT_TYPES_MAX 16

/* The results of the plug-in's functions. */
enum ZwImportResult {
    ZW_IMPORT_OK = 0,
    ZW_IMPORT_CANNOT_OPEN = 1, /* the file cannot be opened or read */
    ZW_IMPORT_BAD_FORMAT = 2,  /* not a file of this kind, or a damaged one */
    ZW_IMPORT_NO_SAMPLES = 3,  /* a file of this kind that holds no sample */
    ZW_IMPORT_TOO_LARGE = 4,   /* larger than the plug-in can take */
    ZW_IMPORT_NO_MEMORY = 5,   /* the plug-in ran out of memory */
    ZW_IMPORT_BAD_ARGUMENT = 6 /* a NULL pointer, a position outside the file */
};

/* One open file, made by open and ended by close; its layout is the
 * plug-in's own. */
typedef struct ZwImportReader ZwImportReader;

typedef struct ZwImportPlugin {
    /* ZW_IMPORT_PLUGIN_VERSION. */
    uint32_t version;
    /* The plug-in's name, e.g. "Delimited text". */
    const char* name;
    /* The file types read, e.g. { "csv", "tsv", NULL }: NULL-terminated. */
    const char* const* types;

    /* Opens `path` and checks that it is a file of this kind. On
     * ZW_IMPORT_OK: *reader is the new reader, positioned at sample 0;
     * *sampleCount (at least 1) is the number of samples to import, from
     * sample *startOffset (0 or more) of the file. On failure nothing is made
     * and the out-values are left as they were. */
    int32_t (*open)(const char* path, ZwImportReader** reader, int64_t* sampleCount,
                    int64_t* startOffset);

    /* Positions the reading at `sample` (0 .. the file's sample count).
     * ZW_IMPORT_BAD_ARGUMENT outside that range. */
    int32_t (*seek)(ZwImportReader* reader, int64_t sample);

    /* Stores up to `capacity` codes (capacity >= 0) from the current
     * position into `codes` and moves on by as many; *delivered is their
     * number, less than capacity only at the end of the file or when the
     * file turns out damaged. A failure stores *delivered = 0. */
    int32_t (*read)(ZwImportReader* reader, int16_t* codes, int32_t capacity, int32_t* delivered);

    /* Ends the reader; it is not used again. */
    void (*close)(ZwImportReader* reader);
} ZwImportPlugin;

#if defined(__GNUC__)
#define ZW_IMPORT_PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define ZW_IMPORT_PLUGIN_EXPORT
#endif

/* The entry, looked up by this name. Returns the plug-in's table (never
 * NULL for a working plug-in); it may be called more than once. */
#define ZW_IMPORT_PLUGIN_ENTRY_NAME "ZwImportPluginEntry"
typedef const ZwImportPlugin* (*ZwImportPluginEntryFunction)(void);
ZW_IMPORT_PLUGIN_EXPORT const ZwImportPlugin* ZwImportPluginEntry(void);

#ifdef __cplusplus
}
#endif

#endif /* ZW_IMPORTPLUGIN_H */
