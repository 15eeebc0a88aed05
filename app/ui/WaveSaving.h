// Saving the document as File > Save and Save As do, for the File menu and
// for the question before unsaved work is replaced: the file dialogs with
// the proposed name, the session's writing, the error with the file's name
// and the system's reason, and the file kept among the recent files.
#ifndef ZW_UI_WAVESAVING_H
#define ZW_UI_WAVESAVING_H

class QString;

namespace zw {

struct EditorContext;

class WaveSaving {
public:
    explicit WaveSaving(EditorContext& context) : ctx_(context) {}

    // Save to the current name, Save As for an untitled document. True when
    // the document was written.
    bool save();
    // Save As: the binary (.wdb) or the text (.txt) form. True when written.
    bool saveAs(bool binary);

    // Shows an open or save result: a file error with the file and the
    // reason, any other message as it is. A success is remembered among the
    // recent files.
    void report(int message, const QString& path);

private:
    EditorContext& ctx_;
};

// Where a dialog proposes an untitled file: Documents when it exists, else
// the home folder.
QString UntitledFolder();

} // namespace zw

#endif // ZW_UI_WAVESAVING_H
