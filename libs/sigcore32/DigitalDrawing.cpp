// The digital view: the bits of the codes drawn as level traces, either the
// lines up to the highest line of a mask (W_DrawDigital) or all 16 lines with
// per-line colours and the selection highlighted (W_DrawDigitalPattern).

#include "sigcore32.h"

#include "ColumnDecimation.h"
#include "Stretch.h"
#include "SurfaceCalls.h"
#include "zwplatform.hpp"

#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <vector>

namespace {

using sigcore::Canvas;
using sigcore::Range;

constexpr int kLines = 16;

bool bitOf(int16_t code, int line) {
    return (static_cast<uint16_t>(code) >> line) & 1u;
}

// W_DrawDigital takes one sample per column, its first, at round(pos)
// (half up) rather than floor(pos). Empty: the sample lies outside the memory.
std::vector<std::optional<int16_t>> firstSampleOfColumns(std::span<const int16_t> memory,
                                                         int64_t base, double step, int32_t width) {
    std::vector<std::optional<int16_t>> samples(static_cast<std::size_t>(width));
    double pos = 0;
    for (auto& sample : samples) {
        const int64_t i = base + sigcore::floorIndex(pos + 0.5);
        pos += step;
        if (sigcore::contains(memory.size(), i))
            sample = memory[std::size_t(i)];
    }
    return samples;
}

// What the pattern needs of one column, for all 16 lines at once.
struct ColumnBits {
    int32_t x;
    uint16_t first;    // bits of the column's first sample
    uint16_t last;     // bits of its last visited sample
    uint16_t changes;  // bits that change inside the column
    int64_t lastIndex; // last visited sample, relative to ceil(start)
};

std::vector<ColumnBits> columnBits(std::span<const int16_t> memory, int64_t base, double step,
                                   int32_t width) {
    std::vector<ColumnBits> columns;
    columns.reserve(static_cast<std::size_t>(std::min(width, int32_t{1} << 16)));
    sigcore::ColumnWalk walk(base, step, memory.size());
    for (int32_t i = 0; i < width; ++i) {
        const Range r = walk.next();
        if (r.empty())
            continue;
        uint16_t any = 0;
        uint16_t all = 0xFFFF;
        for (int64_t k = r.begin; k < r.end; ++k) {
            const auto c = static_cast<uint16_t>(memory[std::size_t(k)]);
            any |= c;
            all &= c;
        }
        columns.push_back({i, static_cast<uint16_t>(memory[std::size_t(r.begin)]),
                           static_cast<uint16_t>(memory[std::size_t(r.end - 1)]),
                           static_cast<uint16_t>(any ^ all), r.end - 1 - base});
    }
    return columns;
}

// The four pens of the pattern, made for one call and deleted at its end,
// with the surface's own pen selected back.
class PatternPens {
public:
    PatternPens(ZwSurface& s, const std::array<uint32_t, 4>& colours) : s_(s) {
        for (std::size_t k = 0; k < pens_.size(); ++k)
            pens_[k] = s_.create_pen(s_.ctx, colours[k], 1);
    }
    ~PatternPens() {
        if (remembered_)
            s_.select_pen(s_.ctx, *remembered_);
        for (const ZwPen pen : pens_)
            s_.delete_pen(s_.ctx, pen);
    }
    PatternPens(const PatternPens&) = delete;
    PatternPens& operator=(const PatternPens&) = delete;

    ZwPen pen(bool enabled, bool selected) const {
        return pens_[(selected ? 2 : 0) + (enabled ? 0 : 1)];
    }

    void select(ZwPen pen) {
        const ZwPen previous = s_.select_pen(s_.ctx, pen);
        if (!remembered_)
            remembered_ = previous;
    }

private:
    ZwSurface& s_;
    std::array<ZwPen, 4> pens_{};
    std::optional<ZwPen> remembered_;
};

struct PatternGeometry {
    int64_t levelHeight; // rows from a line's high level to its low level
    int64_t firstHigh;   // high row of bit 15
    int64_t pitch;       // rows from one line to the next

    // 16 lines of 3 units each below a unit of margin, 49 units in all.
    explicit PatternGeometry(int32_t height) {
        const double v = height * 0.04081632653061224;
        levelHeight = sigcore::saturatedIndex(std::ceil(v));
        firstHigh = sigcore::saturatedIndex(std::ceil(v * 0.6666666666666666));
        pitch = sigcore::saturatedIndex(std::floor(v * 1.5));
    }
};

// Which columns of a line are highlighted: the last visited sample lies in
// the selection, or the view coincides with the selection.
struct Selection {
    int64_t begin;
    int64_t end;
    bool wholeView;

    Selection(double start, double length, double selectionStart, double selectionEnd)
        : begin(sigcore::ceilIndex(selectionStart - start)),
          end(sigcore::ceilIndex(selectionEnd - start)),
          wholeView(sigcore::ceilIndex(start) == begin && sigcore::ceilIndex(length) == end) {}

