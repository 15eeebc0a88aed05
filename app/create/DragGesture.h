// Dragging a standard page's shape in the preview with the left button.
// The window turns mouse movement into samples (right is positive) and codes
// (up is positive) since the button went down; the gesture turns them into
// new parameters, always from the values the page had when the drag began:
//
//   vertical                 offset follows the mouse
//   Shift + vertical         amplitude: the peak follows the mouse
//   horizontal               phase: the shape moves with the mouse
//   Shift + horizontal       number of cycles: a drag over the whole stretch
//                            to the right gives four times as many, to the
//                            left a quarter
//   Ctrl + horizontal        triangle: symmetry; square: duty (percent of a
//                            period per period's width of movement)
//
// Noise pages take offset and amplitude, level pages the offset; expression
// pages are not dragged. Values are rounded to whole codes, tenths of a
// degree or percent and thousandths of a cycle.
#ifndef ZW_CREATE_DRAGGESTURE_H
#define ZW_CREATE_DRAGGESTURE_H

#include "PageRecord.h"

namespace zw::create {

struct DragModifiers {
    bool shift = false;
    bool control = false;
};

// Whether a drag that begins at sample `position` of the preview edits the
// page: a standard page whose stretch (as the preview shows it: from its
// start, or from 0 when pages are computed from sample 0) holds the
// position.
bool DragStartsOnPage(const PageRecord& page, double position, bool fromZero);

// The page's parameters after moving `samples` across and `codes` up since
// the drag began at `origin`. Levels are limited to the code range, cycles
// stay positive, phase within 0 .. 360, symmetry and duty within 0 .. 100.
PageRecord DraggedPage(const PageRecord& origin, double samples, double codes,
                       DragModifiers modifiers);

} // namespace zw::create

#endif // ZW_CREATE_DRAGGESTURE_H
