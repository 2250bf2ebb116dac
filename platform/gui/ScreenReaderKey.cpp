#include "ScreenReaderKey.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

unsigned KeysymOf(SDL_Keycode key, bool shift) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<unsigned>(shift ? key - SDLK_a + XK_A : key - SDLK_a + XK_a);
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<unsigned>(XK_F1 + (key - SDLK_F1));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<unsigned>(XK_KP_1 + (key - SDLK_KP_1));
    switch (key) {
    case SDLK_RETURN: return XK_Return;
    case SDLK_ESCAPE: return XK_Escape;
    case SDLK_BACKSPACE: return XK_BackSpace;
    case SDLK_TAB: return shift ? XK_ISO_Left_Tab : XK_Tab;
    case SDLK_DELETE: return XK_Delete;
    case SDLK_INSERT: return XK_Insert;
    case SDLK_HOME: return XK_Home;
    case SDLK_END: return XK_End;
    case SDLK_PAGEUP: return XK_Page_Up;
    case SDLK_PAGEDOWN: return XK_Page_Down;
    case SDLK_LEFT: return XK_Left;
    case SDLK_RIGHT: return XK_Right;
    case SDLK_UP: return XK_Up;
    case SDLK_DOWN: return XK_Down;
    case SDLK_LSHIFT: return XK_Shift_L;
    case SDLK_RSHIFT: return XK_Shift_R;
    case SDLK_LCTRL: return XK_Control_L;
    case SDLK_RCTRL: return XK_Control_R;
    case SDLK_LALT: return XK_Alt_L;
    case SDLK_RALT: return XK_Alt_R;
    case SDLK_LGUI: return XK_Super_L;
    case SDLK_RGUI: return XK_Super_R;
    case SDLK_CAPSLOCK: return XK_Caps_Lock;
    case SDLK_NUMLOCKCLEAR: return XK_Num_Lock;
    case SDLK_APPLICATION: return XK_Menu;
    case SDLK_KP_ENTER: return XK_KP_Enter;
    case SDLK_KP_0: return XK_KP_0;
    case SDLK_KP_PERIOD: return XK_KP_Decimal;
    case SDLK_KP_PLUS: return XK_KP_Add;
    case SDLK_KP_MINUS: return XK_KP_Subtract;
    case SDLK_KP_MULTIPLY: return XK_KP_Multiply;
    case SDLK_KP_DIVIDE: return XK_KP_Divide;
    default: break;
    }
    // The rest of the printable keys: Latin-1 keysyms are their characters.
    return key >= 0x20 && key < 0x7F ? static_cast<unsigned>(key) : 0;
}

}  // namespace

ScreenReaderKey ScreenReaderKeyOf(const SDL_Keysym& key, void* xDisplay) {
    ScreenReaderKey out;
    const Uint16 mod = key.mod;
    out.keysym = KeysymOf(key.sym, (mod & KMOD_SHIFT) != 0);
    if (mod & KMOD_SHIFT) out.modifiers |= ShiftMask;
    if (mod & KMOD_CAPS) out.modifiers |= LockMask;
    if (mod & KMOD_CTRL) out.modifiers |= ControlMask;
    if (mod & KMOD_ALT) out.modifiers |= Mod1Mask;
    if (mod & KMOD_NUM) out.modifiers |= Mod2Mask;
    if (mod & KMOD_GUI) out.modifiers |= Mod4Mask;
    if (out.keysym >= 0x20 && out.keysym < 0x7F) out.text = std::string(1, static_cast<char>(out.keysym));
    if (xDisplay != nullptr && out.keysym != 0) out.hardwareCode = XKeysymToKeycode(static_cast<Display*>(xDisplay), out.keysym);
    return out;
}
