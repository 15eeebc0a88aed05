/*
 * modspec32: the instrument model database. It reads the model definition
 * files ("*.SYS") of the current directory once, keeps the models in memory,
 * and fills and changes a caller-owned DeviceInfo record under a model's
 * limits. Models, channels, voltage ranges and memory sizes are named by
 * 0-based indices into the lists the files define.
 *
 * No function prints, exits or throws. An index that names no model,
 * channel, range or memory size gives the function's failure result and
 * leaves the caller's record and buffers untouched, except where a function
 * says otherwise below.
 */
#ifndef MODSPEC32_H
#define MODSPEC32_H

#include <stdint.h>

#include "deviceinfo.h"

#if defined(MODSPEC32_BUILD)
#define MODSPEC32_API __attribute__((visibility("default")))
#else
#define MODSPEC32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Load results of SysInitDeviceInfo. */
enum {
    SYS_LOAD_OK = 0,
    SYS_ERR_STRUCTURE = -1, /* block not allowed there, unknown script name, top-level syntax */
    SYS_ERR_SYNTAX = -2,    /* missing "=", value, block name or label; bad script line */
    SYS_ERR_MEMORY = -10,   /* a record could not be allocated */
    SYS_ERR_READ = -20,     /* a file cannot be opened or read, or a reference is not found */
    SYS_ERR_NO_FILE = -30   /* no "*.SYS" file in the current directory */
};

/* Sizes of the caller's buffers. */
enum {
    SYS_NAME_BUFFER = 32,      /* short, memory size, channel and range names */
    SYS_WARNING_BUFFER = 512,  /* SysCheckFrequency */
    SYS_FILENAME_BUFFER = 512, /* SysGetSysErrorFileName */
    SYS_SCRIPT_BUFFER =
        3600, /* SysGetGPIBInfo: 50 keys of 8 bytes at 0, 50 commands of 64 at 400 */
    SYS_SCRIPT_KEY_OFFSET = 0,
    SYS_SCRIPT_COMMAND_OFFSET = 400,
    SYS_SCRIPT_KEY_BYTES = 8,
    SYS_SCRIPT_COMMAND_BYTES = 64,
    SYS_SCRIPT_MAX_ENTRIES = 50
};

/* Loads every "*.SYS" file of the current directory (extension in any case,
 * files in byte order of their names). Returns 0 or one of SYS_ERR_*. Only
 * the first call loads; every later call returns 0 at once. Models completed
 * before a failure stay loaded. */
MODSPEC32_API int32_t SysInitDeviceInfo(void);

/* Returns 0; the loaded models stay until the process ends. */
MODSPEC32_API int32_t SysFinishDeviceInfo(void);

/* Line number of the last load failure; 0 after a successful load. */
MODSPEC32_API int32_t SysGetSysErrorLineNo(void);

/* Copies the name of the file the last load failed in, with its terminator,
 * into `name` (at most SYS_FILENAME_BUFFER bytes). Returns the number of
 * bytes copied (1 for the empty name), 0 when `name` is NULL. */
MODSPEC32_API int32_t SysGetSysErrorFileName(char* name);

/* Number of loaded models. */
MODSPEC32_API int32_t SysGetDeviceCnt(void);

/* Copies the model's short name into `name` (at most SYS_NAME_BUFFER bytes).
 * Returns 0, also when the model does not exist (then nothing is copied). */
MODSPEC32_API int32_t SysGetDeviceName(int32_t model, char* name);

/* Fills the record with the model's limits, keeping the current settings
 * that are still valid for it. Returns 1, or 0 for an unknown model or one
 * without a memory size, a channel or a voltage range to select. */
MODSPEC32_API int32_t SysGetDeviceInfo(int32_t model, DeviceInfo* info);

/* Fills the record with the model's initial settings. Returns 1, or 0 as
 * SysGetDeviceInfo. */
MODSPEC32_API int32_t SysGetInitDeviceInfo(int32_t model, DeviceInfo* info);

/* Interface bit mask: 7 when the model can be reached over GPIB, plus 8 when
 * over USB. 0 for an unknown model. */
MODSPEC32_API int32_t SysGetInterfaceInfo(int32_t model);

/* Selects the address limits of interface 0, 1 or 2 (GPIB) or 3 (USB) and
 * moves an address outside them to the interface's initial address. Returns
 * 1, or 0 when the model lacks that interface or the number is not 0 to 3. */
