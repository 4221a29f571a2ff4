#include "app/dialogs/HotKeyCode.h"

#include <array>

namespace qw::desktop {
namespace {

struct KeyPair {
    Qt::Key key;
    int virtualKey;
};

// Keys whose virtual-key code differs from Qt's key code. Letters and digits
// share their codes; F1 to F24 and the keypad digits follow below.
constexpr std::array<KeyPair, 36> kKeys = {{
    {Qt::Key_Backspace, 0x08},    {Qt::Key_Tab, 0x09},
    {Qt::Key_Clear, 0x0C},        {Qt::Key_Return, 0x0D},
    {Qt::Key_Pause, 0x13},        {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Escape, 0x1B},       {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},       {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},          {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},         {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},        {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C},        {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},       {Qt::Key_Help, 0x2F},
    {Qt::Key_Asterisk, 0x6A},     {Qt::Key_Minus, 0xBD},
    {Qt::Key_NumLock, 0x90},      {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_Semicolon, 0xBA},    {Qt::Key_Equal, 0xBB},
    {Qt::Key_Comma, 0xBC},        {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF},        {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_BracketLeft, 0xDB},  {Qt::Key_Backslash, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_Enter, 0x0D},        {Qt::Key_Plus, 0xBB}, // Shift and "=" on most keyboards
}};

constexpr int kVkF1 = 0x70;
constexpr int kVkF24 = 0x87;

int virtualKeyOf(Qt::Key key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return kVkF1 + (key - Qt::Key_F1);
    for (const KeyPair& pair : kKeys)
        if (pair.key == key)
            return pair.virtualKey;
    return 0;
}

std::optional<Qt::Key> keyOfVirtualKey(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return static_cast<Qt::Key>(vk);
    if (vk >= kVkF1 && vk <= kVkF24)
        return static_cast<Qt::Key>(Qt::Key_F1 + (vk - kVkF1));
    if (vk >= 0x60 && vk <= 0x69) // the keypad digits
        return static_cast<Qt::Key>(Qt::Key_0 + (vk - 0x60));
    for (const KeyPair& pair : kKeys) // the first pair of a code is the one it stands for
        if (pair.virtualKey == vk)
            return pair.key;
    return std::nullopt;
}

} // namespace

std::optional<QKeyCombination> keyFromShortcutCode(std::int32_t code) {
    const auto key = keyOfVirtualKey(code & 0xFF);
    if (!key)
        return std::nullopt;
    Qt::KeyboardModifiers modifiers;
    if (code & kShiftCode)
        modifiers |= Qt::ShiftModifier;
    if (code & kCtrlCode)
        modifiers |= Qt::ControlModifier;
    if (code & kAltCode)
        modifiers |= Qt::AltModifier;
    return QKeyCombination(modifiers, *key);
}

std::int32_t shortcutCodeFromKey(QKeyCombination key) {
    const int vk = virtualKeyOf(key.key());
    if (vk == 0)
        return 0;
    std::int32_t code = vk;
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    if (modifiers & Qt::ShiftModifier)
        code += kShiftCode;
    if (modifiers & Qt::ControlModifier)
        code += kCtrlCode;
    if (modifiers & Qt::AltModifier)
        code += kAltCode;
    return code;
}

} // namespace qw::desktop
