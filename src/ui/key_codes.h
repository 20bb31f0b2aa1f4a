#pragma once

#include <Qt>

namespace kalvor {

/// The key code programs see in _toetscode for a key Qt reports: the code of the physical
/// key on a US keyboard layout (letters 65–90 whatever the case, digits 48–57, Escape 27,
/// arrows 37–40, function keys 112–123, keypad 96–111 …), so a shifted symbol gives its
/// key's code. 0 for keys that have no such code.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace kalvor
