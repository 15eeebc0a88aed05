// The clipboard owner over QClipboard: the file library's clipboard text goes
// to the desktop clipboard and comes back from it.
#include "QtClipboardOwner.h"

#include "docio32.h"
#include "zwplatform.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <memory>

namespace {

QGuiApplication& app() {
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance =
        QGuiApplication::instance() ? qobject_cast<QGuiApplication*>(QGuiApplication::instance())
                                    : new QGuiApplication(argc, argv);
    return *instance;
}

struct Memory {
    explicit Memory(std::size_t samples) : handle(ZwGlobalAlloc(samples * 2)) {}
    ~Memory() { ZwGlobalFree(handle); }
    ZwMemHandle handle;
};

TEST(QtClipboardOwner, SetClipBoardReachesTheDesktopClipboard) {
    app();
    Memory memory(4);
    {
        zw::LockedBlock<int16_t> codes(memory.handle);
        codes[0] = 0;
        codes[1] = 1;
        codes[2] = -1;
    }
    zw::QtClipboardOwner owner;
    ASSERT_EQ(SetClipBoard(owner.get(), memory.handle, 0, 3), 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("0\n1\n65535\n"));
}

TEST(QtClipboardOwner, GetClipBoardReadsTextPutThereByAnotherProgram) {
    app();
    QGuiApplication::clipboard()->setText("10 20\r\n30");
    Memory memory(8);
    zw::QtClipboardOwner owner;
    int32_t pasted = -1;
    ASSERT_EQ(GetClipBoard(owner.get(), memory.handle, 1, 0, 8, &pasted), 0);
    EXPECT_EQ(pasted, 3);
    zw::LockedBlock<int16_t> codes(memory.handle);
    EXPECT_EQ(codes[1], 10);
    EXPECT_EQ(codes[2], 20);
    EXPECT_EQ(codes[3], 30);
}

TEST(QtClipboardOwner, ClipboardWithoutTextIsAReadError) {
    app();
    auto data = std::make_unique<QMimeData>();
    data->setData("application/octet-stream", QByteArray("\x01\x02", 2));
    QGuiApplication::clipboard()->setMimeData(data.release());
    Memory memory(4);
    zw::QtClipboardOwner owner;
    int32_t pasted = -1;
    EXPECT_EQ(GetClipBoard(owner.get(), memory.handle, 0, 1, 4, &pasted), 81);
}

TEST(QtClipboardOwner, OpensOnceAtATime) {
    app();
    zw::QtClipboardOwner owner;
    ZwClipboardOwner* c = owner.get();
    EXPECT_EQ(c->open(c->ctx), 1);
    EXPECT_EQ(c->open(c->ctx), 0);
    c->close(c->ctx);
    EXPECT_EQ(c->open(c->ctx), 1);
    EXPECT_EQ(c->empty(c->ctx), 1);
    size_t len = 7;
    EXPECT_EQ(c->get_text(c->ctx, &len), nullptr);
    EXPECT_EQ(len, 0u);
    c->close(c->ctx);
    // Closed: nothing may be set.
    EXPECT_EQ(c->set_text(c->ctx, "1", 1), 0);
}

} // namespace
