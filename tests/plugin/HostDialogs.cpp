#include "HostDialogs.h"

#include <QCoreApplication>

namespace qw::plugin::test {

Button HostDialogs::ask(QWidget*, const Message& message) {
    asked.push_back({message.kind, message.text, message.buttons});
    if (answers.empty())
        return fallback;
    const Button answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> HostDialogs::askText(QWidget*, const QString&, const QString& prompt,
                                            const QString&) {
    textsAsked.push_back(prompt.toStdString());
    return std::nullopt;
}

void HostDialogs::showError(QWidget*, const QString& text, const QString&) {
    errors.push_back(text.toStdString());
}

int HostDialogs::showModal(QDialog& dialog) {
    dialog.show(); // as exec() does: the window's show handler runs
    QCoreApplication::processEvents();
    if (!modalActions.empty()) {
        const ModalAction action = std::move(modalActions.front());
        modalActions.pop_front();
        action(dialog);
    }
    if (dialog.isVisible())
        dialog.done(QDialog::Rejected);
    shown.push_back(
        {dialog.metaObject()->className(), dialog.windowTitle().toStdString(), dialog.result()});
    return dialog.result();
}

void HostDialogs::showHelp(QWidget*) {}

} // namespace qw::plugin::test
