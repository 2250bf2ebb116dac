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
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect Union(const Rect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        return {left < o.left ? left : o.left, top < o.top ? top : o.top, right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
    }
    // What both cover; empty when they do not meet.
    Rect Intersection(const Rect& o) const {
        return {left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
    }
};
