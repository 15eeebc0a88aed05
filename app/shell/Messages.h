// The message boxes of the catalogue: error, warning and caution boxes with
// their fixed titles, built on a MessageService.
//
//   Operation          text                buttons, icon      title
//   ShowErrorCode(c)   MessageText(c)      Ok, none           "Error Message"
//   ShowErrorText(t)   t                   Ok, none           "Error Message"
//   AskWarning(t)      t                   Yes/No, critical   "Warning Message"
//   AskCaution(c)      MessageText(c)      Yes/No, question   "Caution Message"
//   ShowCaution(t)     t                   Ok, critical       "Caution Message"
//
// ShowCaution is the direct box of the closing refusals (messages 4 and 226).
// Boxes with other titles ("Interface Error", "ModelCheck", ...) go through
// show().
#ifndef ZW_SHELL_MESSAGES_H
#define ZW_SHELL_MESSAGES_H

#include "MessageCatalog.h"
#include "MessageService.h"

namespace zw {

inline constexpr char kErrorTitle[] = "Error Message";
inline constexpr char kWarningTitle[] = "Warning Message";
inline constexpr char kCautionTitle[] = "Caution Message";

class Messages {
public:
    // Both must outlive this object.
    Messages(const MessageCatalog& catalog, MessageService& service)
        : catalog_(catalog), service_(service) {}

    const MessageCatalog& catalog() const { return catalog_; }
    QString MessageText(int code) const { return catalog_.MessageText(code); }

    void ShowErrorCode(int code);
    void ShowErrorText(const QString& text);
    MessageAnswer AskWarning(const QString& text);
    MessageAnswer AskCaution(int code);
    void ShowCaution(const QString& text);

    // Any other box, e.g. a critical box without title.
    MessageAnswer show(const MessageBoxRequest& box) { return service_.show(box); }

private:
    const MessageCatalog& catalog_;
    MessageService& service_;
};

} // namespace zw

#endif // ZW_SHELL_MESSAGES_H
