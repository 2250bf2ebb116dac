// What a display back end gives the platform: text metrics for layout, the
// user's input, and the places where the platform meets the outside world.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Geometry.h"

struct MenuBox;
struct TrackedMenu;

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int TextWidth(std::string_view utf8) const = 0;
    virtual int Height() const = 0;
    virtual int AverageCharWidth() const = 0;
    // How many of the display's pixels stand for one of the original's (1 on a 96-dpi screen).
    virtual double Scale() const { return 1.0; }
};

// How thick the frames a back end draws are, in its pixels.
struct FrameMetrics {
    int dialogBorder = 3;    // around a dialog's client area
    int captionPadding = 6;  // added to the line height for a caption
    int editBorder = 2;      // a bordered edit field's sunken edge
    int editMargin = 1;      // between an edit field's edge and its text
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual const TextMetrics& Metrics() const = 0;
    virtual FrameMetrics Frames() const { return {}; }
    // Waits for the next piece of user input and feeds it to the platform.
    // Returns false once input has ended for good.
    virtual bool PumpInput() = 0;
    // Shows a modal message box and returns the chosen button. The default
    // runs the platform's own message dialog.
    virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
    virtual void Invalidate(HWND) {}
    // The program is ending: last chance to write out what is pending.
    virtual void Shutdown() {}
    virtual Rect WorkArea() const { return {0, 0, 1280, 800}; }
    // Where an open menu and its items stand on the screen, as this back end draws it.
    virtual MenuBox MenuBoxOf(const TrackedMenu& menu) const;
    // The system clipboard, where the back end can read one: it is then the
    // truth, and what the program last copied counts for nothing once another
    // program holds something else, text or not.
    virtual bool ReadsSystemClipboard() const { return false; }
    virtual void ExportClipboard(const std::string&) {}
    // The system clipboard's text; none when it holds no text or gives no answer in time.
    virtual std::optional<std::string> ImportClipboard() { return std::nullopt; }
    // Whether the system clipboard offers text, asking no more than that.
    virtual bool SystemClipboardHasText() { return false; }
    // The system clipboard is there but cannot be looked into before the user pastes (a browser's).
    virtual bool SystemClipboardUnseen() const { return false; }
    // Before a paste the user chose from a menu, where the system clipboard may be read only
    // then (a browser's): puts its text on the clipboard. False when nothing may be pasted.
    virtual bool TakeSystemClipboard() { return true; }

    // The contrast the desktop asked this back end for; none where it said nothing.
    std::optional<bool> ContrastWish() const { return m_highContrast; }
    void WishHighContrast(bool on) { m_highContrast = on; }

private:
    std::optional<bool> m_highContrast;
};
