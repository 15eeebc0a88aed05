/*
 * docio32: the editor's files and clipboard. Binary (.wdb) and text (.txt)
 * wave files, the clipboard's text form of a stretch of samples, the reader
 * of creation-page files (.wfn), the raw system setup file (.ocb) and the one
 * encoder and decoder between DeviceInfo and the 326-byte setup block that
 * both .ocb and .wdb files carry.
 *
 * Conventions
 * - File names are NUL-terminated 8-bit text; on Linux, UTF-8 paths.
 * - Wave memories are platform handles (zwplatform.h) holding signed 16-bit
 *   codes, little-endian. A memory is locked for one call only; its allocated
 *   size bounds every stretch, whatever the caller asks.
 * - Results are 0 for success or a message number of the editor's catalogue:
 *   7 file cannot be written, 8 file cannot be read, 70 no memory for the
 *   clipboard text, 71 file read error, 72 file write error, 81 clipboard read
 *   error, 82 clipboard write error, 83 clipboard error. The page-file reader
 *   answers 1 / 0 / -1 as described there, the block codec 0 / -1.
 * - No function prints, exits, keeps a handle, or lets an exception out.
 *
 * Saving is atomic: the new contents go to a temporary file in the target's
 * folder, which is flushed to disk and then renamed over the target. When any
 * step fails the old file stays exactly as it was, no temporary file is left,
 * and the function returns its write error. The mode of a replaced file is
 * kept; a target that exists but may not be written is refused. A program
 * that runs under a file size limit (RLIMIT_FSIZE) should ignore SIGXFSZ, so
 * that a write beyond the limit fails with an error instead of ending it.
 */
#ifndef DOCIO32_H
#define DOCIO32_H

#include <stdint.h>
#include <stdio.h>

#include "deviceinfo.h"
#include "zwplatform.h"

#if defined(DOCIO32_BUILD)
#define DOCIO32_API __attribute__((visibility("default")))
#else
#define DOCIO32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The packed file form of DeviceInfo: the whole of an .ocb file and the
 * first part of a .wdb file. */
#define DOCIO32_SETUP_BLOCK_SIZE 326
/* Samples and bytes of the memory part of a .wdb file as the editor writes
 * it (its memories hold 65536 samples). */
#define DOCIO32_WAVE_FILE_SAMPLES 65536
#define DOCIO32_WAVE_FILE_SIZE (DOCIO32_SETUP_BLOCK_SIZE + 2 * DOCIO32_WAVE_FILE_SAMPLES)
/* Sizes, terminator included, of the two text buffers of ReadOneWaveList. */
#define DOCIO32_PAGE_CONSTANTS_SIZE 945
#define DOCIO32_PAGE_EXPRESSION_SIZE 1025

enum {
    DOCIO32_OK = 0,
    DOCIO32_FILE_NOT_WRITTEN = 7,
    DOCIO32_FILE_NOT_READ = 8,
    DOCIO32_NO_CLIPBOARD_MEMORY = 70,
    DOCIO32_FILE_READ_ERROR = 71,
    DOCIO32_FILE_WRITE_ERROR = 72,
    DOCIO32_CLIPBOARD_READ_ERROR = 81,
    DOCIO32_CLIPBOARD_WRITE_ERROR = 82,
    DOCIO32_CLIPBOARD_ERROR = 83
};

/* ---------------------------------------------------------------------------
 * Wave files
 * ------------------------------------------------------------------------- */

/* Writes a .wdb file: the 326-byte setup block, then every sample of the
 * memory (its whole allocated size), little-endian. 0, or 7 when the block is
 * missing, the handle unknown, or the file cannot be created or written. */
DOCIO32_API int32_t Save8832File(const char* fileName, const uint8_t* setupBlock,
                                 ZwMemHandle memory);

/* Reads a .wdb file into the 326-byte block and then into the memory, up to
 * its allocated size; bytes beyond are ignored. 0, or 8 when the block is
 * missing, the handle unknown, or the file cannot be opened or read. On 8
 * neither the block nor the memory has been changed.
 * A short file is not an error: what it holds is stored and the rest of the
 * block and of the memory keeps what it held, and the result is 0. A caller
 * that must know compares the file's size (stat) with DOCIO32_WAVE_FILE_SIZE
 * (or with 326 + the memory's size in bytes). */
DOCIO32_API int32_t Read8832File(const char* fileName, uint8_t* setupBlock, ZwMemHandle memory);

/* Writes a .txt file: one line per sample start .. start + count - 1, each
 * the code's 16 bits as an unsigned decimal (code -1 is "65535") and CR LF.
 * 0, or 72 when the handle is unknown, the stretch is not inside the memory,
 * or the file cannot be created or written. */
DOCIO32_API int32_t SaveWaveData(const char* fileName, ZwMemHandle memory, int32_t start,
                                 int32_t count);

/* Reads a .txt file into the memory from sample `start` on, one sample per
 * line for at most `count` lines (and never past the memory's end); further
 * lines are ignored and samples no line reaches keep their values. A line's
 * value is its leading decimal number (optional blanks and sign, digits;
 * none gives 0), beyond the 32-bit range saturated, of which the low 16 bits
 * are kept: "65535" and "-1" both give -1. A line longer than 127 characters
 * continues as a further line. 0, or 71 when the handle is unknown, `start`
 * lies outside 0 .. memory size, or the file cannot be opened or read; on 71
 * the memory has not been changed. */
DOCIO32_API int32_t LoadWaveData(const char* fileName, ZwMemHandle memory, int32_t start,
                                 int32_t count);

/* ---------------------------------------------------------------------------
 * Clipboard (the owner stands where the desktop passes the window that opens
 * the clipboard)
 * ------------------------------------------------------------------------- */

