#include "VersionDialog.h"

#include "AboutText.h"
#include "CaptionApplier.h"
#include "CaptionCatalog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zw {

VersionDialog::VersionDialog(const CaptionCatalog& captions, QWidget* parent) : QDialog(parent) {
    setObjectName("VersionDialog");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    auto* product = new QLabel;
    product->setObjectName("Label_Product");
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(VersionLine(ZW_VERSION_MAJOR, ZW_VERSION_MINOR, ZW_VERSION_PATCH));
    version->setObjectName("Label_Version");
    auto* date = new QLabel(AboutDate(ProgramFileDate()));
    date->setObjectName("Label_Date");
    for (QLabel* l : {product, version, date}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addSpacing(10);
    auto* ok = new QPushButton;
    ok->setObjectName("Btn_OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    ApplyCaptions(*this, captions);
    setMinimumWidth(380);
}

} // namespace zw
