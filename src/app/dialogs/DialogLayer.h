#pragma once

#include <QString>

#include <optional>

#include "engine/Message.h"

class QDialog;
class QWidget;

namespace qw::desktop {

// Every place where a window waits for the user goes through this layer:
// message boxes, text-input boxes, the general error display, modal windows
// and the help window. The program shows real dialogs; tests answer from a
// script, so that no test can block on a modal window.
class DialogLayer {
public:
    virtual ~DialogLayer() = default;

    // A message dialog titled after its kind; the answer is the button
    // pressed, one of message.buttons.
    virtual Button ask(QWidget* parent, const Message& message) = 0;

    // A text-input box; empty when the user cancels.
    virtual std::optional<QString> askText(QWidget* parent, const QString& caption,
                                           const QString& prompt, const QString& initial) = 0;

    // The program's general error display: an error that ended a command.
    // `detail` (the reason in the file system's words, say) is shown below it.
    virtual void showError(QWidget* parent, const QString& text, const QString& detail = {}) = 0;

    // Shows `dialog` modally and returns its result once it has closed.
    virtual int showModal(QDialog& dialog) = 0;

    // Opens the help text for the window `parent`.
    virtual void showHelp(QWidget* parent) = 0;
};

} // namespace qw::desktop
