// The class library's string: UTF-8 text, with the few members the program calls.
#pragma once

#include <string>

#include "AfxWin32.h"

class CString : public std::string {
public:
    using std::string::string;
    CString() = default;
    CString(const std::string& s) : std::string(s) {}
    CString(std::string&& s) : std::string(std::move(s)) {}
    BOOL IsEmpty() const { return empty(); }
    int GetLength() const { return static_cast<int>(size()); }
    // Loads a string resource of the program; false when it has none.
    BOOL LoadString(UINT nID);
    operator LPCSTR() const { return c_str(); }
};
