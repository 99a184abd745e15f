// Translation of Win32 input state into the toolkit's bits and key codes.
#pragma once

#include <windows.h>

#include "gui/ckeycode.h"

namespace VSTGUI {

// CButton bits held now, read from the asynchronous key state. The mouse
// bits follow the user's swapped-button setting (the asynchronous state
// reports physical buttons).
long asyncButtonState();
// CButton bits of a mouse message's wParam (logical buttons, Shift,
// Control) plus Alt from the key state.
long buttonsFromMessage(WPARAM wParam);
// Modifier bit (kShift, kControl, kAlt) of a virtual key, 0 for others.
long modifierBitOfVirtualKey(WPARAM virtualKey);
// A WM_KEYDOWN key as a CKeyCode; false for keys that arrive as WM_CHAR
// or that the toolkit does not use. `lParam` carries the extended-key bit.
bool keyCodeFromVirtualKey(WPARAM virtualKey, LPARAM lParam, CKeyCode& key);
// A WM_CHAR character as a CKeyCode; false for control characters.
bool keyCodeFromCharacter(WPARAM character, CKeyCode& key);
// Current CKeyModifier bits from the key state.
unsigned char keyModifiers();

}  // namespace VSTGUI
