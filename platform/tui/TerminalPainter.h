// Draws the platform's windows into terminal cells. The model's pixels are
// those of the original's dialog font, 6 across and 12 down per cell, so
// 4 horizontal and 8 vertical dialog units make one cell.
#pragma once

#include "../window_system/Backend.h"
#include "TerminalScreen.h"

inline constexpr int kCellWidth = 6;
inline constexpr int kCellHeight = 12;

class TerminalPainter {
public:
    TerminalPainter(TerminalScreen& screen, const TextMetrics& metrics) : m_screen(screen), m_metrics(metrics) {}
    void Paint();

private:
    void PaintDialog(HWND dialog, bool active);
    void PaintStatic(HWND control, const Rect& r);
    void PaintIcon(HWND control, const Rect& r);
    void PaintEdit(HWND control, const Rect& r, bool active);
    void MarkFocus(HWND control, int column, int row, bool active);
    void PaintButton(HWND control, const Rect& r, bool active);
    void PaintGroupBox(HWND control, const Rect& r);
    void PaintRadio(HWND control, const Rect& r, bool active);
    void PaintMenu();
    void PaintToolTips();
    void PlaceCursor();
    COLORREF FieldBackground(COLORREF background) const;
    // Grey on the dialog face where the terminal can show it; dim black where it cannot.
    void FaceText(int column, int row, std::string_view text, bool enabled, COLORREF color, int clipRight = 1 << 30);
    // The attribute enabled text wears beside disabled text.
    int EnabledLook() const;

    TerminalScreen& m_screen;
    const TextMetrics& m_metrics;
};

inline int CellColumn(int x) { return x >= 0 ? x / kCellWidth : -((-x + kCellWidth - 1) / kCellWidth); }
inline int CellRow(int y) { return y >= 0 ? y / kCellHeight : -((-y + kCellHeight - 1) / kCellHeight); }
// The line a one-line control stands on: its top edge, rounded, so that a
// label and the field beside it share a line.
inline int LineRow(int top) { return CellRow(top + kCellHeight / 2); }
