// The value text, its parser and the operations on the value list. Every
// change of the number is a change of its value text parsed back in.
#include <algorithm>
#include <cstring>

#include "XrNumericEdit.h"

BOOL CXrNumericEdit::IsValueChar(char ch, char chDecimal) { return (ch >= '0' && ch <= '9') || ch == chDecimal || ch == '#' ? TRUE : FALSE; }

BOOL CXrNumericEdit::IsValidValueText(const char* text) const {
    if (text == nullptr) return FALSE;
    int separators = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (!IsValueChar(*p)) return FALSE;
        if (*p == m_chDecimal) ++separators;
    }
    return separators <= 1 ? TRUE : FALSE;
}

void CXrNumericEdit::AppendValue(int nKind, char ch, BOOL bAtFront) {
    if (bAtFront)
        m_listValue.emplace(m_listValue.begin(), nKind, ch);
    else
        m_listValue.emplace_back(nKind, ch);
}

BOOL CXrNumericEdit::SetValueText(const char* text, BOOL bKeepSign, BOOL bPadAtFront) {
    if (text == nullptr) return FALSE;
    BOOL negative = m_bNegative;
    if (!bKeepSign) {
        // Always this character, whatever the locale's negative sign is.
        negative = text[0] == '-' ? TRUE : FALSE;
        if (negative) ++text;
    }
    if (!IsValidValueText(text)) return FALSE;

    ClearLists();
    m_bNegative = negative;
    while (*text == '0') ++text;

    bool inFraction = false;
    int i = 0;
    for (const char* p = text; *p != '\0'; ++p, ++i) {
        const char ch = *p;
        const bool taken =
            inFraction ? (i <= m_nDecimalPlaces || m_nDecimalPlaces < 0) : (i < m_nMaxIntDigits || m_nMaxIntDigits <= 0 || ch == m_chDecimal);
        if (!taken) continue;
        if (ch == m_chDecimal) {
            PadValue(i, TRUE, bPadAtFront);
            if (m_nDecimalPlaces > 0) AppendValue(NDK_DECIMAL, ch);
            inFraction = true;
            i = 0;  // the loop's step makes the first fraction character 1
        } else {
            AppendValue(ch == '#' ? NDK_PLACEHOLDER : NDK_DIGIT, ch);
        }
    }
    if (!inFraction) {
        PadValue(i, TRUE, bPadAtFront);
        if (m_nDecimalPlaces > 0) AppendValue(NDK_DECIMAL, m_chDecimal);
        PadValue(0, FALSE, TRUE);
    } else {
        PadValue(i - 1, FALSE, TRUE);
    }

    if (m_nIntMode == NIM_TRIM) {
        while (m_listValue.size() > 1 && m_listValue[0].IsKind(NDK_PLACEHOLDER)) {
            if (!m_listValue[1].IsKind(NDK_DECIMAL)) {
                m_listValue.erase(m_listValue.begin());
                continue;
            }
            if (m_nLeadingZero == NLZ_NONE) m_listValue.erase(m_listValue.begin());
            break;
        }
    }
    if (m_listValue.empty()) ResetValue(HasDecimals());
    CXrNumericData& first = m_listValue.front();
    if (first.IsKind(NDK_DIGIT) && first.m_ch == '0') first.Assign(CXrNumericData(NDK_PLACEHOLDER, '#'));

    ComposeDisplay();
    ApplyValueColor();
    Refresh(0);
    return TRUE;
}

void CXrNumericEdit::PadValue(int nCount, BOOL bIntegerPart, BOOL bAtFront) {
    if (!bIntegerPart) {
        for (int pos = nCount; pos < m_nDecimalPlaces; ++pos) AppendValue(NDK_PLACEHOLDER, '#');
        return;
    }
    if (m_nMaxIntDigits > 0 && m_nIntMode == NIM_FIXED) {
        for (int pos = nCount; pos < m_nMaxIntDigits; ++pos) AppendValue(NDK_PLACEHOLDER, '#', bAtFront);
        return;
    }
    if (m_nLeadingZero == NLZ_SHOW && nCount == 0) AppendValue(NDK_PLACEHOLDER, '#', bAtFront);
}

void CXrNumericEdit::ResetValue(BOOL bWithDecimals) {
    ClearLists();
    PadValue(0, TRUE, TRUE);
    if (bWithDecimals) {
        AppendValue(NDK_DECIMAL, m_chDecimal);
        PadValue(0, FALSE, TRUE);
    }
    if (m_listValue.empty()) AppendValue(NDK_PLACEHOLDER, '#');
    ComposeDisplay();
}

