// The document: the waveform being edited and its one level of undo. Two
// edit memories hold the document and the state one step away (before the
// last edit, or after the last undo); each memory has its own marker record,
// so undo and redo restore the markers too. Two work memories are kept for
// the tool windows. All four hold 65536 samples whatever the used length.
//
// Every change of the document's samples first makes the undo backup; the
// edits here (Cut, Copy, Paste, Delete, digital patterns and line copies) do
// so themselves.
#ifndef ZW_SHELL_WAVEDOCUMENT_H
#define ZW_SHELL_WAVEDOCUMENT_H

#include "MarkerRules.h"
#include "zwplatform.h"

#include <array>
#include <cstdint>
#include <string>

namespace zw {

class WaveDocument {
public:
    static constexpr int32_t kMemorySamples = 65536;

    WaveDocument() = default;
    ~WaveDocument();
    WaveDocument(const WaveDocument&) = delete;
    WaveDocument& operator=(const WaveDocument&) = delete;

    // Allocates the four memories (zero-filled). False when one cannot be
    // had; what was allocated is released again.
    bool allocate();
    void release();
    bool allocated() const { return EditMemory_[0] != 0; }

    ZwMemHandle EditMemory(int index) const { return EditMemory_[index & 1]; }
    ZwMemHandle WorkMemory(int index) const { return WorkMemory_[index & 1]; }
    // The memory that holds the document.
    ZwMemHandle current() const { return EditMemory_[CurrentMemory_]; }
    int CurrentMemory() const { return CurrentMemory_; }

    long WaveLength() const { return WaveLength_; }
    // A new used length; when it grows, the samples from the old to the new
    // length are cleared in all four memories first. Limited to 1 .. 65536.
    void setWaveLength(long length);

    // The marker record of the shown memory, and of either edit memory.
    MarkerRecord& markers() { return MarkerPair_[CurrentMemory_]; }
    const MarkerRecord& markers() const { return MarkerPair_[CurrentMemory_]; }
    MarkerRecord& MarkerPair(int index) { return MarkerPair_[index & 1]; }
    // Markers of both edit memories at once (start-up, after reading a file).
    void setMarkersOfBoth(const MarkerRecord& record);

    // The marked stretch: from ceil(MarkA), ceil(MarkB - MarkA) samples.
    int32_t markedStart() const;
    int32_t markedLength() const;

    // Undo.
    void backup();
    void resetUndo();
    void toggleUndo();
    bool UndoArmed() const { return UndoArmed_; }
    bool UndoMenuOff() const { return UndoMenuOff_; }

    // The Edit commands on the marked stretch. Results are 0 or a catalogue
    // code (the clipboard's failures, 81 or 83 and the like).
    int32_t copyMarked(ZwClipboardOwner* owner);
    // Puts the stretch on the clipboard and deletes it; when the clipboard
    // refuses the text nothing is deleted and its code is returned.
    int32_t cutMarked(ZwClipboardOwner* owner);
    void deleteMarked();
    int32_t pasteMarked(ZwClipboardOwner* owner);

    // Rewrites the digital lines of the marked stretch by a pattern; the
    // evaluator's code (0 done, 110..118 the pattern's error, other codes
    // are malformed patterns too).
    int32_t applyDigitalPattern(const std::string& pattern);
    // Copies the code bit `sourceBit` onto `targetBit` over the stretch.
    void copyDigitalLine(int32_t sourceBit, int32_t targetBit);

    // Clears the document memory over the used length (a new document).
    void clearDocument();

private:
    std::array<ZwMemHandle, 2> EditMemory_{};
    std::array<ZwMemHandle, 2> WorkMemory_{};
    int CurrentMemory_ = 0;
    long WaveLength_ = 1000;
    std::array<MarkerRecord, 2> MarkerPair_{}; // one per edit memory
    bool UndoArmed_ = true;
    bool UndoMenuOff_ = true;
};

} // namespace zw

#endif // ZW_SHELL_WAVEDOCUMENT_H
