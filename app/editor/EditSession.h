// The editing session: the state and the rules every window of the editor
// shares, without a widget. It holds what is edited (the document with its
// undo, the current instrument setting, the document names) and how: the
// marker mode and distance, the selected digital lines, the tool mode, the
// Edit commands, opening and saving, start-up and the closing policy.
//
// Commands return 0 or the catalogue message the window shows. Whatever a
// command changes is reported once through changed(); windows redraw and
// refresh their read-outs from that signal, whoever made the change.
//
// A tool window that rewrites the document uses editSamples() (undo backup,
// the edit, the notification) or, when its backup comes earlier than its
// edit, backup() and then samplesChanged().
#ifndef ZW_EDITOR_EDITSESSION_H
#define ZW_EDITOR_EDITSESSION_H

#include "DocumentNames.h"
#include "MarkerRules.h"
#include "PlugInImport.h"
#include "ToolMode.h"
#include "WaveDocument.h"

#include <QFlags>
#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <type_traits>

namespace zw {

class CurrentSetting;
class ImportHostLibrary;
class clsRegistry;

enum class EditChange : unsigned {
    Samples = 1u << 0,  // the document's samples
    Markers = 1u << 1,  // marker positions or the distance between them
    Title = 1u << 2,    // the wave file name
    Undo = 1u << 3,     // whether undo is possible, and its caption
    ToolMode = 1u << 4, // a tool window opened or closed
    Document = 1u << 5, // a file was read (or the open was cancelled): the
                        // view starts again over the whole WaveLength
    LineMask = 1u << 6, // the selected digital lines
};
Q_DECLARE_FLAGS(EditChanges, EditChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(EditChanges)

class EditSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kCautionInterfaceBusy = 226;
    static constexpr int kCautionShutdown = 4;
    static constexpr int kAskExit = 98;
    static constexpr int kSyntaxError = 118;

    EditSession(WaveDocument& document, CurrentSetting& setting, clsRegistry& registry,
                QObject* parent = nullptr);

    WaveDocument& document() { return document_; }
    const WaveDocument& document() const { return document_; }
    CurrentSetting& setting() { return setting_; }
    const CurrentSetting& setting() const { return setting_; }
    DocumentNames& names() { return names_; }
    const DocumentNames& names() const { return names_; }
    long WaveLength() const { return document_.WaveLength(); }

    // Start-up: reads the command-line file (empty for none), places the
    // markers at 0 and WaveLength in both edit memories, no tool, undo
    // reset, and clears the document when no file was read. Returns the
    // reading's message (0 for none). Reports everything as changed.
    int startUp(const QString& commandLineFile);

    // ---- Markers
    const MarkerRecord& markers() const { return document_.markers(); }
    MarkerMode markerMode() const { return markerMode_; }
    void setMarkerMode(MarkerMode mode) { markerMode_ = mode; }
    double MarkDistance() const { return markDistance_; }
    // A drag of a marker to the whole sample p (Markers when accepted).
    MarkerChange dragMarker(MarkerId marker, double p);
    // Typed positions and distance in samples, already limited to
    // 0 .. WaveLength. False when the rules refuse the position: the window
    // shows the old value again.
    bool typeStart(double samples);
    bool typeEnd(double samples);
    void typeDistance(double samples);
    // Places both markers (a tool window's result); the distance follows.
    void setMarkers(const MarkerRecord& markers);

    // ---- Digital lines (line 0 is bit 0 of the mask)
    int32_t lineMask() const { return lineMask_; }
    void toggleLine(int line);
    // Copies one line onto another over the marked stretch (undo backup).
    void copyLine(int fromLine, int toLine);

    // ---- Tool mode
    ToolMode toolMode() const { return toolMode_; }
    void setToolMode(ToolMode mode);

    // ---- Undo
    void backup();
    void resetUndo();
    void undo();
    // After a tool wrote into document().current() (its backup made before).
    void samplesChanged();
    // Undo backup, then edit(memory, WaveLength) on the document memory,
    // then Samples and Markers are reported. Returns what edit returns.
    template <typename Edit> decltype(auto) editSamples(Edit&& edit);

    // ---- Edit commands on the marked stretch
    int32_t copyMarked(ZwClipboardOwner* clipboard);
    int32_t cutMarked(ZwClipboardOwner* clipboard);
    void deleteMarked();
    int32_t pasteMarked(ZwClipboardOwner* clipboard);
    // Pattern button `index`: 0..2 set low, high or invert the selected
    // lines, 3 runs `typed`. Nothing happens on an empty stretch, or for
    // 0..2 without a selected line. A pattern error is 110..118, any other
    // failure 118 "Syntax error."; the samples written before it stay.
    int32_t applyPattern(int index, const std::string& typed);

    // ---- Files
    // Reads a wave file (binary or text by its extension); the view starts
    // again whether or not it succeeded. Returns 0 or the message.
    int open(const QString& path);
    // The open dialog was cancelled: the view starts again all the same.
    void openCancelled();
    int save(const QString& path);
    // File > Import through the plug-ins of `pluginFolder` (PlugInImport.h):
    // `choose` runs the file dialog. An imported file is reported like an
    // edit (its backup made) with a new title.
    ImportOutcome importFile(ImportHostLibrary& host, const QString& pluginFolder,
                             const ImportFileChooser& choose);

    // ---- Closing
    // 226 while this instance transfers (closing is refused), else 0.
    int closeRefusal();

signals:
    void changed(zw::EditChanges what);

private:
    void report(EditChanges what);
    void distanceFromMarkers();

    WaveDocument& document_;
    CurrentSetting& setting_;
    clsRegistry& registry_;
    DocumentNames names_;
    MarkerMode markerMode_ = MarkerMode::Independent;
    double markDistance_ = 0;
    int32_t lineMask_ = 0;
    ToolMode toolMode_ = ToolMode::None;
};

template <typename Edit> decltype(auto) EditSession::editSamples(Edit&& edit) {
    backup();
    if constexpr (std::is_void_v<decltype(edit(document_.current(), document_.WaveLength()))>) {
        edit(document_.current(), document_.WaveLength());
        report(EditChange::Samples | EditChange::Markers);
    } else {
        auto result = edit(document_.current(), document_.WaveLength());
        report(EditChange::Samples | EditChange::Markers);
        return result;
    }
}

} // namespace zw

#endif // ZW_EDITOR_EDITSESSION_H
