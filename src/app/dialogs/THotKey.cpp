#include "app/dialogs/THotKey.h"

#include <QKeyEvent>
#include <QKeySequence>

#include "app/dialogs/HotKeyCode.h"

namespace qw::desktop {
namespace {

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

constexpr Qt::KeyboardModifiers kCounted =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// The modifiers a key is taken with: a key alone or with Shift only is not a
// valid hot key, and Ctrl+Alt takes the place of what was held.
Qt::KeyboardModifiers acceptedModifiers(Qt::KeyboardModifiers held) {
    held &= kCounted;
    if (held == Qt::NoModifier || held == Qt::ShiftModifier)
        return Qt::ControlModifier | Qt::AltModifier;
    return held;
}

} // namespace

THotKey::THotKey(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    showHotKey();
}

void THotKey::setHotKey(std::int32_t code) {
    hotKey_ = code;
    showHotKey();
}

void THotKey::showHotKey() {
    const auto key = keyFromShortcutCode(hotKey_);
    if (hotKey_ == 0 || !key)
        setText(tr("None"));
    else
        setText(QKeySequence(*key).toString(QKeySequence::NativeText));
}

bool THotKey::event(QEvent* event) {
    // Every key but a plain Tab belongs to the field: the dialog's access
    // keys (Alt+O for Ok) and Tab with a modifier are taken as hot keys.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plainTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                              !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!plainTab) {
            if (event->type() == QEvent::ShortcutOverride)
                event->accept();
            else
                keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void THotKey::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (isModifierKey(key) || key == Qt::Key_unknown) {
        event->accept();
        return;
    }
    const QKeyCombination combination(acceptedModifiers(event->modifiers()),
                                      static_cast<Qt::Key>(key));
    const std::int32_t code = shortcutCodeFromKey(combination);
    event->accept();
    if (code == 0)
        return; // a key without a virtual-key code cannot be stored
    hotKey_ = code;
    showHotKey();
    emit hotKeyChanged(code);
}

void THotKey::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

} // namespace qw::desktop
