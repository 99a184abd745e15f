// A key press as the host forwards it (effEditKeyDown) or the platform
// delivers it: a character for printable keys, else a virtual key code.
// The virtual key numbers are those of the VST 2.4 interface so that host
// key codes pass through unchanged.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CVirtualKey : unsigned char {
    VKEY_NONE = 0,
    VKEY_BACK = 1,
    VKEY_TAB = 2,
    VKEY_CLEAR = 3,
    VKEY_RETURN = 4,
    VKEY_PAUSE = 5,
    VKEY_ESCAPE = 6,
    VKEY_SPACE = 7,
    VKEY_NEXT = 8,
    VKEY_END = 9,
    VKEY_HOME = 10,
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
    VKEY_PAGEUP = 15,
    VKEY_PAGEDOWN = 16,
    VKEY_ENTER = 19,
    VKEY_INSERT = 21,
    VKEY_DELETE = 22,
    VKEY_SHIFT = 54,
    VKEY_CONTROL = 55,
    VKEY_ALT = 56,
};

// Modifier bits of CKeyCode::modifier (VST 2.4 numbering).
enum CKeyModifier : unsigned char {
    MODIFIER_SHIFT = 1,
    MODIFIER_ALTERNATE = 2,
    MODIFIER_COMMAND = 4,
    MODIFIER_CONTROL = 8,
};

struct CKeyCode {
    int32_t character = 0;  // ASCII/Latin-1 character, 0 for virtual keys
    unsigned char virt = 0;  // CVirtualKey
    unsigned char modifier = 0;  // CKeyModifier bits
};

}  // namespace VSTGUI
