#include "VersionDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace zw {

QString EnglishStyleDate(const QDate& date) {
    const QLocale c = QLocale::c();
    const int month = date.month();
    QString prefix;
    if (month == 5)
        prefix = c.monthName(month, QLocale::ShortFormat) + " ";
    else if (month == 6 || month == 7)
        prefix = c.monthName(month, QLocale::LongFormat) + " ";
    else if (month == 9)
        prefix = c.monthName(month, QLocale::LongFormat).left(4) + ".";
    else
        prefix = c.monthName(month, QLocale::ShortFormat) + ".";
    return prefix + QString::number(date.day()) + "," + QString::number(date.year());
}

QString VersionLine(int major, int minor, int revision) {
    return QString("Ver.%1.%2.%3").arg(major).arg(minor).arg(revision);
}

VersionDialog::VersionDialog(Language language, QWidget* parent) : QDialog(parent) {
    setObjectName("VersionDialog");
    const bool english = language == Language::English;
    setWindowTitle(english ? "Version Information" : QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(english ? "ZW4410 ARBITRARY WAVEFORM EDITOR"
                                    : QString::fromUtf8("ZW4410 任意波形作成ｿﾌﾄｳｴｱ"));
    name->setObjectName("Label_Title");
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(VersionLine(ZW_VERSION_MAJOR, ZW_VERSION_MINOR, ZW_VERSION_PATCH));
    version->setObjectName("Label_Version");
    const QFileInfo program(QCoreApplication::applicationFilePath());
    auto* date = new QLabel(EnglishStyleDate(program.lastModified().date()));
    date->setObjectName("Label_Date");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->setObjectName("Btn_OK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    for (QLabel* l : {name, version, date}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

} // namespace zw
