/*
 * DeviceInfo: the current instrument setting, shared by the model database
 * (which fills and changes the fields marked L under the model's limits) and
 * the editor (which owns the fields marked P). One declaration for both
 * sides; fields in this order. Texts are single-byte, fixed-size, and not
 * necessarily NUL-terminated when they fill their field.
 */
#ifndef ZW_DEVICEINFO_H
#define ZW_DEVICEINFO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DeviceInfo {
    char ModelName[16];             /* P  model name as listed in the setup window */
    int16_t ModelIndex;             /* L */
    int16_t Address;                /* L  GPIB address or USB ID */
    int16_t AddressMin;             /* L */
    int16_t AddressMax;             /* L */
    char MemoryOption[64];          /* L  option text of the selected memory size */
    char MemoryName[16];            /* P */
    int32_t MemorySize;             /* L  points */
    int32_t MaxCode;                /* L */
    int16_t DataCodeLow;            /* L  -1 - MaxCode / 2 */
    int16_t DataCodeHigh;           /* L  MaxCode / 2 */
    uint32_t DataMask;              /* L  data bit mask */
    int16_t MemoryNumberSelectable; /* L */
    int16_t MemoryNumber;           /* L */
    int16_t MemoryNumberMin;        /* L */
    int16_t MemoryNumberMax;        /* L */
    int16_t MemoryNameFlag;         /* L */
    int16_t MemorySizeIndex;        /* L */
    int16_t ChannelFlag;            /* L */
    int16_t ChannelIndex;           /* L */
    double Frequency;               /* L  Hz */
    double FrequencyMin;            /* L */
    double FrequencyMax;            /* L */
    double FrequencyReso;           /* L */
    double Cycle;                   /* L  s, 1 / Frequency (0 when Frequency is 0) */
    double CycleOfFrequencyMin;     /* L  1 / FrequencyMin (0 when that is 0) */
    double CycleOfFrequencyMax;     /* L  1 / FrequencyMax (0 when that is 0) */
    double CycleReso;               /* L  1 / FrequencyReso (0 when that is 0) */
    double Amplitude;               /* L */
    double AmplitudeMin;            /* L */
    double AmplitudeMax;            /* L */
    double AmplitudeReso;           /* L */
    double Offset;                  /* L  DC offset */
    double OffsetMin;               /* L */
    double OffsetMax;               /* L */
    double OffsetReso;              /* L */
    int16_t OffsetSwitchAvailable;  /* L */
    int16_t OffsetSwitchState;      /* L, P  the library sets it to 0 */
    /* unit settings of the editor */
    int16_t XUnit;       /* P */
    double XUserStart;   /* P */
    double XUserEnd;     /* P */
    int16_t YUnit;       /* P */
    double YUserMin;     /* P */
    double YUserMax;     /* P */
    int16_t OutputState; /* L, P  0 on, 1 off, 2 no change; the library sets 2 */
    int16_t RangeIndex;  /* L */
    int16_t XMode;       /* L  1 = peak mode */
    /* the editor's copy only; the model database never reads or writes these */
    char XUnitName[8]; /* P */
    char YUnitName[8]; /* P */
} DeviceInfo;

/* Output states as the record keeps them. */
enum { ZW_OUTPUT_ON = 0, ZW_OUTPUT_OFF = 1, ZW_OUTPUT_NO_CHANGE = 2 };

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ZW_DEVICEINFO_H */
