/*
 * zwplatform: the small layer that stands in for the desktop services the
 * waveform libraries and the editor share: movable global memory blocks
 * named by 32-bit handles, a drawing surface made of callbacks, and a
 * clipboard owner made of callbacks.
 *
 * A handle issued by one deliverable is understood by every other, because
 * they all link this one shared library. Nothing here depends on a toolkit;
 * the editor adapts the surface and the clipboard to its own.
 */
#ifndef ZWPLATFORM_H
#define ZWPLATFORM_H

#include <stddef.h>
#include <stdint.h>

#if defined(ZWPLATFORM_BUILD)
#define ZWPLATFORM_API __attribute__((visibility("default")))
#else
#define ZWPLATFORM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * Global memory
 *
 * A handle is never 0 for a live block. A freed or never-issued handle is
 * detected: locking it returns NULL. Handles carry a generation count, so a
 * stale copy of a freed handle does not name the block that later reuses its
 * slot. All functions are thread-safe. A block freed while locked stays
 * addressable until its last unlock.
 * ------------------------------------------------------------------------- */

typedef uint32_t ZwMemHandle;

/* Allocates a zero-filled block of `bytes` bytes (0 bytes is allowed and
 * gives a live, empty block). Returns 0 when memory cannot be supplied. */
ZWPLATFORM_API ZwMemHandle ZwGlobalAlloc(size_t bytes);

/* Locks the block and returns its address, or NULL for an unknown or freed
 * handle. When `size` is not NULL it receives the block's allocated size in
 * bytes (0 on failure). Every successful lock needs one ZwGlobalUnlock. */
ZWPLATFORM_API void* ZwGlobalLock(ZwMemHandle handle, size_t* size);

/* Undoes one lock. Returns 1 while the block stays locked, 0 when this was the
 * last lock or the handle is unknown or not locked. */
ZWPLATFORM_API int ZwGlobalUnlock(ZwMemHandle handle);

/* Releases the block. Returns 0 when released, the handle itself when the
 * handle is unknown or already freed (the desktop convention). */
ZWPLATFORM_API ZwMemHandle ZwGlobalFree(ZwMemHandle handle);

/* Allocated size in bytes of a live block, 0 for an unknown handle. */
ZWPLATFORM_API size_t ZwGlobalSize(ZwMemHandle handle);

/* Number of live (not yet freed) blocks; for leak checks in tests. */
ZWPLATFORM_API size_t ZwGlobalLiveCount(void);

/* ---------------------------------------------------------------------------
 * Drawing surface
 *
 * The caller owns the struct and everything behind `ctx`. Coordinates are
 * pixels, origin top left. `line_to` draws from the current point to (x, y)
 * and leaves the end point itself unpainted, then makes (x, y) current.
 * `polyline` draws connected segments through `count` points, likewise
 * without the last point, and does not use or move the current point.
 * Pens are opaque non-zero values made by `create_pen`; `select_pen` returns
 * the pen that was selected before (0 for the surface's own initial pen,
 * which must be selected back before the caller's drawing ends).
 * ------------------------------------------------------------------------- */

typedef struct ZwPoint {
    int32_t x;
    int32_t y;
} ZwPoint;

typedef uintptr_t ZwPen;

typedef struct ZwSurface {
    void* ctx;
    void (*move_to)(void* ctx, int32_t x, int32_t y);
    void (*line_to)(void* ctx, int32_t x, int32_t y);
    void (*polyline)(void* ctx, const ZwPoint* points, int32_t count);
    ZwPen (*create_pen)(void* ctx, uint32_t rgb, int32_t width);
    ZwPen (*select_pen)(void* ctx, ZwPen pen);
    void (*delete_pen)(void* ctx, ZwPen pen);
} ZwSurface;

/* Colours are 0x00BBGGRR, as the desktop's RGB() macro packs them. */
#define ZW_RGB(r, g, b)                                                                            \
    ((uint32_t)(((uint32_t)(uint8_t)(r)) | (((uint32_t)(uint8_t)(g)) << 8) |                       \
                (((uint32_t)(uint8_t)(b)) << 16)))

/* ---------------------------------------------------------------------------
 * Clipboard owner
 *
 * Stands where the desktop API passes the window that opens the clipboard.
 * Text is 8-bit, NUL-terminated. `open` returns non-zero on success; between
 * a successful `open` and `close` the other operations may be called.
 * `get_text` returns the clipboard's text, owned by the clipboard owner and
 * valid until `close`, or NULL when the clipboard holds no text; `len`
 * receives its length in bytes without the terminator.
 * `set_text` replaces the clipboard's text and returns non-zero on success.
 * ------------------------------------------------------------------------- */

typedef struct ZwClipboardOwner {
    void* ctx;
    int (*open)(void* ctx);
    void (*close)(void* ctx);
    int (*empty)(void* ctx);
    int (*set_text)(void* ctx, const char* text, size_t len);
    const char* (*get_text)(void* ctx, size_t* len);
} ZwClipboardOwner;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ZWPLATFORM_H */
