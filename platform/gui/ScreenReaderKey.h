// A key of the window as the desktop's screen readers are told keys: by X
// keysym, X's modifier mask and the hardware key code, as a GTK program
// reports them, so that a reader's own commands (its modifier, the keypad)
// are known and can be taken before the program sees them.
#pragma once

#include <SDL.h>

#include <string>

struct ScreenReaderKey {
    unsigned keysym = 0;
    unsigned modifiers = 0;
    unsigned hardwareCode = 0;
    std::string text;  // what the key types, where it types something
};

// `xDisplay` (an X11 Display*, or null where the window is not on X) gives the hardware code.
ScreenReaderKey ScreenReaderKeyOf(const SDL_Keysym& key, void* xDisplay);