    bool covers(int64_t index) const { return wholeView || (index >= begin && index < end); }
};

void drawPatternLine(const Canvas& canvas, PatternPens& pens, std::span<const ColumnBits> columns,
                     int line, bool enabled, bool selectable, const Selection& selection,
                     int64_t high, int64_t levelHeight) {
    const ZwPen linePen = pens.pen(enabled, false);
    const ZwPen selectedPen = pens.pen(enabled, true);
    pens.select(linePen);
    ZwPen current = linePen;
    const auto bit = static_cast<uint16_t>(1u << line);
    const int64_t low = high + levelHeight;
    bool previous = false;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const ColumnBits& c = columns[k];
        const bool level = (c.first & bit) != 0;
        if (k == 0) {
            canvas.moveTo(c.x, level ? high : low);
            previous = level;
        }
        const ZwPen wanted = selectable && selection.covers(c.lastIndex) ? selectedPen : linePen;
        if (wanted != current) {
            pens.select(wanted);
            current = wanted;
        }
        if ((c.changes & bit) != 0 || level != previous) {
            canvas.moveTo(c.x, high);
            canvas.lineTo(c.x, low + 1);
        } else {
            const int64_t row = level ? high : low;
            canvas.moveTo(c.x, row);
            canvas.lineTo(int64_t{c.x} + 1, row);
        }
        // The next column continues from the level this one ends at.
        previous = (c.last & bit) != 0;
    }
}

} // namespace

extern "C" {

SIGCORE32_API ZwMemHandle W_DrawDigital(ZwSurface* surface, ZwMemHandle handle, double start,
                                        double length, int32_t lineMask, int32_t width,
                                        int32_t height) {
    return zw::GuardedExport(ZwMemHandle{0}, [&]() -> ZwMemHandle {
        // The digital lines are the 16 bits of a code; mask bits above them
        // name no line.
        const auto mask = static_cast<uint16_t>(lineMask);
        if (!sigcore::drawsLines(surface) || !sigcore::allFinite(start, length) || length <= 0 ||
            mask == 0 || !sigcore::validSize(width, height))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const int n = std::bit_width(mask);
        const double rowHeight = double(height) / (2 * n + 1);
        const int64_t lowOffset = sigcore::saturatedIndex(std::trunc(rowHeight));
        const int64_t pitch = sigcore::saturatedIndex(std::trunc(2 * rowHeight));
        const auto samples =
            firstSampleOfColumns(memory.span(), sigcore::ceilIndex(start), length / width, width);
        const Canvas canvas(*surface);
        int64_t high = height - sigcore::saturatedIndex(std::floor(2 * n * rowHeight));
        for (int line = n - 1; line >= 0; --line, high += pitch) {
            bool started = false;
            int64_t previous = 0;
            for (int32_t i = 0; i < width; ++i) {
                if (!samples[std::size_t(i)])
                    continue;
                const int64_t row = bitOf(*samples[std::size_t(i)], line) ? high : high + lowOffset;
                if (!started) {
                    canvas.moveTo(i, row);
                    previous = row;
                    started = true;
                }
                // A change of level becomes a vertical edge at x = i.
                canvas.lineTo(i, previous);
                canvas.lineTo(i, row);
                previous = row;
            }
        }
        return handle;
    });
}

SIGCORE32_API ZwMemHandle W_DrawDigitalPattern(ZwSurface* surface, ZwMemHandle handle, double start,
                                               double length, int32_t enabledMask,
                                               int32_t selectedMask, double selectionStart,
                                               double selectionEnd, int32_t width, int32_t height,
                                               uint32_t enabledColour, uint32_t disabledColour,
                                               uint32_t enabledSelectedColour,
                                               uint32_t disabledSelectedColour) {
    return zw::GuardedExport(ZwMemHandle{0}, [&]() -> ZwMemHandle {
        if (!sigcore::makesPens(surface) ||
            !sigcore::allFinite(start, length, selectionStart, selectionEnd) || length <= 0 ||
            !sigcore::validSize(width, height))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const auto columns =
            columnBits(memory.span(), sigcore::ceilIndex(start), length / width, width);
        const PatternGeometry geometry(height);
        const Selection selection(start, length, selectionStart, selectionEnd);
        const Canvas canvas(*surface);
        PatternPens pens(*surface, {enabledColour, disabledColour, enabledSelectedColour,
                                    disabledSelectedColour});
        int64_t high = geometry.firstHigh;
        for (int line = kLines - 1; line >= 0; --line, high += geometry.pitch) {
            const auto bit = 1u << line;
            drawPatternLine(canvas, pens, columns, line, (uint32_t(enabledMask) & bit) != 0,
                            (uint32_t(selectedMask) & bit) != 0, selection, high,
                            geometry.levelHeight);
        }
        return handle;
    });
}

} // extern "C"
