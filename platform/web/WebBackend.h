// The back end of the page: the dialogs drawn on the page's <canvas> through
// Canvas 2D, the page's keys, pointer, clipboard and input method fed in, and,
// in the driven build, the driver's lines taken from the page's script. The program waits for
// input by handing control back to the browser (Asyncify), so its modal loops
// run as they do everywhere else.
#pragma once

#include <memory>
#include <string>

#include "../gui/DrawnDialogs.h"
#include "../window_system/Backend.h"
#include "AriaMirror.h"
#include "BrowserFont.h"
#include "CanvasContext.h"
#include "PageDriver.h"

class WebBackend : public Backend {
public:
    explicit WebBackend(double scale);
    const TextMetrics& Metrics() const override { return m_font; }
    FrameMetrics Frames() const override;
    bool PumpInput() override;
    void Invalidate(HWND hWnd) override;
    void Shutdown() override;
    Rect WorkArea() const override;
    MenuBox MenuBoxOf(const TrackedMenu& menu) const override;
    void ExportClipboard(const std::string& text) override;
    bool SystemClipboardUnseen() const override { return true; }
    bool TakeSystemClipboard() override;

private:
    struct PageEvent;
    bool TakePageEvent(PageEvent& event);
    void Handle(const PageEvent& event);
    void EnterField(int id, const std::string& text);
    void OnKey(UINT vk, int modifiers, bool down);
    void OnPaste(const std::string& text);
    void OnMouseButton(Point screen, bool down, bool right, bool doubleClick);
    void OnMouseMotion(Point screen);
    void UpdatePointer();
    // The main dialog's place: the canvas shows the screen from there, at its size.
    void EnsureCanvas();
    void Present();
    // Waits for the page's next event, or `milliseconds` (negative: no limit).
    int Deadline();
    // Hands the driver's answers so far to the page.
    void ReportAnswers();

    BrowserFont m_font;
    CanvasContext m_canvas;
    AriaMirror m_aria;
    DrawnDialogs m_dialogs;
    std::string m_answers;                 // the driver's, not yet handed to the page
    std::unique_ptr<PageDriver> m_driver;  // none in the page people load
    bool m_ended = false;
    bool m_hasCanvas = false;
    Point m_origin;
    Rect m_size;
    bool m_focused = true;
    int m_pointerShape = 0;
    // Ctrl+V waits for the page's paste event, which brings what to paste.
    bool m_pasteDue = false;
    // The accessible mirror waits until the page has shown its first frame: describing
    // the dialog took about 9 ms of that frame, and the page then lays out its elements.
    bool m_pageShown = false;
};
