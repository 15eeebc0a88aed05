// Which tool owns the main plot's mouse input. One tool window at a time is
// open; while none is, the plot edits markers.
#ifndef ZW_EDITOR_TOOLMODE_H
#define ZW_EDITOR_TOOLMODE_H

namespace zw {

enum class ToolMode {
    Create = 0,      // waveform creation window
    Compress = 1,    // compress/decompress window
    Interpolate = 2, // interpolation window: the plot edits control points
    Operate = 3,     // operations window
    SystemSetup = 4, // system setup window
    None = 5,        // plain viewing and marker editing
};

inline constexpr int kToolModeCount = 6;

} // namespace zw

#endif // ZW_EDITOR_TOOLMODE_H
