// "May the document be replaced?" — asked before File > Open, File > Import
// and closing replace or drop a document with unsaved changes. The user
// answers Save (the usual save, Save As for an untitled document), Discard
// or Cancel.
#ifndef ZW_UI_DISCARDQUESTION_H
#define ZW_UI_DISCARDQUESTION_H

namespace zw {

struct EditorContext;

// The catalogue's question "The waveform has been changed. Save the changes?".
inline constexpr int kAskSaveChanges = 97;

// True when the caller may go on: the document was not modified, the user
// chose Discard, or chose Save and the document was written. False for
// Cancel and for a save that was cancelled or failed (its error shown).
bool MayDiscardDocument(EditorContext& context);

} // namespace zw

#endif // ZW_UI_DISCARDQUESTION_H
