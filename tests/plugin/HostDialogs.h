#pragma once

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/DialogLayer.h"

namespace qw::plugin::test {

// The substitute IDE's answers to the plug-in's dialogs, from a script, so
// that no test can block on a modal window; it keeps what it was shown.
class HostDialogs final : public desktop::DialogLayer {
public:
    struct Asked {
        DialogKind kind;
        std::string text;
        std::vector<Button> buttons;
    };
    struct Shown {
        std::string className;
        std::string title;
        int result = 0;
    };
    // What the user does while a modal window is shown. A window still open
    // afterwards is closed as cancelled.
    using ModalAction = std::function<void(QDialog&)>;

    Button ask(QWidget* parent, const Message& message) override;
    std::optional<QString> askText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    void showError(QWidget* parent, const QString& text, const QString& detail) override;
    int showModal(QDialog& dialog) override;
    void showHelp(QWidget* parent) override;

    std::deque<Button> answers; // used first to last, then `fallback`
    Button fallback = Button::No;
    std::deque<ModalAction> modalActions; // then: closed at once

    std::vector<Asked> asked;
    std::vector<Shown> shown;
    std::vector<std::string> errors;
    std::vector<std::string> textsAsked; // the prompts of input boxes, all cancelled
};

} // namespace qw::plugin::test
