// What a GUI test needs before it can show a window of the editor: settings in
// a file of its own, the message catalogue and messages answered by a script,
// the current setting restored, the document at the model's length, an edit
// session, the context over all of them and, for most, the main window.
// Members are declared in the order they depend on each other, so they are
// destroyed window first, settings file last.
#pragma once

#include "CurrentSetting.h"
#include "EditSession.h"
#include "EditorContext.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "Messages.h"
#include "ScriptedFileDialogService.h"
#include "ScriptedMessageService.h"
#include "WaveDocument.h"
#include "clsRegistry.h"

#include <QApplication>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zwtest {

class EditorFixture {
protected:
    // A fresh context in `language`: new settings, catalogue, messages and
    // session over the document. The document's memory is allocated anew,
    // unless keepsMemory is set and it is allocated already.
    void makeContext(zw::Language language, const QString& programFolder,
                     const zw::StoredSetting& stored = {}) {
        releaseEditor();
        ASSERT_TRUE(dir.isValid());
        registry = std::make_unique<zw::clsRegistry>(dir.filePath("ZW4410.ini"));
        catalog = std::make_unique<zw::MessageCatalog>(language);
        messages = std::make_unique<zw::Messages>(*catalog, boxes);
        setting.loadModelLists();
        ASSERT_TRUE(setting.restore(stored));
        if (!keepsMemory || !doc.allocated()) {
            ASSERT_TRUE(doc.allocate());
        }
        doc.setWaveLength(setting.waveLength());
        session = std::make_unique<zw::EditSession>(doc, setting, *registry);
        context.reset(new zw::EditorContext{language, *catalog, *messages, *registry, doc, setting,
                                            *session, fileDialogs, programFolder, nullptr});
    }
    void makeContext(zw::Language language) { makeContext(language, dir.path()); }

    // The main window over the context, loaded untitled and shown.
    enum class Activation { Leave, Activate };
    void openWindow(Activation activation = Activation::Leave) {
        window = std::make_unique<zw::MainWindow>(*context);
        window->load(QString());
        window->resize(1000, 700);
        window->show();
        if (activation == Activation::Activate)
            QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    // A fresh context and main window in `language`.
    void openEditor(zw::Language language, Activation activation = Activation::Leave) {
        openEditor(language, dir.path(), activation);
    }
    void openEditor(zw::Language language, const QString& programFolder,
                    Activation activation = Activation::Leave) {
        makeContext(language, programFolder);
        if (::testing::Test::HasFatalFailure())
            return;
        openWindow(activation);
    }

    // Window, context and session go, in that order; the rest stays.
    void releaseEditor() {
        window.reset();
        context.reset();
        session.reset();
    }

    bool keepsMemory = false;

    QTemporaryDir dir;
    ScriptedMessageService boxes;
    ScriptedFileDialogService fileDialogs;
    std::unique_ptr<zw::clsRegistry> registry;
    std::unique_ptr<zw::MessageCatalog> catalog;
    std::unique_ptr<zw::Messages> messages;
    zw::CurrentSetting setting;
    zw::WaveDocument doc;
    std::unique_ptr<zw::EditSession> session;
    std::unique_ptr<zw::EditorContext> context;
    std::unique_ptr<zw::MainWindow> window;
};

} // namespace zwtest
