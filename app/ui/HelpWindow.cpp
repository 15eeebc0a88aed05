#include "HelpWindow.h"

#include "CaptionApplier.h"
#include "CaptionCatalog.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zw {

HelpWindow::HelpWindow(const CaptionCatalog& captions, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* back = new QPushButton;
    back->setObjectName("Btn_Back");
    auto* forward = new QPushButton;
    forward->setObjectName("Btn_Forward");
    auto* close = new QPushButton;
    close->setObjectName("Btn_Close");
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    Txt_Help = new QTextBrowser;
    Txt_Help->setObjectName("Txt_Help");
    Txt_Help->setOpenExternalLinks(true);
    layout->addWidget(Txt_Help, 1);

    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, Txt_Help, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, Txt_Help, &QTextBrowser::forward);
    connect(Txt_Help, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(Txt_Help, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    ApplyCaptions(*this, captions);
    resize(760, 640);
}

void HelpWindow::showPage(const QString& path) {
    const QFileInfo page(path);
    Txt_Help->setSearchPaths({page.absolutePath()});
    Txt_Help->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    show();
    raise();
    activateWindow();
}

bool ShowInHelpWindow(const QString& path, const CaptionCatalog& captions, QWidget& owner) {
    static QPointer<HelpWindow> window;
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* parent = modal ? modal : &owner;
    if (window && window->parentWidget() != parent) {
        window->close();
        window.clear();
    }
    if (!window)
        window = new HelpWindow(captions, parent);
    window->showPage(path);
    return true;
}

} // namespace zw
