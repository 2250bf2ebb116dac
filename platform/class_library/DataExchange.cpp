#include "DataExchange.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "AfxStrings.h"
#include "CDialog.h"
#include "CWinApp.h"

namespace {

std::string ReadField(HWND hWnd) { return AfxGetWindowText(hWnd); }

// A write is skipped when the field already reports the same text.
void WriteField(HWND hWnd, const std::string& text) {
    if (ReadField(hWnd) == text) return;
    ::SetWindowText(hWnd, text.c_str());
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_hWndLastControl = hWnd;
    m_bEditLastControl = false;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = true;
    return hWnd;
}

void CDataExchange::Fail() {
    if (IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    m_bFailed = true;
}

std::string FormatUnsigned(UINT value) { return std::to_string(value); }

std::string FormatDouble(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

bool ParseUnsigned(const std::string& text, UINT& value) {
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty()) return false;
    unsigned long long v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
        if (v > std::numeric_limits<UINT>::max()) v = std::numeric_limits<UINT>::max() + 1ULL;
    }
    // Beyond 32 bits the reading saturates, as the original's did.
    value = v > std::numeric_limits<UINT>::max() ? std::numeric_limits<UINT>::max() : static_cast<UINT>(v);
    return true;
}

bool ParseDouble(const std::string& text, double& value) {
    std::string_view s = TrimBlanks(text);
    if (s.empty()) return false;
    const bool startsWithZero = s.front() == '0';
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
        if (s.empty() || s.front() == '+' || s.front() == '-') return false;
    }
    double v = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument || result.ptr != s.data() + s.size()) return false;
    if (result.ec == std::errc::result_out_of_range) v = v < 1 ? 0.0 : std::numeric_limits<double>::infinity();
    if (negative) v = -v;
    // A zero that does not start with '0' ("-0", ".0") is taken as unreadable.
    if (v == 0.0 && !startsWithZero) return false;
    value = v;
    return true;
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    if (pDX->Failed()) return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        WriteField(hWnd, FormatUnsigned(value));
        return;
    }
    if (!ParseUnsigned(ReadField(hWnd), value)) {
        AfxMessageBox(AFX_IDP_PARSE_UINT);
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { DDX_Text(pDX, nIDC, value, '.'); }

void DDX_Text(CDataExchange* pDX, int nIDC, double& value, char decimalPoint) {
    if (pDX->Failed()) return;
    const auto swap = [](std::string text, char from, char to) {
        std::replace(text.begin(), text.end(), from, to);
        return text;
    };
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        WriteField(hWnd, swap(FormatDouble(value), '.', decimalPoint));
        return;
    }
    if (!ParseDouble(swap(ReadField(hWnd), decimalPoint, '.'), value)) {
        AfxMessageBox(AFX_IDP_PARSE_REAL);
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->Failed()) return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ReadField(hWnd);
    else
        WriteField(hWnd, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (pDX->Failed()) return;
    if (rControl.m_hWnd != nullptr) return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    rControl.SubclassWindow(hWnd);
}
