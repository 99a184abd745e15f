#include "gui/win32/win32_input.h"

#include "gui/cbuttons.h"

namespace VSTGUI {

namespace {

bool asyncDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
bool keyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

unsigned char virtualKeyOf(WPARAM virtualKey, bool extended) {
    switch (virtualKey) {
        case VK_BACK: return VKEY_BACK;
        case VK_TAB: return VKEY_TAB;
        case VK_RETURN: return extended ? VKEY_ENTER : VKEY_RETURN;
        case VK_ESCAPE: return VKEY_ESCAPE;
        case VK_DELETE: return VKEY_DELETE;
        case VK_LEFT: return VKEY_LEFT;
        case VK_RIGHT: return VKEY_RIGHT;
        case VK_UP: return VKEY_UP;
        case VK_DOWN: return VKEY_DOWN;
        case VK_HOME: return VKEY_HOME;
        case VK_END: return VKEY_END;
        case VK_PRIOR: return VKEY_PAGEUP;
        case VK_NEXT: return VKEY_PAGEDOWN;
        case VK_INSERT: return VKEY_INSERT;
        default: return VKEY_NONE;
    }
}

}  // namespace

long asyncButtonState() {
    long buttons = 0;
    bool left = asyncDown(VK_LBUTTON);
    bool right = asyncDown(VK_RBUTTON);
    if (GetSystemMetrics(SM_SWAPBUTTON)) {
        const bool physicalLeft = left;
        left = right;
        right = physicalLeft;
    }
    if (left) buttons |= kLButton;
    if (asyncDown(VK_MBUTTON)) buttons |= kMButton;
    if (right) buttons |= kRButton;
    if (asyncDown(VK_SHIFT)) buttons |= kShift;
    if (asyncDown(VK_CONTROL)) buttons |= kControl;
    if (asyncDown(VK_MENU)) buttons |= kAlt;
    return buttons;
}

long buttonsFromMessage(WPARAM wParam) {
    long buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= kLButton;
    if (wParam & MK_MBUTTON) buttons |= kMButton;
    if (wParam & MK_RBUTTON) buttons |= kRButton;
    if (wParam & MK_SHIFT) buttons |= kShift;
    if (wParam & MK_CONTROL) buttons |= kControl;
    if (keyDown(VK_MENU)) buttons |= kAlt;
    return buttons;
}

long modifierBitOfVirtualKey(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT: return kShift;
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL: return kControl;
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU: return kAlt;
        default: return 0;
    }
}

unsigned char keyModifiers() {
    unsigned char modifier = 0;
    if (keyDown(VK_SHIFT)) modifier |= MODIFIER_SHIFT;
    if (keyDown(VK_MENU)) modifier |= MODIFIER_ALTERNATE;
    if (keyDown(VK_CONTROL)) modifier |= MODIFIER_CONTROL;
    return modifier;
}

bool keyCodeFromVirtualKey(WPARAM virtualKey, LPARAM lParam, CKeyCode& key) {
    key = CKeyCode();
    key.modifier = keyModifiers();
    const bool extended = (lParam & (1L << 24)) != 0;
    key.virt = virtualKeyOf(virtualKey, extended);
    if (key.virt != VKEY_NONE) return true;
    // With Control held WM_CHAR brings control characters; report the
    // letter or digit itself, as the X11 back end does.
    if ((key.modifier & MODIFIER_CONTROL) &&
        ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))) {
        key.character = static_cast<int32_t>(virtualKey >= 'A' && virtualKey <= 'Z' ? virtualKey + 32
                                                                                    : virtualKey);
        return true;
    }
    return false;
}

bool keyCodeFromCharacter(WPARAM character, CKeyCode& key) {
    if (character < 0x20 || character == 0x7F || character > 0xFF) return false;
    key = CKeyCode();
    key.modifier = keyModifiers();
    key.character = static_cast<int32_t>(character);
    return true;
}

}  // namespace VSTGUI