CString CXrNumericEdit::GetValueText(BOOL bPlaceholders) const {
    // Value characters are single bytes.
    CString text;
    text.reserve(m_listValue.size());
    for (const auto& element : m_listValue) text.push_back(element.IsKind(NDK_PLACEHOLDER) ? (bPlaceholders ? '#' : '0') : element.m_ch.Byte());
    return text;
}

BOOL CXrNumericEdit::IsNegativeNonZero() const {
    if (!m_bNegative) return FALSE;
    const bool nonZero = std::any_of(m_listValue.begin(), m_listValue.end(), [](const auto& e) { return e.IsKind(NDK_DIGIT) && !(e.m_ch == '0'); });
    return nonZero ? TRUE : FALSE;
}

CString CXrNumericEdit::TypedText(int nValueIndex, char ch, BOOL bReplace) const {
    CString text = GetValueText(TRUE);
    const auto at = static_cast<std::size_t>(std::clamp(nValueIndex, 0, text.GetLength()));
    if (bReplace && at < text.size())
        text[at] = ch;
    else
        text.insert(at, 1, ch);
    return text;
}

int CXrNumericEdit::StopBehindTyped(const CString& typed, int nTyped) const {
    // The parse trims the integer part only at its front and cuts the fraction
    // only at its end, so what lies between the typed digit and the separator
    // keeps its length; counting from the separator finds the digit again, or
    // the place it would have had where the parse dropped it.
    const auto separator = typed.find(m_chDecimal);
    const int integerLength = GetIntegerLength();
    const int integerTyped = static_cast<int>(separator == CString::npos ? typed.size() : separator);
    if (nTyped < integerTyped) return std::max(0, integerLength - (integerTyped - nTyped - 1));
    return std::min(GetValueCount(), integerLength + (nTyped - integerTyped) + 1);
}

int CXrNumericEdit::InsertAt(int nValueIndex, char ch) {
    const CString old = GetValueText(TRUE);
    if (SetValueText(TypedText(nValueIndex, ch, FALSE).c_str(), TRUE, TRUE)) return nValueIndex;
    SetValueText(old.c_str(), TRUE, TRUE);
    return -1;
}

int CXrNumericEdit::OverwriteAt(int nValueIndex, char ch) {
    const CString old = GetValueText(TRUE);
    if (nValueIndex < 0 || nValueIndex >= old.GetLength()) return -1;
    if (SetValueText(TypedText(nValueIndex, ch, TRUE).c_str(), TRUE, TRUE)) return nValueIndex;
    SetValueText(old.c_str(), TRUE, TRUE);
    return -1;
}

CString CXrNumericEdit::TextWithout(int nFrom, int nTo) const {
    CString kept;
    for (int i = 0; i < GetValueCount(); ++i) {
        const CXrNumericData& element = m_listValue[static_cast<std::size_t>(i)];
        const char ch = element.m_ch.Byte();
        if (!IsValueChar(ch)) continue;
        // The decimal separator is never deleted.
        if (i < nFrom || i >= nTo || element.IsKind(NDK_DECIMAL)) kept += ch;
    }
    return kept;
}

int CXrNumericEdit::DeleteRange(int nFrom, int nTo) {
    const CString kept = TextWithout(nFrom, nTo);
    const int dropped = GetValueCount() - kept.GetLength();
    SetValueText(kept.c_str(), TRUE, FALSE);
    return dropped;
}

BOOL CXrNumericEdit::IsPlaceholderAt(int nValueIndex) const {
    if (nValueIndex < 0 || nValueIndex >= GetValueCount()) return FALSE;
    return m_listValue[static_cast<std::size_t>(nValueIndex)].IsKind(NDK_PLACEHOLDER);
}

BOOL CXrNumericEdit::IsDigitOrPlaceholderAt(int nValueIndex) const {
    if (nValueIndex < 0 || nValueIndex >= GetValueCount()) return FALSE;
    const CXrNumericData& element = m_listValue[static_cast<std::size_t>(nValueIndex)];
    return element.IsKind(NDK_DIGIT) || element.IsKind(NDK_PLACEHOLDER) ? TRUE : FALSE;
}

void CXrNumericEdit::ApplyValueColor() {
    // The colour follows the flag alone: a negative zero shows no sign but is red.
    SetValueColor(m_bNegative ? m_crNegative : GetSysColor(COLOR_WINDOWTEXT));
}
