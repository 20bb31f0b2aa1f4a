#include "ui/key_codes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kalvor {
namespace {

// One row per way a code is found (ranges, the keypad, main and named tables, the fallback),
// not one per table entry.
TEST(VirtualKeyCode, KeysGiveTheCodesProgramsTestFor) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const std::tuple<int, Qt::KeyboardModifiers, int> rows[] = {
        {Qt::Key_Escape, none, 27},
        {Qt::Key_Enter, keypad, 13},
        {Qt::Key_Left, none, 37},
        {Qt::Key_A, none, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, none, 48},
        {Qt::Key_9, none, 57},
        {Qt::Key_0, keypad, 96},
        {Qt::Key_7, keypad, 103},
        {Qt::Key_Plus, keypad, 107},
        {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},
        // Shifted symbols report the key that types them.
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_Asterisk, Qt::ShiftModifier, 56},
        {Qt::Key_Plus, Qt::ShiftModifier, 187},
        {Qt::Key_Minus, none, 189},
        {Qt::Key_unknown, none, 0},
        {Qt::Key_Adiaeresis, none, 0},
    };
    for (const auto& [qtKey, modifiers, code] : rows)
        EXPECT_EQ(virtualKeyCode(qtKey, modifiers), code) << "Qt key " << qtKey;
}

}  // namespace
}  // namespace kalvor
