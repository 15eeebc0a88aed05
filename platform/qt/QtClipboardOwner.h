// The platform layer's clipboard owner over the desktop clipboard
// (QClipboard), so that the file library's clipboard functions exchange text
// with every other program. Texts cross as UTF-8; the sample texts are plain
// ASCII digits either way. Needs a QGuiApplication; without one, opening
// fails and the library reports its clipboard error.
#ifndef ZW_PLATFORM_QT_QTCLIPBOARDOWNER_H
#define ZW_PLATFORM_QT_QTCLIPBOARDOWNER_H

#include "zwplatform.h"

#include <QByteArray>

namespace zw {

class QtClipboardOwner {
public:
    QtClipboardOwner();
    QtClipboardOwner(const QtClipboardOwner&) = delete;
    QtClipboardOwner& operator=(const QtClipboardOwner&) = delete;

    ZwClipboardOwner* get() { return &owner_; }

    bool open();
    void close();
    bool empty();
    bool setText(const char* text, std::size_t len);
    // The clipboard's text, valid until close; nullptr when it holds none.
    const char* text(std::size_t* len);

private:
    ZwClipboardOwner owner_{};
    bool open_ = false;
    QByteArray held_;
};

} // namespace zw

#endif // ZW_PLATFORM_QT_QTCLIPBOARDOWNER_H
