// Translation of X11 input state into the toolkit's bits and key codes.
#pragma once

#include <X11/Xlib.h>

#include "gui/ckeycode.h"

namespace VSTGUI {

// CButton bits (buttons and modifiers) of an X11 state mask.
long buttonsFromState(unsigned int state);
// The CButton bit of X11 button 1..3, 0 for others.
long buttonBit(unsigned int button);
// Modifier bit (kShift, kControl, kAlt) of a modifier key, 0 for others.
long modifierBitOfKey(KeySym keysym);
// A key press as a CKeyCode; false for keys the toolkit does not use.
bool keyCodeFromEvent(XKeyEvent& event, CKeyCode& key);

}  // namespace VSTGUI
