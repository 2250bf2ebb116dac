// Draws the platform's windows in the classic three-dimensional look: dialog
// frames and captions, controls, menus and tooltips. It only reads the model.
#pragma once

#include <vector>

#include "../Backend.h"
#include "../DeviceContext.h"
#include "../Menu.h"
#include "../MenuLayout.h"


// The caption's parts, in the dialog's window coordinates.
struct CaptionParts {
    CRect caption;
    CRect icon;
    CRect closeBox;
};
CaptionParts CaptionLayout(HWND dialog, const TextMetrics& metrics);

class Renderer {
public:
    Renderer(Canvas& canvas, const TextMetrics& metrics) : m_canvas(canvas), m_metrics(metrics) {}
    // Paints everything visible; `origin` is the screen point drawn at the canvas's top-left.
    void Paint(CPoint origin, const CRect& area, bool caretOn, HWND closeBoxPressed = nullptr);

private:
    void PaintDialog(HWND dialog, bool active, HWND closeBoxPressed);
    void PaintControl(HWND control);
    void PaintStatic(HWND control, const CRect& r);
    void PaintEdit(HWND control, const CRect& r);
    void PaintButton(HWND control, const CRect& r);
    void PaintGroupBox(HWND control, const CRect& r);
    void PaintRadio(HWND control, const CRect& r);
    void PaintMenu(const TrackedMenu& menu);
    void PaintToolTip(HWND tip);
    void PaintCaret(HWND control, const CRect& client);

    void Edge(const CRect& r, int tlOuter, int brOuter, int tlInner, int brInner);
    void Frame(const CRect& r, COLORREF color);
    void Text(int x, int y, std::string_view text, COLORREF color);
    void DisabledText(int x, int y, std::string_view text);
    // Text with '&' marking a mnemonic, underlined.
    void MnemonicText(int x, int y, const std::string& text, COLORREF color);
    void Icon(int x, int y, HICON icon);
    CRect ToCanvas(CRect screen) const;

    Canvas& m_canvas;
    const TextMetrics& m_metrics;
    CPoint m_origin;
    CRect m_area;
    bool m_caretOn = true;
};
