#include "app/dialogs/TResultMemo.h"

#include <QKeyEvent>

namespace qw::desktop {
namespace {

// Shift+Insert pastes and Ctrl+Insert copies; only the plain key switches.
bool isPlainInsert(const QKeyEvent* event) {
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return event->key() == Qt::Key_Insert && held == Qt::NoModifier;
}

} // namespace

TResultMemo::TResultMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void TResultMemo::keyPressEvent(QKeyEvent* event) {
    if (isPlainInsert(event)) {
        if (!event->isAutoRepeat()) {
            setOverwriteMode(!overwriteMode());
            insertToggled_ = true;
        }
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TResultMemo::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    const bool toggled = event->key() == Qt::Key_Insert && insertToggled_;
    if (event->key() == Qt::Key_Insert)
        insertToggled_ = false;
    emit keyReleased(event->key(), toggled);
}

} // namespace qw::desktop
