#include "gui/x11/x11_input.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "gui/cbuttons.h"

namespace VSTGUI {

long buttonsFromState(unsigned int state) {
    long buttons = 0;
    if (state & Button1Mask) buttons |= kLButton;
    if (state & Button2Mask) buttons |= kMButton;
    if (state & Button3Mask) buttons |= kRButton;
    if (state & ShiftMask) buttons |= kShift;
    if (state & ControlMask) buttons |= kControl;
    if (state & Mod1Mask) buttons |= kAlt;
    return buttons;
}

long buttonBit(unsigned int button) {
    switch (button) {
        case Button1: return kLButton;
        case Button2: return kMButton;
        case Button3: return kRButton;
        default: return 0;
    }
}

long modifierBitOfKey(KeySym keysym) {
    switch (keysym) {
        case XK_Shift_L:
        case XK_Shift_R: return kShift;
        case XK_Control_L:
        case XK_Control_R: return kControl;
        case XK_Alt_L:
        case XK_Alt_R:
        case XK_Meta_L:
        case XK_Meta_R: return kAlt;
        default: return 0;
    }
}

namespace {

unsigned char virtualKeyOf(KeySym keysym) {
    switch (keysym) {
        case XK_BackSpace: return VKEY_BACK;
        case XK_Tab: return VKEY_TAB;
        case XK_Return: return VKEY_RETURN;
        case XK_KP_Enter: return VKEY_ENTER;
        case XK_Escape: return VKEY_ESCAPE;
        case XK_Delete:
        case XK_KP_Delete: return VKEY_DELETE;
        case XK_Left:
        case XK_KP_Left: return VKEY_LEFT;
        case XK_Right:
        case XK_KP_Right: return VKEY_RIGHT;
        case XK_Up:
        case XK_KP_Up: return VKEY_UP;
        case XK_Down:
        case XK_KP_Down: return VKEY_DOWN;
        case XK_Home:
        case XK_KP_Home: return VKEY_HOME;
        case XK_End:
        case XK_KP_End: return VKEY_END;
        case XK_Page_Up: return VKEY_PAGEUP;
        case XK_Page_Down: return VKEY_PAGEDOWN;
        case XK_Insert: return VKEY_INSERT;
        default: return VKEY_NONE;
    }
}

}  // namespace

bool keyCodeFromEvent(XKeyEvent& event, CKeyCode& key) {
    char text[8] = {0};
    KeySym keysym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text, &keysym, nullptr);
    key = CKeyCode();
    if (event.state & ShiftMask) key.modifier |= MODIFIER_SHIFT;
    if (event.state & Mod1Mask) key.modifier |= MODIFIER_ALTERNATE;
    if (event.state & ControlMask) key.modifier |= MODIFIER_CONTROL;
    key.virt = virtualKeyOf(keysym);
    if (key.virt != VKEY_NONE) return true;
    // Latin-1 keysyms equal their code points.
    if (keysym >= 0x20 && keysym <= 0xFF) {
        key.character = static_cast<int32_t>(keysym);
        return true;
    }
    if (length == 1 && static_cast<unsigned char>(text[0]) >= 0x20) {
        key.character = static_cast<unsigned char>(text[0]);
        return true;
    }
    return false;
}

}  // namespace VSTGUI
