// The terminal back end: the dialogs drawn in character cells with
// ncursesw, fed by the terminal's keys, mouse and bracketed paste.
#pragma once

#include <memory>
#include <string>
#include <cwchar>

#include "../window_system/Backend.h"
#include "TerminalScreen.h"

// Cells in the model's pixels: 6 across for each column a character takes, 12 down per line.
class TerminalTextMetrics : public TextMetrics {
public:
    int TextWidth(std::string_view utf8) const override;
    int Height() const override { return 12; }
    int AverageCharWidth() const override { return 6; }
};

class TerminalBackend : public Backend {
public:
    TerminalBackend();
    ~TerminalBackend() override;

    const TextMetrics& Metrics() const override { return m_metrics; }
    FrameMetrics Frames() const override { return {0, 0, 0, 0}; }
    bool PumpInput() override;
    void Invalidate(HWND) override { m_dirty = true; }
    Rect WorkArea() const override;
    MenuBox MenuBoxOf(const TrackedMenu& menu) const override;
    void ExportClipboard(const std::string& text) override;

private:
    void Paint();
    // Takes the next key, waiting at most `waitMs` (-1: as long as it takes); `kind` is ERR when none came.
    // False once input has ended.
    bool ReadKey(int waitMs, wint_t& ch, int& kind);
    void OnKeyCode(int code);
    void OnCharacter(wchar_t ch);
    void OnMouse();
    bool OnMenuMouse(Point at, bool press, bool release, bool rightPress);
    bool OnCaptionMouse(int column, int row, bool press, bool release);
    void OnPaste();
    // Reads the rest of an escape sequence nobody named, after its ESC [ or ESC O.
    void DropEscapeSequence(bool controlSequence);
    void PressKey(unsigned vk, unsigned ch, bool shift, bool ctrl, bool alt);
    bool TooSmall(int& needColumns, int& needRows) const;
    void KeepDialogsCentred();

    std::unique_ptr<TerminalScreen> m_screen;
    TerminalTextMetrics m_metrics;
    bool m_dirty = true;
    bool m_inputEnded = false;
    unsigned m_lastPress = 0;
    Point m_lastPressCell{-1, -1};
    HWND m_closePressed = nullptr;
};
