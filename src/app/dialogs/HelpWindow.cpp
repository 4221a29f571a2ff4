#include "app/dialogs/HelpWindow.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/dialogs/DialogResources.h"
#include "app/dialogs/FormStyle.h"

namespace qw::desktop {

QString HelpWindow::helpText() {
    initDialogResources();
    QFile file(QStringLiteral(":/help/Quillo.md"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("# Quillo\n\nThe help text is missing from this build.");
    return QString::fromUtf8(file.readAll());
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Quillwright Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);
    browser_->setMarkdown(helpText());
    layout->addWidget(browser_, 1);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setFont(formFont());
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(close, 0, Qt::AlignRight);
}

} // namespace qw::desktop
