// The terminal as a grid of cells through ncursesw: colours chosen from what
// the terminal has, text of any width, and the terminal restored on every exit.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "../window_system/Geometry.h"

class TerminalScreen {
public:
    // Whether standard output is a terminal that can show the dialogs: one
    // whose type is known and that can move its cursor. The reason when not.
    static bool Usable(std::string& reason);
    TerminalScreen();
    ~TerminalScreen();
    TerminalScreen(const TerminalScreen&) = delete;
    TerminalScreen& operator=(const TerminalScreen&) = delete;

    int Columns() const;
    int Rows() const;
    bool HasColors() const { return m_colors >= 8; }
    bool Has256Colors() const { return m_colors >= 256; }
    // Whether the terminal can show text dim (half-bright).
    bool HasDim() const { return m_dim; }

    void Clear(COLORREF background);
    // Writes text at a cell; characters that would leave `clipRight` are dropped.
    void Text(int column, int row, std::string_view utf8, COLORREF fg, COLORREF bg, int attributes = 0, int clipRight = 1 << 30);
    void Fill(int column, int row, int width, int height, COLORREF bg);
    // One cell showing two stacked pixels: the upper in the foreground, the lower in the background.
    void HalfBlock(int column, int row, COLORREF upper, COLORREF lower);
    void Box(int column, int row, int width, int height, COLORREF fg, COLORREF bg);
    void Cursor(int column, int row, bool visible);
    void Present();
    // Writes straight to the terminal, past the screen's own drawing (terminal escape sequences).
    static void Raw(std::string_view bytes);
    // Puts the terminal back as the program found it; safe to call more than once and from a signal.
    static void Restore();

private:
    short Color(COLORREF c) const;
    short Pair(COLORREF fg, COLORREF bg);

    int m_colors = 0;
    bool m_dim = false;
    std::map<std::pair<short, short>, short> m_pairs;
    int m_cursorColumn = -1;
    int m_cursorRow = -1;
    bool m_cursorVisible = false;
};

// Display columns of one UTF-8 text, by wcwidth.
int TerminalWidth(std::string_view utf8);
