// How long the numeric edit takes for what a user does to it: each keystroke
// re-parses the whole value and recomposes both lists, with the window text
// rewritten and the dialog's recalculation triggered. Run:
//   build/default/bench/numedit_benchmark
#include <benchmark/benchmark.h>

#include <sstream>

#include "numedit/XrNumericEdit.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/LocaleInfo.h"
#include "platform/window_system/WindowApi.h"
#include "platform/window_system/WindowManager.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

constexpr DialogItemTemplate kItems[] = {
    {100, WindowClass::Edit, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 200, 12, ""},
};
constexpr DialogTemplate kTemplate{1, false, WS_POPUP | WS_CAPTION, 0, 0, 0, 220, 40, "bench", "宋体", 9, kItems};

// A control in a window, under the calculator's number format.
struct Fixture {
    std::istringstream in;
    std::ostringstream out;
    HeadlessBackend backend{in, out};
    CDialog dialog;
    std::unique_ptr<CXrNumericEdit> edit;

    Fixture() {
        WindowManager::Instance().Reset();
        WindowManager::Instance().SetBackend(&backend);
        const FixedLocaleSource locale({{LOCALE_SDECIMAL, "."}, {LOCALE_STHOUSAND, ","}, {LOCALE_SGROUPING, "3;0"}, {LOCALE_INEGNUMBER, "1"}});
        SetLocaleSource(&locale);
        edit = std::make_unique<CXrNumericEdit>();
        SetLocaleSource(nullptr);
        edit->SetDecimalPlaces(1);
        dialog.SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
        edit->SubclassWindow(GetDlgItem(dialog.m_hWnd, 100));
        SetFocus(edit->m_hWnd);
    }
    ~Fixture() {
        edit.reset();
        WindowManager::Instance().Reset();
        WindowManager::Instance().SetBackend(nullptr);
    }
};

void TypeADigitIntoAGroupedNumber(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.edit->SetWindowText("1234567.8");
        f.edit->SendMessage(EM_SETSEL, 2, 2);
        f.edit->SendMessage(WM_CHAR, '9', 1);
    }
}
BENCHMARK(TypeADigitIntoAGroupedNumber);

void ParseAValueTextOfDigits(benchmark::State& state) {
    Fixture f;
    const std::string text(static_cast<std::size_t>(state.range(0)), '7');
    for (auto _ : state) benchmark::DoNotOptimize(f.edit->SetValueText(text.c_str(), FALSE, TRUE));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ParseAValueTextOfDigits)->RangeMultiplier(4)->Range(4, 256)->Complexity();

void MapEveryDisplayIndex(benchmark::State& state) {
    Fixture f;
    f.edit->SetWindowText("-1234567.8");
    const int length = static_cast<int>(f.edit->GetDisplayText().size());
    for (auto _ : state)
        for (int d = 0; d <= length; ++d) benchmark::DoNotOptimize(f.edit->ValueToDisplay(f.edit->DisplayToValue(d)));
}
BENCHMARK(MapEveryDisplayIndex);

}  // namespace

BENCHMARK_MAIN();
