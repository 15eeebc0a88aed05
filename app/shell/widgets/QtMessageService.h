// MessageService shown with QMessageBox, modal over the active window.
#ifndef ZW_SHELL_QTMESSAGESERVICE_H
#define ZW_SHELL_QTMESSAGESERVICE_H

#include "MessageService.h"

class QWidget;

namespace zw {

class QtMessageService : public MessageService {
public:
    MessageAnswer show(const MessageBoxRequest& box) override;

    // Carriage returns (alone or before a line feed) become line breaks and
    // trailing ones are dropped, since catalogue texts end in one.
    static QString displayText(const QString& text);
};

} // namespace zw

#endif // ZW_SHELL_QTMESSAGESERVICE_H
