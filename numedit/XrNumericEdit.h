// An edit control for one decimal number. The number is held as a list of
// typed character elements (the value list); what the window shows is a
// second list composed from it by the user's locale: grouped digits, the
// decimal separator, and a sign or brackets for negative numbers. Every
// edit goes through the value text and one parser, then the window text is
// rewritten from the recomposed display.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../platform/class_library/CEdit.h"
#include "XrNumericData.h"

class CDC;

// Leading zero, bracket style, integer mode and caret codes.
enum : int {
    NLZ_NONE = 20,
    NLZ_SHOW = 21,
    NBR_ROUND = 10,
    NBR_CURLY = 11,
    NBR_SQUARE = 12,
    NCC_ADVANCE = 31,
    NCC_PLACE = 32,
    NIM_TRIM = 33,
    NIM_FIXED = 34,
};

using NumericDataList = std::vector<CXrNumericData>;

class CXrNumericEdit : public CEdit {
public:
    CXrNumericEdit();
    ~CXrNumericEdit() override;

    // Settings.
    void SetDecimalPlaces(int nPlaces);
    void SetInsertMode(BOOL bInsert) { m_bInsertMode = bInsert; }
    BOOL GetInsertMode() const { return m_bInsertMode; }
    BOOL HasDecimals() const { return m_nDecimalPlaces > 0 ? TRUE : FALSE; }
    void ClearLists();

    // The value text and the parser.
    static BOOL IsValueChar(char ch, char chDecimal);
    BOOL IsValueChar(char ch) const { return IsValueChar(ch, m_chDecimal); }
    BOOL IsValidValueText(const char* text) const;
    BOOL SetValueText(const char* text, BOOL bKeepSign, BOOL bPadAtFront);
    void PadValue(int nCount, BOOL bIntegerPart, BOOL bAtFront);
    void ResetValue(BOOL bWithDecimals);
    CString GetValueText(BOOL bPlaceholders) const;
    BOOL IsNegativeNonZero() const;
    int InsertAt(int nValueIndex, char ch);
    int OverwriteAt(int nValueIndex, char ch);
    int DeleteRange(int nFrom, int nTo);
    // The value text with `ch` typed at a value index, inserted or replacing.
    CString TypedText(int nValueIndex, char ch, BOOL bReplace) const;
    // The value text without the value characters from nFrom up to nTo; the separator stays.
    CString TextWithout(int nFrom, int nTo) const;
    // The value index just behind the digit at `nTyped` of `typed`, once `typed` has been parsed.
    int StopBehindTyped(const CString& typed, int nTyped) const;
    BOOL IsPlaceholderAt(int nValueIndex) const;
    BOOL IsDigitOrPlaceholderAt(int nValueIndex) const;

    // The display and the mapping between display and value indexes.
    void ComposeDisplay();
    int GetIntegerLength() const;
    CString GetDisplayText() const;
    BOOL IsDisplayEmpty() const;
    int DisplayToValue(int nDisplayIndex) const;
    int ValueToDisplay(int nValueIndex) const;
    void Refresh(int nCaret);
    BOOL IsShowing(const CString& display);
    void PlaceCaret(int nPos, int nCode);
    COLORREF SetValueColor(COLORREF color);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    // What a reader outside the control gets: sign, digits, separator.
    CString GetOutsideText() const;
    int GetValueCount() const { return static_cast<int>(m_listValue.size()); }
    COLORREF GetTextColor() const { return m_crText; }
    BOOL IsNegative() const { return m_bNegative; }
    char GetDecimalSeparator() const { return m_chDecimal; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Display blocks.
    void AddPrefix();
    void AddSuffix();
    void AddGroupSep();
    void AddPadSpaces();
    void AddDigits();
    void AddSign(BOOL bOpening);
    void AppendDisplay(int nKind, NumericChar ch);
    void AppendValue(int nKind, char ch, BOOL bAtFront = FALSE);
    void ApplyValueColor();
    void ReadLocale();

    // Keyboard, characters and mouse.
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void MoveCaretLeft();
    void MoveCaretRight();
    void MoveCaretHome();
    void MoveCaretEnd();
    void TypeDigit(char ch);
    void JumpToFraction();
    void SetPositive();
    void ToggleSign();
    void ChangeSign(BOOL bNegative);
    void DeleteBack();
    void DeleteForward();
    // Shift+arrow, Home and End: moves the end of the selection the caret is at.
    void ExtendSelection(int nRoutine);
    int ValueStopAt(CPoint point) const;

    // Clipboard and window text.
    LRESULT OnCut(WPARAM wParam, LPARAM lParam);
    LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    LRESULT OnClear(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetSel(WPARAM wParam, LPARAM lParam);
    void PutClipboardText(CString text);
    CString GetClipboardText();
    // The selection in value indexes, the start taken as 0 when negative.
    void GetValueSel(int& sv, int& ev) const;

    DECLARE_MESSAGE_MAP()

    int m_nMouseAnchor = -1;
    NumericDataList m_listDisplay;
    NumericDataList m_listValue;
    CString m_strPrefix;
    CString m_strSuffix;
    CString m_strGroupSep = "'";
    // The value and sign of the current message's latest write of its own (not
    // one nested in the notices it raised), and how deep the control is in nested messages.
    CString m_strWrittenValue;
    int m_nMessageDepth = 0;
    BOOL m_bAutoTab = FALSE;
    BOOL m_bInsertMode = TRUE;
    BOOL m_bNegative = FALSE;
    int m_nPadSpaces = 1;
    int m_nMaxIntDigits = -1;
    int m_nGroupSize = 3;
    int m_nDecimalPlaces = 0;
    COLORREF m_crNegative = RGB(255, 0, 0);
    COLORREF m_crText = 0;
    char m_chNegSign = '-';
    char m_chDecimal = '.';
    int m_nLeadingZero = NLZ_SHOW;
    int m_nBracketStyle = NBR_ROUND;
    int m_nNegFormat = 5;
    int m_nIntMode = NIM_TRIM;
};
