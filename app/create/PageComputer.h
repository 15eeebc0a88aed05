// Computing creation pages into a work memory (Make_Wave) and putting them
// into a target waveform (Page OK, All Page OK). Results are 0 or a message
// code of the catalogue: 18 for a malformed constant block, 100 to 118 the
// evaluator's errors.
//
// Two modes: the editor's Create window computes every page at its own
// position, so the work memory shows the whole waveform; opened for an
// operand (the Operate window), every page is computed from sample 0.
// Stretches are limited to the used length N of the setting: nothing is
// computed or copied outside samples 0 .. N - 1.
#ifndef ZW_CREATE_PAGECOMPUTER_H
#define ZW_CREATE_PAGECOMPUTER_H

#include "PageTable.h"
#include "Units.h"
#include "zwplatform.h"

#include <functional>

namespace zw::create {

enum class CreateMode { InPlace, FromZero };

// The samples a page occupies in the work memory (and in the target).
struct PageStretch {
    double first = 0.0;  // position of the first sample
    double length = 0.0; // samples; 0 for an empty stretch
};

// Where Page OK and All Page OK put the result. `backup` is called once,
// before the first sample of `memory` changes (the document's undo backup;
// empty for an operand, which is cleared over its whole size instead).
struct CreateTarget {
    ZwMemHandle memory = 0;
    std::function<void()> backup;
};

class PageComputer {
public:
    // `work` is the caller's memory; `units` gives the display units and the
    // used length N.
    PageComputer(ZwMemHandle work, const Units& units, CreateMode mode)
        : work_(work), units_(units), mode_(mode) {}

    CreateMode mode() const { return mode_; }
    ZwMemHandle work() const { return work_; }
    const Units& units() const { return units_; }
    double waveLength() const { return units_.setting().WaveLength; }

    // Where the page lands: from max(start, 0) to min(end, N) in place; from
    // 0 for min(end - start, N) samples from zero. Nothing for a page with a
    // value that is not a number.
    PageStretch stretchOf(const PageRecord& page) const;

    // Computes the page into the work memory with its generator or, for an
    // expression page, the prepared text through EvalArray1. 0, 18 or the
    // evaluator's code (samples before the error stay). An expression that
    // stops before the end of its text ('3 4') is 100.
    int Make_Wave(const PageRecord& page) const;

    // Compute (the formula frame's button): lower-cases the constants and
    // stores them back, checks them by evaluating them followed by the
    // page's start sample and then its end sample (18 on any failure, the
    // page is not computed), then Make_Wave.
    int checkConstants(PageRecord& page) const;

    // Clears the work memory over the whole used length.
    void clearWork() const;
    // Clears the page's stretch of the work memory (Page Clear).
    void clearStretch(const PageRecord& page) const;

    // Copies the page's stretch from the work memory into `target`.
    void copyToTarget(const PageRecord& page, ZwMemHandle target) const;

private:
    int makeExpression(const PageRecord& page, PageStretch at) const;

    ZwMemHandle work_;
    Units units_;
    CreateMode mode_;
};

// Computes a page with the table's bookkeeping: the table forgets what it
// held before, and on success the page records its computed revision.
int ComputePage(PageTable& table, int number, const PageComputer& computer);

// Compute: checkConstants, then ComputePage; a page that was computed is
// marked (see PageTable::markChanged).
int ComputeWithConstantCheck(PageTable& table, int number, const PageComputer& computer);

// All Page OK: clears the work memory and the evaluator's constants, then
// computes every effective page 1 .. 200 in page order into the work memory.
// On the first error its code is returned and the target is not touched.
// Otherwise the target's backup is made (or, without one, the target is
// cleared over its whole size) and each page's stretch is copied in page
// order, so where stretches overlap the later page wins. Nothing to do when
// no page is effective (0, the target untouched).
int AllPageOK(PageTable& table, const PageComputer& computer, CreateTarget& target);

// Page OK: computes the page first when the work memory does not hold it as
// it stands (an error is returned with the target untouched); then the
// backup (or the clear of an operand), the copy of its stretch, and the
// evaluator's constants are emptied.
int PageOK(PageTable& table, int number, const PageComputer& computer, CreateTarget& target);

} // namespace zw::create

#endif // ZW_CREATE_PAGECOMPUTER_H
