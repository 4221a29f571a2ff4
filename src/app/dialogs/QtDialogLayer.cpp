#include "app/dialogs/QtDialogLayer.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/dialogs/FileNames.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/HelpWindow.h"

namespace qw::desktop {
namespace {

QMessageBox::Icon iconOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return QMessageBox::Warning;
    case DialogKind::Error:
        return QMessageBox::Critical;
    case DialogKind::Information:
        return QMessageBox::Information;
    case DialogKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButtonOf(Button button) {
    switch (button) {
    case Button::Yes:
        return QMessageBox::Yes;
    case Button::No:
        return QMessageBox::No;
    case Button::Ok:
        return QMessageBox::Ok;
    case Button::Cancel:
        return QMessageBox::Cancel;
    case Button::Abort:
        return QMessageBox::Abort;
    case Button::Retry:
        return QMessageBox::Retry;
    case Button::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::NoButton;
}

// The button that Escape and the close box answer: the one that stops, or
// else the last.
Button escapeButtonOf(const std::vector<Button>& buttons) {
    for (Button b : {Button::Cancel, Button::No, Button::Abort})
        for (Button have : buttons)
            if (have == b)
                return b;
    return buttons.back();
}

} // namespace

QString messageText(const std::string& text) {
    QString screen = fromNativeName(text);
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    screen.replace(u'\r', u'\n');
    return screen;
}

Button QtDialogLayer::ask(QWidget* parent, const Message& message) {
    const std::vector<Button> buttons =
        message.buttons.empty() ? std::vector<Button>{Button::Ok} : message.buttons;
    QMessageBox box(iconOf(message.kind), QString::fromLatin1(dialogTitle(message.kind)),
                    messageText(message.text), QMessageBox::NoButton, parent);
    box.setFont(formFont());
    for (Button b : buttons)
        box.addButton(standardButtonOf(b));
    box.setDefaultButton(standardButtonOf(buttons.front()));
    box.setEscapeButton(standardButtonOf(escapeButtonOf(buttons)));
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    for (Button b : buttons)
        if (standardButtonOf(b) == pressed)
            return b;
    return escapeButtonOf(buttons);
}

std::optional<QString> QtDialogLayer::askText(QWidget* parent, const QString& caption,
                                              const QString& prompt, const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void QtDialogLayer::showError(QWidget* parent, const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, parent);
    box.setFont(formFont());
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

int QtDialogLayer::showModal(QDialog& dialog) {
    return dialog.exec();
}

void QtDialogLayer::showHelp(QWidget* parent) {
    // The help window belongs to the window it was opened for, so that it
    // takes input while that window is modal, and goes with it.
    QWidget* owner = parent ? parent->window() : nullptr;
    if (owner)
        if (auto* open = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
            open->raise();
            open->activateWindow();
            return;
        }
    auto* help = new HelpWindow(owner);
    help->show();
}

} // namespace qw::desktop
