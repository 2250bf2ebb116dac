// What the window draws, with the calculator open: a whole frame once its
// strings are kept (what the window draws when it is exposed), and the first
// frame with every string rendered anew. Offscreen, with the window's font.
//   build/default/bench/frame_benchmark
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "../tests/DriverHarness.h"
#include "platform/window_system/WindowManager.h"
#include "platform/gui/DialogFont.h"
#include "platform/gui/Renderer.h"
#include "platform/gui/SurfaceCanvas.h"
#include "platform/driver/Driver.h"

#include <SDL.h>

namespace {

std::unique_ptr<DialogFont> g_font;

Rect DialogArea() { return WindowManager::Instance().ScreenRect(WindowManager::Instance().ActiveDialog()); }

void Paint(SurfaceCanvas& canvas, const Rect& area) {
    Renderer(canvas, *g_font).Paint({area.left, area.top}, {0, 0, area.Width(), area.Height()}, true);
}

void CachedFrame(benchmark::State& state) {
    const Rect area = DialogArea();
    SurfaceCanvas canvas(area.Width(), area.Height(), *g_font);
    Paint(canvas, area);
    for (auto _ : state) Paint(canvas, area);
}
BENCHMARK(CachedFrame);

// The font keeps the strings it rendered and the glyphs it loaded: a font
// opened anew (outside the timing) has neither.
void FirstFrame(benchmark::State& state) {
    const Rect area = DialogArea();
    const std::unique_ptr<DialogFont> kept = std::move(g_font);
    for (auto _ : state) {
        state.PauseTiming();
        g_font = std::make_unique<DialogFont>(1.0);
        state.ResumeTiming();
        SurfaceCanvas canvas(area.Width(), area.Height(), *g_font);
        Paint(canvas, area);
        state.PauseTiming();
        g_font.reset();
        state.ResumeTiming();
    }
    g_font = std::make_unique<DialogFont>(1.0);
}
BENCHMARK(FirstFrame)->Iterations(100);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    g_font = std::make_unique<DialogFont>(1.0);
    // The calculator runs headless; the benchmarks run inside it, with its dialog open.
    RunDotwise("frames\n", [](Driver& driver) {
        driver.AddCommand("frames", [](const Driver::Args&) {
            benchmark::RunSpecifiedBenchmarks();
            return std::string("ok");
        });
    });
    g_font.reset();
    return 0;
}
