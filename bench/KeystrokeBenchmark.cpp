// A key typed into the calculator's diagonal field, with the dialog around it
// doing what it does on every change (reading every field, recalculating,
// writing back), and the frame the window then draws: only the fields that
// changed, against the whole dialog. Offscreen, with the window's font.
//   build/default/bench/keystroke_benchmark
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/DriverHarness.h"
#include "platform/gui/DialogFont.h"
#include "platform/gui/Renderer.h"
#include "platform/gui/SurfaceCanvas.h"
#include "platform/driver/Driver.h"
#include "platform/window_system/WindowApi.h"
#include "platform/window_system/WindowManager.h"

namespace {

constexpr int kDiagonal = 1004;
constexpr int kPpi = 1005;
constexpr int kPpc = 1006;

std::unique_ptr<DialogFont> g_font;

HWND Control(int id) { return GetDlgItem(WindowManager::Instance().ActiveDialog(), id); }

// A digit and the Backspace that takes it out again, so that every round starts from the same value.
void DigitAndBackspaceInTheDiagonal(benchmark::State& state) {
    HWND diagonal = Control(kDiagonal);
    SetFocus(diagonal);
    SendMessage(diagonal, EM_SETSEL, 1, 1);
    for (auto _ : state) {
        SendMessage(diagonal, WM_CHAR, '7', 1);
        SendMessage(diagonal, WM_KEYDOWN, VK_BACK, 1);
        SendMessage(diagonal, WM_CHAR, '\b', 1);
    }
}
BENCHMARK(DigitAndBackspaceInTheDiagonal);

Rect CanvasRect(HWND hWnd, const Rect& dialog) {
    Rect r = WindowManager::Instance().ScreenRect(hWnd);
    r.OffsetRect(-dialog.left, -dialog.top);
    return r;
}

// The frame after a digit: the three fields it changed, or (as before) everything.
void FrameAfterADigit(benchmark::State& state) {
    const Rect dialog = WindowManager::Instance().ScreenRect(WindowManager::Instance().ActiveDialog());
    SurfaceCanvas canvas(dialog.Width(), dialog.Height(), *g_font, SurfaceCanvas::kXrgb);
    const Rect whole{0, 0, dialog.Width(), dialog.Height()};
    Renderer(canvas, *g_font).Paint({dialog.left, dialog.top}, whole, true);
    Rect changed = CanvasRect(Control(kDiagonal), dialog);
    for (int id : {kPpi, kPpc}) changed = changed.Union(CanvasRect(Control(id), dialog));
    const bool onlyChanged = state.range(0) != 0;
    for (auto _ : state) {
        canvas.SetClip(onlyChanged ? &changed : nullptr);
        Renderer(canvas, *g_font).Paint({dialog.left, dialog.top}, whole, true, nullptr, onlyChanged ? &changed : nullptr);
        canvas.SetClip(nullptr);
    }
    state.SetLabel(onlyChanged ? "the changed fields" : "the whole dialog");
}
BENCHMARK(FrameAfterADigit)->Arg(1)->Arg(0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    g_font = std::make_unique<DialogFont>(1.0);
    // The calculator runs headless; the benchmarks run inside it, with its dialog open.
    RunDotwise("keys\n", [](Driver& driver) {
        driver.AddCommand("keys", [](const Driver::Args&) {
            benchmark::RunSpecifiedBenchmarks();
            return std::string("ok");
        });
    });
    g_font.reset();
    return 0;
}
