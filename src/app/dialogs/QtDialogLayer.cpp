#include "app/dialogs/QtDialogLayer.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

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

// The caption of a button, with its access key.
QString captionOf(Button button) {
    switch (button) {
    case Button::Yes:
        return QStringLiteral("&Yes");
    case Button::No:
        return QStringLiteral("&No");
    case Button::Ok:
        return QStringLiteral("&OK");
    case Button::Cancel:
        return QStringLiteral("&Cancel");
    case Button::Abort:
        return QStringLiteral("&Abort");
    case Button::Retry:
        return QStringLiteral("&Retry");
    case Button::Ignore:
        return QStringLiteral("&Ignore");
    }
    return {};
}

constexpr const char* kButtonProperty = "qwButton";

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

std::unique_ptr<QMessageBox> newMessageBox(QWidget* parent, const Message& message) {
    const std::vector<Button> buttons =
        message.buttons.empty() ? std::vector<Button>{Button::Ok} : message.buttons;
    auto box = std::make_unique<QMessageBox>(
        iconOf(message.kind), QString::fromLatin1(dialogTitle(message.kind)),
        messageText(message.text), QMessageBox::NoButton, parent);
    box->setFont(formFont());
    // One role for all, so that the platform's button order does not
    // rearrange them: they stand in the message's order (Abort, Ignore).
    const Button escape = escapeButtonOf(buttons);
    for (Button b : buttons) {
        QPushButton* button = box->addButton(captionOf(b), QMessageBox::ActionRole);
        button->setProperty(kButtonProperty, static_cast<int>(b));
        if (b == buttons.front())
            box->setDefaultButton(button);
        if (b == escape)
            box->setEscapeButton(button);
    }
    return box;
}

Button QtDialogLayer::ask(QWidget* parent, const Message& message) {
    const std::unique_ptr<QMessageBox> box = newMessageBox(parent, message);
    box->exec();
    if (QAbstractButton* pressed = box->clickedButton())
        return static_cast<Button>(pressed->property(kButtonProperty).toInt());
    return escapeButtonOf(message.buttons.empty() ? std::vector<Button>{Button::Ok}
                                                  : message.buttons);
}

std::optional<QString> QtDialogLayer::askText(QWidget* parent, const QString& caption,
                                              const QString& prompt, const QString& initial) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // Wide enough for its caption (in a title bar's bold font) beside the
    // title bar's buttons, too.
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    dialog.setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(caption) + 160);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
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
    // Over the window it was opened for, not wherever the window manager puts it.
    if (owner)
        help->move(owner->frameGeometry().center() - help->rect().center());
    else
        centerOnScreen(*help);
    help->show();
}

} // namespace qw::desktop
