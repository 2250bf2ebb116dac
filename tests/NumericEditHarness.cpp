#include "NumericEditHarness.h"

#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/EditControl.h"
#include "platform/window_system/WindowApi.h"

void NumericEditUnderTest::Apply(const NumericSettings& s) {
    m_chDecimal = s.decimal;
    m_strGroupSep = s.groupSep;
    m_nGroupSize = s.groupSize;
    m_nDecimalPlaces = s.places;
    m_nLeadingZero = s.leadingZero;
    m_nNegFormat = s.negFormat;
    m_nIntMode = s.intMode;
    m_nMaxIntDigits = s.maxIntDigits;
    m_strPrefix = s.prefix;
    m_strSuffix = s.suffix;
    m_nPadSpaces = s.padSpaces;
    m_nBracketStyle = s.bracketStyle;
    m_chNegSign = s.negSign;
    m_bAutoTab = s.autoTab;
    m_bNegative = FALSE;
    ResetValue(HasDecimals());
}

std::unique_ptr<NumericEditUnderTest> MakeNumericEdit(const std::map<LCTYPE, std::string>& answers) {
    const FixedLocaleSource source(answers);
    SetLocaleSource(&source);
    auto edit = std::make_unique<NumericEditUnderTest>();
    SetLocaleSource(nullptr);
    return edit;
}

std::unique_ptr<NumericEditUnderTest> MakeNumericEdit(const NumericSettings& settings) {
    auto edit = MakeNumericEdit(std::map<LCTYPE, std::string>{});
    edit->Apply(settings);
    return edit;
}

namespace {
constexpr DialogItemTemplate kItems[] = {
    {100, WindowClass::Edit, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 100, 12, ""},
    {101, WindowClass::Edit, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 30, 100, 12, ""},
};
constexpr DialogTemplate kTemplate{7, false, WS_POPUP | WS_CAPTION, 0, 0, 0, 140, 60, "numeric", "宋体", 9, kItems};
}  // namespace

void NumericEditWindowFixture::Open(const NumericSettings& settings, const char* value, std::unique_ptr<CDialog> dialog) {
    m_edit = MakeNumericEdit(settings);
    if (value != nullptr && *value != '\0') m_edit->SetValueText(value, FALSE, TRUE);
    m_dialog = dialog ? std::move(dialog) : std::make_unique<CDialog>();
    m_dialog->SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
    m_dialog->m_hWnd->style |= WS_VISIBLE;
    m_edit->SubclassWindow(GetDlgItem(m_dialog->m_hWnd, kNumeric));
    SetFocus(m_edit->m_hWnd);
}

LRESULT NumericEditWindowFixture::Send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessage(m_edit->m_hWnd, message, wParam, lParam); }

void NumericEditWindowFixture::Char(UINT ch) { Send(WM_CHAR, ch, 1); }

void NumericEditWindowFixture::Key(UINT vk, bool shift) {
    WindowManager::Instance().SetKeyDown(VK_SHIFT, shift);
    Send(WM_KEYDOWN, vk, 1);
    WindowManager::Instance().SetKeyDown(VK_SHIFT, false);
}

std::string NumericEditWindowFixture::Shown() const { return EditControlOf(m_edit->m_hWnd)->Model().Text(); }

std::string NumericEditWindowFixture::OutsideText() {
    CString text;
    m_edit->GetWindowText(text);
    return text;
}

std::pair<int, int> NumericEditWindowFixture::Sel() {
    int start = 0;
    int end = 0;
    m_edit->GetSel(start, end);
    return {start, end};
}

int NumericEditWindowFixture::CaretIndex() {
    POINT p;
    GetCaretPos(&p);
    return m_edit->CharFromPos(p);
}

void NumericEditWindowFixture::Select(int start, int end) { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
