// The floor for a terminal program's start: ncursesw, a framed box of the
// calculator's size with a line of text, shown once, then waiting for a key.
#ifndef _XOPEN_SOURCE_EXTENDED
#define _XOPEN_SOURCE_EXTENDED 1
#endif
#include <ncursesw/curses.h>

#include <clocale>

int main() {
    std::setlocale(LC_ALL, "");
    initscr();
    raw();
    noecho();
    keypad(stdscr, TRUE);
    WINDOW* box = newwin(35, 76, 0, 0);
    ::box(box, 0, 0);
    mvwaddstr(box, 17, 30, "bare ncurses ready");
    wnoutrefresh(stdscr);
    wnoutrefresh(box);
    doupdate();
    getch();
    endwin();
    return 0;
}