MODSPEC32_API int32_t SysChangeInterface(int32_t model, int32_t interfaceType, DeviceInfo* info);

/* Number of memory sizes when the model's memory mode is "select", else 1;
 * 0 for an unknown model. */
MODSPEC32_API int32_t SysGetMemorySizeCnt(int32_t model);

/* Copies the memory size's display name (its size in decimal) into `name`.
 * Returns 1; an index past the list copies nothing. 0 for an unknown model. */
MODSPEC32_API int32_t SysGetMemorySizeName(int32_t model, int32_t index, char* name);

/* Selects the memory size. Returns 1, or 0 when it does not exist. */
MODSPEC32_API int32_t SysChangeMemorySize(int32_t model, int32_t index, DeviceInfo* info);

/* Number of channels when the model's channel flag is set, else 1; 0 for an
 * unknown model. */
MODSPEC32_API int32_t SysGetChannelCnt(int32_t model);

/* Copies the channel's name. Returns 1; an index past the list copies
 * nothing. 0 for an unknown model. */
MODSPEC32_API int32_t SysGetChannelName(int32_t model, int32_t index, char* name);

/* Selects the channel: its frequency limits and its voltage range of the
 * record's range index (range 0 when that is past its list). Returns 1, or 0
 * when the channel does not exist or has no voltage range. */
MODSPEC32_API int32_t SysChangeChannel(int32_t model, int32_t channel, DeviceInfo* info);

/* Number of voltage ranges of the channel; 0 for an unknown model or channel. */
MODSPEC32_API int32_t SysGetRangeCnt(int32_t model, int32_t channel);

/* Copies the range's name. Returns 1; an index past the list copies nothing.
 * 0 for an unknown model or channel. */
MODSPEC32_API int32_t SysGetRangeName(int32_t model, int32_t channel, int32_t index, char* name);

/* Selects the voltage range (range 0 when the index is past the list) and
 * clamps amplitude and offset into its limits. Returns 1, or 0 for an
 * unknown model or channel or a channel without ranges. */
MODSPEC32_API int32_t SysChangeRange(int32_t model, int32_t channel, int32_t range,
                                     DeviceInfo* info);

/* When one of the channel's frequency warnings applies to `frequency`, copies
 * its text (English when `language` is not 0, Japanese when it is 0; at most
 * SYS_WARNING_BUFFER bytes) and returns 1. Else returns 0 and leaves `text`
 * untouched. */
MODSPEC32_API int32_t SysCheckFrequency(int32_t model, int32_t channel, int32_t language,
                                        double frequency, char* text);

/* Sets the frequency when it lies within the record's limits. Returns 1
 * when accepted, 0 when rejected (the record is left unchanged). */
MODSPEC32_API int32_t SysChangeFrequency(int32_t model, int32_t channel, double frequency,
                                         DeviceInfo* info);

/* Sets the cycle (period, s) when it lies within the reciprocal frequency
 * limits of the record; a frequency minimum of 0 leaves the cycle without an
 * upper limit. Returns 1 when accepted, 0 when rejected. */
MODSPEC32_API int32_t SysChangeCycle(int32_t model, int32_t channel, int32_t range, double cycle,
                                     DeviceInfo* info);

/* Sets the amplitude when it lies within the record's limits. Returns 1
 * when accepted, 0 when rejected. */
MODSPEC32_API int32_t SysChangeAmplitude(int32_t model, int32_t channel, int32_t range,
                                         double amplitude, DeviceInfo* info);

/* Sets the DC offset when it lies within the record's limits. Returns 1
 * when accepted, 0 when rejected. */
MODSPEC32_API int32_t SysChangeOffset(int32_t model, int32_t channel, int32_t range, double offset,
                                      DeviceInfo* info);

/* Copies script 0 (gpib_init), 1 (gpib_end), 2 (system_transfer) or 3
 * (wave_transfer) into the SYS_SCRIPT_BUFFER-byte buffer: entry i's 8 key
 * bytes at 8 * i, its 64 command bytes at 400 + 64 * i (a key or command
 * filling its slot has no terminator). Returns the number of entries (0 to
 * 50), or -1 for an unknown model or a script number outside 0 to 3. */
MODSPEC32_API int32_t SysGetGPIBInfo(int32_t model, int32_t script, char* buffer);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* MODSPEC32_H */
