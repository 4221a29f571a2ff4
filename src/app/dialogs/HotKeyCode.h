#pragma once

#include <QKeyCombination>

#include <cstdint>
#include <optional>

namespace qw::desktop {

// The stored form of a shortcut: the Windows virtual-key code in the low byte,
// plus 8192 for Shift, 16384 for Ctrl and 32768 for Alt (49217 is Ctrl+Alt+A).
inline constexpr std::int32_t kShiftCode = 8192;
inline constexpr std::int32_t kCtrlCode = 16384;
inline constexpr std::int32_t kAltCode = 32768;

// The key combination of a shortcut code; nothing for 0 or for a key code
// that has no key here.
std::optional<QKeyCombination> keyFromShortcutCode(std::int32_t code);

// The shortcut code of a key combination; 0 when the key has no virtual-key
// code. Only Shift, Ctrl and Alt count.
std::int32_t shortcutCodeFromKey(QKeyCombination key);

} // namespace qw::desktop
