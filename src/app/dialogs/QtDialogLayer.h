#pragma once

#include <QPointer>

#include <memory>

#include "app/dialogs/DialogLayer.h"

class QMessageBox;

namespace qw::desktop {

class HelpWindow;

// The dialogs of the running program: message boxes, input boxes and the
// help window.
class QtDialogLayer final : public DialogLayer {
public:
    Button ask(QWidget* parent, const Message& message) override;
    std::optional<QString> askText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    void showError(QWidget* parent, const QString& text, const QString& detail) override;
    int showModal(QDialog& dialog) override;
    void showHelp(QWidget* parent) override;
};

// The message box of a message: its buttons in the message's order, each
// with its access key; the first is the default one, and Escape answers as
// the one that stops (Cancel, No, Abort), else the last.
std::unique_ptr<QMessageBox> newMessageBox(QWidget* parent, const Message& message);

// A message's text for the screen: CR LF and a lone CR become line breaks.
QString messageText(const std::string& text);

} // namespace qw::desktop
