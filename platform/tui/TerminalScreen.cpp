#include "TerminalScreen.h"

#ifndef _XOPEN_SOURCE_EXTENDED
#define _XOPEN_SOURCE_EXTENDED 1
#endif
#include <ncursesw/curses.h>
#include <ncursesw/term.h>
#include <langinfo.h>
#include <unistd.h>

#include <csignal>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <string>

#include "../window_system/Utf8.h"

namespace {

constexpr std::size_t kLongestTerminalName = 255;

volatile std::sig_atomic_t g_active = 0;

// Bracketed paste, and mouse motion while a button is held, besides what ncurses asks for.
constexpr const char* kEnterModes = "\033[?2004h\033[?1002h";
constexpr const char* kLeaveModes = "\033[?1002l\033[?2004l";

void OnFatalSignal(int signal) {
    TerminalScreen::Restore();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Every signal whose default ends the process: the terminal is put back first.
constexpr int kEndingSignals[] = {SIGSEGV, SIGABRT, SIGBUS,  SIGFPE,  SIGILL,  SIGTERM, SIGINT,    SIGHUP,  SIGQUIT,
                                  SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE, SIGTRAP, SIGSYS,  SIGVTALRM, SIGXCPU, SIGXFSZ};

// Curses stops and resumes the program itself (leaving and redrawing its
// screen); our own modes go off before and on again after, or the shell's
// paste would reach the dialog as keys and the mouse would be lost.
struct sigaction g_cursesStop {};
void OnStop(int signal) {
    if (g_active) TerminalScreen::Raw(kLeaveModes);
    if (g_cursesStop.sa_handler != SIG_DFL && g_cursesStop.sa_handler != SIG_IGN && g_cursesStop.sa_handler != nullptr) {
        g_cursesStop.sa_handler(signal);
    } else {
        // No handler of curses' to stop for us: stop as the default would, with the signal reset for the moment.
        std::signal(SIGTSTP, SIG_DFL);
        std::raise(SIGTSTP);
        std::signal(SIGTSTP, OnStop);
    }
    if (g_active) TerminalScreen::Raw(kEnterModes);
}

}  // namespace

int TerminalWidth(std::string_view utf8) {
    int width = 0;
    for (const char32_t cp : DecodeUtf8(utf8)) {
        const int w = ::wcwidth(static_cast<wchar_t>(cp));
        width += w < 0 ? 1 : w;
    }
    return width;
}

bool TerminalScreen::Usable(std::string& reason) {
    if (!::isatty(STDOUT_FILENO)) {
        reason = "standard output is not a terminal";
        return false;
    }
    const char* term = std::getenv("TERM");
    if (term == nullptr || *term == '\0') {
        reason = "TERM is not set, so the terminal's type is unknown";
        return false;
    }
    // No terminal type is named at such length; ncurses would take it for a missing database.
    if (std::strlen(term) > kLongestTerminalName) {
        reason = "TERM names no terminal type (a name of " + std::to_string(std::strlen(term)) + " characters)";
        return false;
    }
    int error = 0;
    if (setupterm(nullptr, STDOUT_FILENO, &error) != OK) {
        reason = error == -1 ? std::string("no terminal descriptions are installed") : "the terminal type '" + std::string(term) + "' is not known";
        return false;
    }
    // A terminal that cannot place its cursor would print the dialog as a smear of text.
    const char* move = tigetstr(const_cast<char*>("cup"));
    const bool addressable = move != nullptr && move != reinterpret_cast<char*>(-1) && tigetflag(const_cast<char*>("hc")) <= 0;
    del_curterm(cur_term);
    if (!addressable) reason = "the terminal type '" + std::string(term) + "' cannot move the cursor";
    return addressable;
}

TerminalScreen::TerminalScreen() {
    if (std::string reason; !Usable(reason)) throw std::runtime_error(reason);
    // The program's text is UTF-8: where the user's locale is not, the terminal is driven as UTF-8 all the same.
    const char* locale = std::setlocale(LC_CTYPE, "");
    if (locale == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
    initscr();
    g_active = 1;
    for (int signal : kEndingSignals) std::signal(signal, OnFatalSignal);
    struct sigaction stop {};
    stop.sa_handler = OnStop;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTSTP, &stop, &g_cursesStop);
    raw();
    noecho();
    keypad(stdscr, TRUE);
    nonl();
    set_escdelay(25);
    mousemask(ALL_MOUSE_EVENTS | REPORT_MOUSE_POSITION, nullptr);
    mouseinterval(0);
    if (has_colors()) {
        start_color();
        use_default_colors();
        m_colors = COLORS;
    }
    const char* dim = tigetstr(const_cast<char*>("dim"));
    m_dim = dim != nullptr && dim != reinterpret_cast<char*>(-1);
    Raw(kEnterModes);
}

TerminalScreen::~TerminalScreen() { Restore(); }

void TerminalScreen::Restore() {
    if (!g_active) return;
    g_active = 0;
    Raw(kLeaveModes);
    endwin();
}

void TerminalScreen::Raw(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

int TerminalScreen::Columns() const { return COLS; }
int TerminalScreen::Rows() const { return LINES; }

short TerminalScreen::Color(COLORREF c) const {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (m_colors >= 256) {
        // The 6 x 6 x 6 cube of the 256-colour palette, or its grey ramp for greys.
        if (r == g && g == b) {
            if (r < 8) return 16;
            if (r > 238) return 231;
            return static_cast<short>(232 + (r - 8) / 10);
        }
        const auto level = [](int v) { return v < 48 ? 0 : v < 115 ? 1 : (v - 35) / 40; };
        return static_cast<short>(16 + 36 * level(r) + 6 * level(g) + level(b));
    }
    // Eight colours: the nearest corner of the colour cube, with light grey as white.
    const int bits = (r > 100 ? 1 : 0) | (g > 100 ? 2 : 0) | (b > 100 ? 4 : 0);
    constexpr short kCurses[8] = {COLOR_BLACK, COLOR_RED, COLOR_GREEN, COLOR_YELLOW, COLOR_BLUE, COLOR_MAGENTA, COLOR_CYAN, COLOR_WHITE};
    return kCurses[bits];
}

short TerminalScreen::Pair(COLORREF fg, COLORREF bg) {
    if (m_colors < 8) return 0;
    const std::pair<short, short> key{Color(fg), Color(bg)};
    if (const auto it = m_pairs.find(key); it != m_pairs.end()) return it->second;
    if (static_cast<int>(m_pairs.size()) + 1 >= COLOR_PAIRS) return 0;
    const auto pair = static_cast<short>(m_pairs.size() + 1);
    init_pair(pair, key.first, key.second);
    m_pairs.emplace(key, pair);
    return pair;
}

void TerminalScreen::Clear(COLORREF background) {
    bkgdset(COLOR_PAIR(Pair(RGB(0, 0, 0), background)) | ' ');
    erase();
}

void TerminalScreen::Text(int column, int row, std::string_view utf8, COLORREF fg, COLORREF bg, int attributes, int clipRight) {
    if (row < 0 || row >= LINES) return;
    const short pair = Pair(fg, bg);
    int x = column;
    for (const char32_t cp : DecodeUtf8(utf8)) {
        const int w = std::max(1, ::wcwidth(static_cast<wchar_t>(cp)));
        if (x + w > std::min(COLS, clipRight)) break;
        if (x >= 0) {
            wchar_t text[2] = {static_cast<wchar_t>(cp < 0x20 ? ' ' : cp), 0};
            cchar_t cell;
            setcchar(&cell, text, static_cast<attr_t>(attributes), pair, nullptr);
            mvadd_wch(row, x, &cell);
        }
        x += w;
    }
}

void TerminalScreen::Fill(int column, int row, int width, int height, COLORREF bg) {
    // A run of blanks a row at a time, clipped to the screen.
    const int left = std::max(0, column);
    const int count = std::min(COLS, column + width) - left;
    if (count <= 0) return;
    const wchar_t blank[2] = {L' ', 0};
    cchar_t cell;
    setcchar(&cell, blank, 0, Pair(RGB(0, 0, 0), bg), nullptr);
    for (int y = std::max(0, row); y < std::min(LINES, row + height); ++y) mvhline_set(y, left, &cell, count);
}

void TerminalScreen::HalfBlock(int column, int row, COLORREF upper, COLORREF lower) { Text(column, row, "▀", upper, lower); }

void TerminalScreen::Box(int column, int row, int width, int height, COLORREF fg, COLORREF bg) {
    if (width < 2 || height < 2) return;
    std::string top = "┌";
    std::string bottom = "└";
    for (int i = 0; i < width - 2; ++i) {
        top += "─";
        bottom += "─";
    }
    Text(column, row, top + "┐", fg, bg);
    Text(column, row + height - 1, bottom + "┘", fg, bg);
    for (int y = row + 1; y < row + height - 1; ++y) {
        Text(column, y, "│", fg, bg);
        Text(column + width - 1, y, "│", fg, bg);
    }
}

void TerminalScreen::Cursor(int column, int row, bool visible) {
    m_cursorColumn = column;
    m_cursorRow = row;
    m_cursorVisible = visible && column >= 0 && row >= 0 && column < COLS && row < LINES;
}

void TerminalScreen::Present() {
    curs_set(m_cursorVisible ? 1 : 0);
    if (m_cursorVisible) move(m_cursorRow, m_cursorColumn);
    refresh();
}