/* Puts samples start .. start + count - 1 on the clipboard as text: per
 * sample its unsigned decimal and one LF. A stretch reaching past the memory
 * is cut at its end. 0; 81 the clipboard cannot be opened; 70 no memory for
 * the text (the clipboard keeps its old text); 82 the clipboard refused the
 * text; 83 unknown handle, negative count, or start outside the memory (the
 * clipboard is not touched). */
DOCIO32_API int32_t SetClipBoard(ZwClipboardOwner* owner, ZwMemHandle memory, int32_t start,
                                 int32_t count);

/* Replaces the stretch start .. start + length - 1 of a waveform of
 * `usedLength` samples by the numbers of the clipboard text, closing the gap
 * or making room so that the used length stays the same: samples that
 * followed the stretch move to just after the pasted codes, those pushed past
 * the used length are lost, freed places at its end become 0. Numbers are
 * runs of digits, '+' and '-' (at most 19 characters; a '.' separates), each
 * giving its leading number's low 16 bits. Nothing is written at or beyond
 * the used length, which is itself cut to the memory's size; a stretch
 * reaching past the used length is cut there.
 * 0 on success, and 0 at once when length < 0 or usedLength <= 0 (nothing
 * happens, *pasted is not written); 81 the clipboard cannot be opened or holds
 * no text (memory unchanged); 83 unknown handle or negative start (nothing
 * happens). `pasted` may be NULL; otherwise it receives the number of codes
 * written, 0 on every failure. */
DOCIO32_API int32_t GetClipBoard(ZwClipboardOwner* owner, ZwMemHandle memory, int32_t start,
                                 int32_t length, int32_t usedLength, int32_t* pasted);

/* ---------------------------------------------------------------------------
 * Creation-page file (.wfn), read through a FILE* the caller opened; both
 * readers leave the file positioned for the next call.
 * ------------------------------------------------------------------------- */

/* Reads header lines up to and including the one whose first token begins
 * with 'YY. A line beginning with 'XX gives the X values of sample 0 and of
 * sample N, the 'YY line the lowest and highest Y ("a,b", read as C atof
 * reads). Values not found keep what the caller preset. When the file ends
 * before a 'YY line, the file is put back where the call found it, so that
 * the pages of a file without a header can still be read. 0, or -1 when
 * `file` is NULL or a read error occurs. */
DOCIO32_API int32_t ReadWaveListHeader(FILE* file, double* xAtFirst, double* xAtEnd,
                                       double* yLowest, double* yHighest);

/* Reads the next page block, from a line beginning with StartPage to the line
 * beginning with EndPage. `parameters` receives eight doubles: offset, size,
 * amplitude, cycles, phase, symmetry, duty, transition. `constants` must hold
 * DOCIO32_PAGE_CONSTANTS_SIZE bytes and `expression`
 * DOCIO32_PAGE_EXPRESSION_SIZE bytes; texts beginning with "None" read as
 * empty. Any output pointer may be NULL when the value is not wanted.
 * Outputs are written only when a page was read, and then only for the keys
 * the page holds (the constants always: a page whose EndPage comes without
 * 'Const has none). A page or type beyond 32767 reads as 32767.
 * 1 when a page was read; -1 at the end of the file, on a read error, for a
 * NULL file, or for a malformed page: a page or type value not beginning
 * with a digit, no line after 'Y=, no EndPage, or a text longer than its
 * buffer. */
DOCIO32_API int32_t ReadOneWaveList(FILE* file, int16_t* pageNumber, int16_t* type, double* start,
                                    double* end, double* parameters, char* constants,
                                    char* expression);

/* ---------------------------------------------------------------------------
 * System setup file (.ocb) and the setup block
 * ------------------------------------------------------------------------- */

/* Writes the 326 bytes of the block as the whole file. 0, or 7 when the block
 * is missing or the file cannot be created or written. */
DOCIO32_API int32_t SaveSystemFile(const char* fileName, const uint8_t* setupBlock);

/* Reads up to 326 bytes of the file into the block. 0, or 8 when the block is
 * missing or the file cannot be opened or read (the block is then unchanged).
 * A file shorter than 326 bytes is not an error: its bytes are stored, the
 * rest of the block keeps what it held, and the result is 0. A caller that
 * must know compares the file's size (stat) with DOCIO32_SETUP_BLOCK_SIZE. */
DOCIO32_API int32_t ReadSystemFile(const char* fileName, uint8_t* setupBlock);

/* Packs the record and the interface type into the 326-byte block, every
 * field at its fixed offset, little-endian: the first word is interface type
 * x 256 + model index, the output state is stored as -1 on, 0 off, 2 no
 * change, texts are copied up to their first NUL and padded with NULs.
 * 0, or -1 (block untouched) for a NULL pointer, a model index outside
 * 0 .. 255, an interface type outside 0 .. 127 or an output state other than
 * 0, 1, 2. */
DOCIO32_API int32_t EncodeSetupBlock(const DeviceInfo* info, int32_t interfaceType,
                                     uint8_t* setupBlock);

/* Unpacks a setup block into the record. A first word of 256 or more gives
 * the interface type (word / 256, written to *interfaceType) and the model
 * index (its low byte); a smaller word is the model index alone and
 * *interfaceType keeps its value. Texts end at their first NUL, trailing
 * spaces are dropped, and the rest of each field is NUL-filled.
 * `interfaceType` may be NULL when the caller does not want it.
 * 0, or -1 (record untouched) for a NULL block or record, a negative first
 * word or an output state other than -1, 0, 2. */
DOCIO32_API int32_t DecodeSetupBlock(const uint8_t* setupBlock, DeviceInfo* info,
                                     int32_t* interfaceType);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* DOCIO32_H */
