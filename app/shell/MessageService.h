// The one way the editor shows a message box. Windows and logic classes ask
// a MessageService; the program gives them QtMessageService, tests a
// scripted double (tests/support/ScriptedMessageService.h) that records
// every box and answers as told.
#ifndef ZW_SHELL_MESSAGESERVICE_H
#define ZW_SHELL_MESSAGESERVICE_H

#include <QString>

namespace zw {

enum class MessageIcon { None, Critical, Question, Warning, Information };
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

// One modal box. Texts may contain carriage returns ("\r") as line breaks,
// as the catalogue's texts do.
struct MessageBoxRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;

    bool operator==(const MessageBoxRequest&) const = default;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box modally over the active window and returns the button
    // pressed: Ok for an Ok box; Yes or No for a Yes/No box (closing it
    // counts as No); Save, Discard or Cancel (closing it counts as Cancel).
    virtual MessageAnswer show(const MessageBoxRequest& box) = 0;
};

} // namespace zw

#endif // ZW_SHELL_MESSAGESERVICE_H
