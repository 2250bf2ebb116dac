// Builds a numeric edit control under chosen locale answers and settings,
// with or without a window, for tests.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "PlatformFixture.h"
#include "numedit/XrNumericEdit.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/LocaleInfo.h"

struct NumericSettings {
    char decimal = '.';
    std::string groupSep = ",";
    int groupSize = 3;
    int places = 1;
    int leadingZero = NLZ_SHOW;
    int negFormat = 4;
    int intMode = NIM_TRIM;
    int maxIntDigits = -1;
    std::string prefix;
    std::string suffix;
    int padSpaces = 1;
    int bracketStyle = NBR_ROUND;
    char negSign = '-';
    BOOL autoTab = FALSE;
};

// Opens every setting to tests; the program itself never changes the fixed ones.
class NumericEditUnderTest : public CXrNumericEdit {
public:
    void Apply(const NumericSettings& s);
    const NumericDataList& Values() const { return m_listValue; }
    const NumericDataList& Display() const { return m_listDisplay; }
    char Decimal() const { return m_chDecimal; }
    char NegSign() const { return m_chNegSign; }
    const CString& GroupSep() const { return m_strGroupSep; }
    int GroupSize() const { return m_nGroupSize; }
    int DecimalPlaces() const { return m_nDecimalPlaces; }
    int LeadingZero() const { return m_nLeadingZero; }
    int NegFormat() const { return m_nNegFormat; }
    void SetNegative(BOOL negative) { m_bNegative = negative; }
    COLORREF NegativeColor() const { return m_crNegative; }
};

// Constructs the control while the locale answers `answers`.
std::unique_ptr<NumericEditUnderTest> MakeNumericEdit(const std::map<LCTYPE, std::string>& answers);
// A control under the settings (by default the calculator's: '.', ',', groups
// of 3, one decimal place, leading zero shown, layout 4).
std::unique_ptr<NumericEditUnderTest> MakeNumericEdit(const NumericSettings& settings = {});

// A dialog holding one numeric edit (id 100) and one plain edit after it (id 101).
class NumericEditWindowFixture : public PlatformFixture {
protected:
    static constexpr int kNumeric = 100;
    static constexpr int kNext = 101;
    // `dialog`, when given, is the parent the control reports to.
    void Open(const NumericSettings& settings = {}, const char* value = "", std::unique_ptr<CDialog> dialog = nullptr);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void Char(UINT ch);
    void Key(UINT vk, bool shift = false);
    std::string Shown() const;
    std::string OutsideText();
    std::pair<int, int> Sel();
    // The display index where the caret shows.
    int CaretIndex();
    void Select(int start, int end);

    std::unique_ptr<CDialog> m_dialog;
    std::unique_ptr<NumericEditUnderTest> m_edit;
};
