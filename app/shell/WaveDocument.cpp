#include "WaveDocument.h"

#include "Rounding.h"
#include "docio32.h"
#include "formula32.h"
#include "sigcore32.h"

#include <algorithm>
#include <cmath>

namespace zw {

WaveDocument::~WaveDocument() {
    release();
}

bool WaveDocument::allocate() {
    release();
    for (auto* slot : {&EditMemory_[0], &EditMemory_[1], &WorkMemory_[0], &WorkMemory_[1]}) {
        *slot = W_AllocMemory(kMemorySamples);
        if (*slot == 0) {
            release();
            return false;
        }
    }
    return true;
}

void WaveDocument::release() {
    for (auto* slot : {&EditMemory_[0], &EditMemory_[1], &WorkMemory_[0], &WorkMemory_[1]}) {
        if (*slot != 0)
            W_FreeMemory(*slot);
        *slot = 0;
    }
}

void WaveDocument::setWaveLength(long length) {
    length = std::clamp(length, 1L, static_cast<long>(kMemorySamples));
    if (length > WaveLength_) {
        const double grown = static_cast<double>(length - WaveLength_);
        for (ZwMemHandle h : {EditMemory_[0], EditMemory_[1], WorkMemory_[0], WorkMemory_[1]})
            if (h != 0)
                W_ClearMemory(h, static_cast<double>(WaveLength_), grown);
    }
    WaveLength_ = length;
    // Markers never point past the used length.
    for (auto& record : MarkerPair_) {
        record.MarkA = std::min(record.MarkA, static_cast<double>(length));
        record.MarkB = std::min(record.MarkB, static_cast<double>(length));
    }
}

void WaveDocument::setMarkersOfBoth(const MarkerRecord& record) {
    MarkerPair_[CurrentMemory_] = record;
    MarkerPair_[1 - CurrentMemory_] = record;
}

int32_t WaveDocument::markedStart() const {
    return static_cast<int32_t>(std::ceil(markers().MarkA));
}

int32_t WaveDocument::markedLength() const {
    return static_cast<int32_t>(std::ceil(markers().MarkB - markers().MarkA));
}

void WaveDocument::backup() {
    const int other = 1 - CurrentMemory_;
    W_CopyMemory(EditMemory_[CurrentMemory_], EditMemory_[other], 0, 0,
                 static_cast<double>(WaveLength_));
    MarkerPair_[other] = MarkerPair_[CurrentMemory_];
    UndoArmed_ = true;
    UndoMenuOff_ = false;
}

void WaveDocument::resetUndo() {
    UndoMenuOff_ = true;
    UndoArmed_ = true;
}

void WaveDocument::toggleUndo() {
    if (UndoMenuOff_)
        return; // nothing to undo yet: the menu item is disabled
    UndoArmed_ = false;
    CurrentMemory_ = 1 - CurrentMemory_;
}

int32_t WaveDocument::copyMarked(ZwClipboardOwner* owner) {
    // Copying changes no sample: the undo of the last edit stays as it is.
    return SetClipBoard(owner, current(), markedStart(), markedLength());
}

int32_t WaveDocument::cutMarked(ZwClipboardOwner* owner) {
    const int32_t result = SetClipBoard(owner, current(), markedStart(), markedLength());
    if (result > 0)
        return result;
    deleteMarked();
    return 0;
}

void WaveDocument::deleteMarked() {
    backup();
    MarkerRecord& m = markers();
    W_DeleteWave(current(), m.MarkA, m.MarkB - m.MarkA, static_cast<int32_t>(WaveLength_));
    m.MarkB = m.MarkA;
}

int32_t WaveDocument::pasteMarked(ZwClipboardOwner* owner) {
    backup();
    int32_t count = 0;
    const int32_t start = markedStart();
    const int32_t result = GetClipBoard(owner, current(), start, markedLength(),
                                        static_cast<int32_t>(WaveLength_), &count);
    if (result > 0)
        return result;
    markers().MarkB = static_cast<double>(start) + count;
    return 0;
}

int32_t WaveDocument::applyDigitalPattern(const std::string& pattern) {
    backup();
    const MarkerRecord& m = markers();
    int16_t position = 0;
    return DigitalPattern(pattern.c_str(), static_cast<int32_t>(RoundHalfEven(m.MarkA)), current(),
                          static_cast<int32_t>(RoundHalfEven(m.MarkB - m.MarkA)), &position);
}

void WaveDocument::copyDigitalLine(int32_t sourceBit, int32_t targetBit) {
    backup();
    const MarkerRecord& m = markers();
    W_CopyBitDigital(current(), m.MarkA, m.MarkB - m.MarkA, sourceBit, targetBit);
}

void WaveDocument::clearDocument() {
    W_ClearMemory(current(), 0, static_cast<double>(WaveLength_));
}

} // namespace zw
