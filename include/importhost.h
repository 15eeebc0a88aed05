/*
 * importhost: the plug-in host library of File > Import. It loads the import
 * plug-ins (importplugin.h) of one folder and reads files through them. The
 * editor binds it by name on first use; it uses only the C library and the
 * system's dynamic loader.
 *
 * A session: OpenPlugin loads the plug-ins; GetPluginName and GetPluginType
 * describe them; for one file BeginPlugin opens it with a plug-in, SeekPlugin
 * positions the reading, ExecutePlugin reads blocks of codes and EndPlugin
 * ends the file; ClosePlugin ends the session, the files still open and the
 * plug-ins. Plug-ins are numbered from 0 in the byte order of their file
 * names.
 *
 * Results are IMPORTHOST_OK (0) or one of the IMPORTHOST_ codes below, except
 * ExecutePlugin (a count) and the two version calls. Out-values are written
 * only on success unless said otherwise. The functions are for one thread at
 * a time; a lock keeps overlapping calls apart.
 */
#ifndef IMPORTHOST_H
#define IMPORTHOST_H

#include <stdint.h>

#if defined(IMPORTHOST_BUILD)
#define IMPORTHOST_API __attribute__((visibility("default")))
#else
#define IMPORTHOST_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The application name a session must give (the editor's). */
#define IMPORTHOST_APP_NAME "8832"
/* The host's version: major * 100 + minor. */
#define IMPORTHOST_VERSION 100

/* Buffer sizes, terminating NUL included. */
#define IMPORTHOST_NAME_SIZE 64        /* GetPluginName */
#define IMPORTHOST_TYPE_SIZE 8         /* GetPluginType: an extension of up to 7 letters */
#define IMPORTHOST_FILE_NAME_SIZE 4096 /* ImportFileInfo.FileName */

enum ImportHostResult {
    IMPORTHOST_OK = 0,
    IMPORTHOST_BAD_ARGUMENT = 1, /* NULL pointer, bad size or flags */
    IMPORTHOST_WRONG_APP = 2,    /* OpenPlugin for an application it does not serve */
    IMPORTHOST_NOT_OPEN = 3,     /* no session: OpenPlugin first */
    IMPORTHOST_NO_PLUGIN = 4,    /* plug-in index out of range */
    IMPORTHOST_NO_TYPE = 5,      /* type index out of range */
    IMPORTHOST_BAD_HANDLE = 6,   /* no such open file for that plug-in */
    IMPORTHOST_REFUSED = 7,      /* the plug-in refused: its result is in Result */
    IMPORTHOST_FAILED = 8        /* the host ran out of memory or the plug-in misbehaved */
};

/* The information record of one file. The caller sets FileName; BeginPlugin
 * fills the rest. */
typedef struct ImportFileInfo {
    char FileName[IMPORTHOST_FILE_NAME_SIZE];
    int64_t SampleCount; /* samples to import, from StartOffset */
    int64_t StartOffset; /* the file's first sample to import */
    int32_t Result;      /* the plug-in's ZW_IMPORT_ result of the last BeginPlugin */
} ImportFileInfo;

/* Loads the plug-ins: the files of `folder` whose names match `pattern`
 * (shell wildcards, e.g. "*.so"), in byte order of their names. A file that
 * does not load, lacks the entry or gives an unusable table is passed over.
 * A folder that is missing or cannot be read has no plug-in. `app_name` must
 * be IMPORTHOST_APP_NAME. `buffer_size` is the size of the file name buffer
 * the caller will use in ImportFileInfo (2 .. IMPORTHOST_FILE_NAME_SIZE). An
 * earlier session is closed first. *count: the number of plug-ins loaded. */
IMPORTHOST_API int32_t OpenPlugin(const char* folder, const char* pattern, const char* app_name,
                                  int32_t buffer_size, int32_t* count);

/* Plug-in `plugin`'s name into `name` (IMPORTHOST_NAME_SIZE bytes, cut to
 * fit, control characters as blanks), NUL-terminated; *length: its bytes. */
IMPORTHOST_API int32_t GetPluginName(int32_t plugin, char* name, int32_t* length);

/* The extension (lower case, no dot) of type `type_index` (0, 1, ...) of
 * plug-in `plugin` into `type` (IMPORTHOST_TYPE_SIZE bytes), NUL-terminated.
 * IMPORTHOST_NO_TYPE past the plug-in's last type. */
IMPORTHOST_API int32_t GetPluginType(int32_t plugin, int32_t type_index, char* type);

/* Opens info->FileName with plug-in `plugin`. On success *handle names the
 * open file and SampleCount and StartOffset are filled. When the plug-in
 * refuses the file: IMPORTHOST_REFUSED with its reason in info->Result. */
IMPORTHOST_API int32_t BeginPlugin(int32_t plugin, int32_t* handle, ImportFileInfo* info);

/* Positions the reading of the open file at sample `offset` of the file. */
IMPORTHOST_API int32_t SeekPlugin(int32_t plugin, int32_t handle, int64_t offset);

/* Reads up to *count codes (0 .. 1048576) into `data` and returns how many
 * were read, also stored in *count; fewer only at the end of the file or on
 * a damaged file. `flags` is reserved and must be 0. A failure returns -1
 * and stores 0 in *count. */
IMPORTHOST_API int32_t ExecutePlugin(int32_t plugin, int32_t handle, int16_t* data, int32_t* count,
                                     int32_t flags);

/* Ends the open file. */
IMPORTHOST_API int32_t EndPlugin(int32_t plugin, int32_t handle);

/* Ends the session: open files are ended, plug-ins unloaded. Always 0. */
IMPORTHOST_API int32_t ClosePlugin(void);

/* IMPORTHOST_VERSION. */
IMPORTHOST_API int32_t GetDllVersion(void);

/* The application name served, IMPORTHOST_APP_NAME, into `buffer` of `size`
 * bytes (cut to fit, NUL-terminated); returns its full length, or -1 when
 * buffer is NULL or size is less than 1. */
IMPORTHOST_API int32_t GetDllSprtAppName(char* buffer, int32_t size);

#ifdef __cplusplus
}
#endif

#endif /* IMPORTHOST_H */
