// The graphical back end: the dialogs in a real window on the desktop (X11
// or Wayland through SDL), drawn by our renderer, fed with the user's keys,
// mouse and text input, and with the system clipboard.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "../window_system/Backend.h"
#include "../driver/Driver.h"
#include "DesktopWishes.h"
#include "DialogFont.h"
#include "DrawnDialogs.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;
class SurfaceCanvas;
class X11Clipboard;

// No display could be opened, or only one that shows nothing.
struct NoDisplay : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class SdlBackend : public Backend {
public:
    // `withDriver`: also read driver commands from standard input, answering on standard output.
    explicit SdlBackend(bool withDriver);
    ~SdlBackend() override;

    const TextMetrics& Metrics() const override { return *m_font; }
    MenuBox MenuBoxOf(const TrackedMenu& menu) const override;
    FrameMetrics Frames() const override;
    bool PumpInput() override;
    void Invalidate(HWND hWnd) override;
    Rect WorkArea() const override;
    bool ReadsSystemClipboard() const override { return true; }
    void ExportClipboard(const std::string& text) override;
    std::optional<std::string> ImportClipboard() override;
    bool SystemClipboardHasText() override;
    void Shutdown() override;

private:
    // The start's steps, in their order.
    void GiveSdlItsHints();
    void PrepareEnvironmentForSdl();
    bool WantsHighContrast() const;
    std::string OpenDisplay();
    void ChooseScale(const std::string& driver, std::optional<double> desktopScale, double fontScale);
    void AddWindowCommands();
    void StartDriver();

    void EnsureWindow();
    void Present();
    void RenderFrame();
    // Points the canvas at the window's pixels, again when the window has new
    // ones; false while the window has none yet.
    bool AttachCanvas();
    // The window's area, in the canvas's coordinates.
    Rect WindowArea() const;
    // Draws into `canvas` what the window shows now, all of it or only `repaint`.
    void Draw(SurfaceCanvas& canvas, const Rect* repaint) const;
    // How many pixels of the window differ from a whole drawing of it, once pending changes are shown.
    int StalePixels();
    void ShowFrame();
    bool HandleEvent(const SDL_Event& event);
    // While the clipboard's owner is awaited: the window is drawn, and its other input waits.
    void KeepDrawing();
    // The X11 clipboard, opened on first use; null elsewhere.
    X11Clipboard* Clipboard();
    void OnKey(const SDL_Event& event, bool down);
    bool ScreenReaderTakes(const SDL_Event& event, bool down);
    void OnText(const char* utf8);
    void OnMouseButton(const SDL_Event& event, bool down);
    void OnMouseMotion(const SDL_Event& event);
    void OnMouseWheel(const SDL_Event& event);
    void UpdatePointer();
    void StartAccessibility();
    void SetLegacyTitle(const std::string& title);
    // A rectangle of the window system's screen on the display's.
    Rect OnDisplay(const Rect& r) const;
    Point ToScreen(int x, int y) const { return {x * m_density + m_origin.x, y * m_density + m_origin.y}; }
    bool AttachDenseOutput();
    HWND MainDialog() const;
    bool CaretBlinks() const;

    std::unique_ptr<DialogFont> m_font;
    SDL_Window* m_window = nullptr;
    std::unique_ptr<SurfaceCanvas> m_canvas;
    SDL_Cursor* m_cursors[3] = {nullptr, nullptr, nullptr};
    Point m_origin;
    // What the next frame draws anew: all of it, or the bounds of the windows
    // that changed. A typed digit redraws the fields it changed, a blink the caret.
    DrawnDialogs m_dialogs;
    bool m_suppressText = false;
    // A signal or the window manager asked the program to end.
    bool m_terminating = false;
    bool m_windowFocused = true;
    // The window's pixels, which the canvas draws into when `m_direct`; what
    // was drawn since the last push; and whether all of it must go.
    SDL_Surface* m_windowSurface = nullptr;
    bool m_direct = false;
    // The output's pixels per window point, and where it is over 1, what shows them.
    int m_density = 1;
    std::unique_ptr<class DenseOutput> m_dense;
    Rect m_drawn;
    bool m_pushWhole = true;

    std::unique_ptr<X11Clipboard> m_clipboard;
    DesktopWishes m_wishes;
    // The screen readers' bridge, opened at start when the desktop wants it; null otherwise.
    const struct AccessibilityModule* m_accessibility = nullptr;
    bool m_clipboardOpened = false;

    bool m_withDriver;
    Driver m_driver;
    // Lines the reader thread took from standard input; shared, as the thread may outlive us.
    struct DriverLines {
        std::mutex mutex;
        std::deque<std::string> lines;
    };
    std::shared_ptr<DriverLines> m_driverLines = std::make_shared<DriverLines>();
    std::thread m_reader;
};
