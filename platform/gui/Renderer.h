// Draws the platform's windows in the classic three-dimensional look: dialog
// frames and captions, controls, menus and tooltips. It only reads the model.
#pragma once

#include <vector>

#include "../window_system/Backend.h"
#include "../window_system/DeviceContext.h"
#include "../window_system/Menu.h"
#include "../window_system/MenuLayout.h"

// The caption's parts, in the dialog's window coordinates.
struct CaptionParts {
    Rect caption;
    Rect icon;
    Rect closeBox;
};
CaptionParts CaptionLayout(HWND dialog, const TextMetrics& metrics);

class Renderer {
public:
    Renderer(Canvas& canvas, const TextMetrics& metrics) : m_canvas(canvas), m_metrics(metrics) {}
    // Paints everything visible; `origin` is the screen point drawn at the
    // canvas's top-left. With `repaint`, only the pixels inside it are drawn
    // anew and the rest of the canvas keeps what it had.
    void Paint(Point origin, const Rect& area, bool caretOn, HWND closeBoxPressed = nullptr, const Rect* repaint = nullptr);

private:
    void PaintDialog(HWND dialog, bool active, HWND closeBoxPressed);
    void PaintControl(HWND control);
    void PaintStatic(HWND control, const Rect& r);
    void PaintEdit(HWND control, const Rect& r);
    void PaintButton(HWND control, const Rect& r);
    void PaintGroupBox(HWND control, const Rect& r);
    void PaintRadio(HWND control, const Rect& r);
    void PaintMenu(const TrackedMenu& menu);
    void PaintToolTip(HWND tip);
    void PaintCaret(HWND control, const Rect& client);

    void Edge(const Rect& r, int tlOuter, int brOuter, int tlInner, int brInner);
    void Frame(const Rect& r, COLORREF color);
    void Text(int x, int y, std::string_view text, COLORREF color);
    void DisabledText(int x, int y, std::string_view text);
    // Text with '&' marking a mnemonic, underlined.
    void MnemonicText(int x, int y, const std::string& text, COLORREF color);
    // An icon enlarged `step` times, pixel for pixel.
    void Icon(int x, int y, HICON icon, int step);
    Rect ToCanvas(Rect screen) const;
    // Limits drawing to `rect` (null: no limit) within what is repainted.
    void Clip(const Rect* rect);

    Canvas& m_canvas;
    const TextMetrics& m_metrics;
    Point m_origin;
    Rect m_area;
    const Rect* m_repaint = nullptr;
    bool m_caretOn = true;
};
