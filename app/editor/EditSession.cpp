#include "EditSession.h"

#include "DigitalLines.h"
#include "WaveFileCommands.h"
#include "clsRegistry.h"

namespace zw {

EditSession::EditSession(WaveDocument& document, CurrentSetting& setting, clsRegistry& registry,
                         QObject* parent)
    : QObject(parent), document_(document), setting_(setting), registry_(registry) {}

void EditSession::report(EditChanges what) {
    emit changed(what);
}

void EditSession::distanceFromMarkers() {
    markDistance_ = markers().MarkB - markers().MarkA;
}

int EditSession::startUp(const QString& commandLineFile) {
    int result = 0;
    if (!commandLineFile.isEmpty())
        result = WaveFileCommands(document_, setting_, names_).open(commandLineFile);
    document_.setMarkersOfBoth(MarkerRecord{0, static_cast<double>(document_.WaveLength())});
    toolMode_ = ToolMode::None;
    document_.resetUndo();
    if (names_.untitled())
        document_.clearDocument();
    distanceFromMarkers();
    report(EditChange::Samples | EditChange::Markers | EditChange::Title | EditChange::Undo |
           EditChange::ToolMode | EditChange::Document | EditChange::LineMask);
    return result;
}

// ---------------------------------------------------------------------------
// Markers

MarkerChange EditSession::dragMarker(MarkerId marker, double p) {
    MarkerRules rules(document_.markers(), markDistance_, markerMode_, document_.WaveLength());
    const MarkerChange change = marker == MarkerId::A ? rules.dragA(p) : rules.dragB(p);
    if (change.accepted)
        report(EditChange::Markers);
    return change;
}

bool EditSession::typeStart(double samples) {
    MarkerRules rules(document_.markers(), markDistance_, markerMode_, document_.WaveLength());
    const bool accepted = rules.typeStart(samples).accepted;
    if (accepted)
        report(EditChange::Markers);
    return accepted;
}

bool EditSession::typeEnd(double samples) {
    MarkerRules rules(document_.markers(), markDistance_, markerMode_, document_.WaveLength());
    const bool accepted = rules.typeEnd(samples).accepted;
    if (accepted)
        report(EditChange::Markers);
    return accepted;
}

void EditSession::typeDistance(double samples) {
    MarkerRules rules(document_.markers(), markDistance_, markerMode_, document_.WaveLength());
    rules.typeDistance(samples);
    report(EditChange::Markers);
}

void EditSession::setMarkers(const MarkerRecord& record) {
    document_.markers() = record;
    distanceFromMarkers();
    report(EditChange::Markers);
}

// ---------------------------------------------------------------------------
// Digital lines

void EditSession::toggleLine(int line) {
    lineMask_ ^= int32_t{1} << line;
    report(EditChange::LineMask);
}

void EditSession::copyLine(int fromLine, int toLine) {
    document_.copyDigitalLine(CodeBitOfLine(fromLine), CodeBitOfLine(toLine));
    report(EditChange::Undo | EditChange::Samples | EditChange::Markers);
}

// ---------------------------------------------------------------------------
// Tool mode and undo

void EditSession::setToolMode(ToolMode mode) {
    if (mode == toolMode_)
        return;
    toolMode_ = mode;
    report(EditChange::ToolMode);
}

void EditSession::backup() {
    document_.backup();
    report(EditChange::Undo);
}

void EditSession::resetUndo() {
    document_.resetUndo();
    report(EditChange::Undo);
}

void EditSession::undo() {
    if (document_.UndoMenuOff())
        return;
    document_.toggleUndo();
    distanceFromMarkers();
    report(EditChange::Undo | EditChange::Samples | EditChange::Markers);
}

void EditSession::samplesChanged() {
    report(EditChange::Samples | EditChange::Markers);
}

// ---------------------------------------------------------------------------
// Edit commands

int32_t EditSession::copyMarked(ZwClipboardOwner* clipboard) {
    const int32_t result = document_.copyMarked(clipboard);
    report(EditChange::Undo);
    return result > 0 ? result : 0;
}

int32_t EditSession::cutMarked(ZwClipboardOwner* clipboard) {
    const int32_t result = document_.cutMarked(clipboard);
    if (result > 0) {
        report(EditChange::Undo);
        return result;
    }
    markDistance_ = 0;
    report(EditChange::Undo | EditChange::Samples | EditChange::Markers);
    return 0;
}

void EditSession::deleteMarked() {
    document_.deleteMarked();
    markDistance_ = 0;
    report(EditChange::Undo | EditChange::Samples | EditChange::Markers);
}

int32_t EditSession::pasteMarked(ZwClipboardOwner* clipboard) {
    const int32_t result = document_.pasteMarked(clipboard);
    if (result > 0) {
        report(EditChange::Undo);
        return result;
    }
    distanceFromMarkers();
    report(EditChange::Undo | EditChange::Samples | EditChange::Markers);
    return 0;
}

int32_t EditSession::applyPattern(int index, const std::string& typed) {
    const MarkerRecord& m = markers();
    if (m.MarkB - m.MarkA == 0)
        return 0;
    std::string text = typed;
    if (index < 3) {
        if (lineMask_ == 0)
            return 0;
        text = FixedPatternText(index, lineMask_);
    }
    const int32_t result = document_.applyDigitalPattern(text);
    // An error found while running leaves the samples written so far.
    report(EditChange::Undo | EditChange::Samples | EditChange::Markers);
    if (result == 0)
        return 0;
    return result >= 110 && result <= 118 ? result : kSyntaxError;
}

// ---------------------------------------------------------------------------
// Files

int EditSession::open(const QString& path) {
    const int result = WaveFileCommands(document_, setting_, names_).open(path);
    // A new length has already pulled the markers inside it.
    distanceFromMarkers();
    report(EditChange::Title | EditChange::Undo | EditChange::Document | EditChange::Samples |
           EditChange::Markers);
    return result;
}

void EditSession::openCancelled() {
    distanceFromMarkers();
    report(EditChange::Document | EditChange::Samples | EditChange::Markers);
}

int EditSession::save(const QString& path) {
    const int result = WaveFileCommands(document_, setting_, names_).save(path);
    if (result == 0)
        report(EditChange::Title);
    return result;
}

ImportOutcome EditSession::importFile(ImportHostLibrary& host, const QString& pluginFolder,
                                      const ImportFileChooser& choose) {
    const ImportOutcome outcome = PlugInImport(host, document_, names_).run(pluginFolder, choose);
    if (outcome.imported)
        report(EditChange::Undo | EditChange::Samples | EditChange::Markers | EditChange::Title);
    return outcome;
}

// ---------------------------------------------------------------------------
// Closing

int EditSession::closeRefusal() {
    return registry_.IsTransferring() ? kCautionInterfaceBusy : 0;
}

} // namespace zw
