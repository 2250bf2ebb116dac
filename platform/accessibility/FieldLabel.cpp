#include "FieldLabel.h"

#include <cctype>
#include <cstring>

namespace {

bool IsStatic(HWND hWnd) {
    char name[16] = {};
    GetClassNameA(hWnd, name, sizeof name);
    const char* wanted = "static";
    for (std::size_t i = 0;; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != wanted[i]) return false;
        if (wanted[i] == '\0') return true;
    }
}

// A static that shows text: not an icon, shown, and not empty.
bool IsTextLabel(HWND hWnd) {
    return IsStatic(hWnd) && (GetWindowLongPtrA(hWnd, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && IsWindowVisible(hWnd) && GetWindowTextLengthA(hWnd) > 0;
}

RECT RectInParent(HWND hWnd) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    for (POINT& corner : corners) ScreenToClient(GetParent(hWnd), &corner);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

HWND FieldLabel(HWND field) {
    HWND parent = GetParent(field);
    if (field == nullptr || parent == nullptr) return nullptr;
    const RECT r = RectInParent(field);
    const LONG middle = (r.top + r.bottom) / 2;
    HWND best = nullptr;
    LONG bestRight = 0;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == field || !IsTextLabel(sibling)) continue;
        const RECT s = RectInParent(sibling);
        if (s.right > r.left + 1 || middle < s.top || middle >= s.bottom) continue;
        if (best == nullptr || s.right > bestRight) best = sibling, bestRight = s.right;
    }
    return best;
}

std::string FieldOwnName(HWND field) {
    const int id = GetDlgCtrlID(field);
    if (id <= 0 || id > 0xFFFF - static_cast<int>(kFieldNameStrings)) return "";
    char name[256] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), kFieldNameStrings + static_cast<UINT>(id), name, sizeof name);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : "";
}
