#include "app/dialogs/HelpWindow.h"

#include <QFile>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/dialogs/DialogResources.h"
#include "app/dialogs/FormStyle.h"

namespace qw::desktop {

QString headingAnchor(const QString& heading) {
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            anchor += c;
        else if (c == u' ')
            anchor += u'-';
    }
    return anchor;
}

void addHeadingAnchors(QTextDocument& document) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.length() <= 1)
            continue;
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({headingAnchor(block.text())});
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(anchor);
    }
}

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
    addHeadingAnchors(*browser_->document());
    layout->addWidget(browser_, 1);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setFont(formFont());
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    layout->addWidget(close, 0, Qt::AlignRight);
}

} // namespace qw::desktop
