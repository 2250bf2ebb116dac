// The window system's point and rectangle: the API's structures with the
// arithmetic the window system and its back ends do on them.
#pragma once

#include <windows.h>

struct Point : POINT {
    Point() : POINT{0, 0} {}
    Point(int px, int py) : POINT{px, py} {}
    Point(const POINT& p) : POINT(p) {}
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Rect : RECT {
    Rect() : RECT{0, 0, 0, 0} {}
    Rect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    Rect(const RECT& r) : RECT(r) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const Rect& o) const { return left == o.left && top == o.top && right == o.right && bottom == o.bottom; }
};
