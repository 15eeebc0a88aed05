// QMessageBox behind the MessageService interface.
#include "QtMessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace zw {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtMessageService::displayText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    while (t.endsWith(u'\n'))
        t.chop(1);
    return t;
}

MessageAnswer QtMessageService::show(const MessageBoxRequest& box) {
    QMessageBox mb(toQt(box.icon), box.title, displayText(box.text), QMessageBox::NoButton,
                   QApplication::activeWindow());
    mb.setTextFormat(Qt::PlainText);
    if (box.buttons == MessageButtons::YesNo) {
        mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        mb.setDefaultButton(QMessageBox::Yes);
        mb.setEscapeButton(QMessageBox::No);
        return mb.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    if (box.buttons == MessageButtons::SaveDiscardCancel) {
        mb.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        mb.setDefaultButton(QMessageBox::Save);
        mb.setEscapeButton(QMessageBox::Cancel);
        switch (mb.exec()) {
        case QMessageBox::Save:
            return MessageAnswer::Save;
        case QMessageBox::Discard:
            return MessageAnswer::Discard;
        default:
            return MessageAnswer::Cancel;
        }
    }
    mb.setStandardButtons(QMessageBox::Ok);
    mb.exec();
    return MessageAnswer::Ok;
}

} // namespace zw
