// The catalogue's four kinds of box.
#include "Messages.h"

namespace zw {

void Messages::ShowErrorCode(int code) {
    ShowErrorText(catalog_.MessageText(code));
}

void Messages::ShowErrorText(const QString& text) {
    service_.show({QString::fromLatin1(kErrorTitle), text, MessageIcon::None, MessageButtons::Ok});
}

MessageAnswer Messages::AskWarning(const QString& text) {
    return service_.show(
        {QString::fromLatin1(kWarningTitle), text, MessageIcon::Critical, MessageButtons::YesNo});
}

MessageAnswer Messages::AskCaution(int code) {
    return service_.show({QString::fromLatin1(kCautionTitle), catalog_.MessageText(code),
                          MessageIcon::Question, MessageButtons::YesNo});
}

void Messages::ShowCaution(const QString& text) {
    service_.show(
        {QString::fromLatin1(kCautionTitle), text, MessageIcon::Critical, MessageButtons::Ok});
}

} // namespace zw
