// What the window draws, with the calculator open: a whole frame once its
// strings are cached (what the window draws after an edit or a blink), the
// first frame with every string rendered anew, and the comparison with the
// previous frame that picks what to push. Offscreen, with the window's font.
//   build/default/bench/frame_benchmark
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "../tests/DriverHarness.h"
#include "platform/window_system/WindowManager.h"
#include "platform/gui/DialogFont.h"
#include "platform/gui/FrameDamage.h"
#include "platform/gui/Renderer.h"
#include "platform/gui/SurfaceCanvas.h"
#include "platform/headless/Driver.h"

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

void FirstFrame(benchmark::State& state) {
    const Rect area = DialogArea();
    for (auto _ : state) {
        SurfaceCanvas canvas(area.Width(), area.Height(), *g_font);
        Paint(canvas, area);
    }
}
BENCHMARK(FirstFrame);

void CompareWithThePreviousFrame(benchmark::State& state) {
    const Rect area = DialogArea();
    SurfaceCanvas canvas(area.Width(), area.Height(), *g_font);
    Paint(canvas, area);
    const SDL_Surface* frame = canvas.Surface();
    const auto* pixels = static_cast<const std::uint32_t*>(frame->pixels);
    std::vector<std::uint32_t> previous(static_cast<std::size_t>(frame->w) * static_cast<std::size_t>(frame->h));
    for (int y = 0; y < frame->h; ++y)
        std::copy_n(pixels + static_cast<std::ptrdiff_t>(y) * (frame->pitch / 4), frame->w, previous.begin() + static_cast<std::ptrdiff_t>(y) * frame->w);
    previous[previous.size() / 2] ^= 1;  // one field changed
    for (auto _ : state) benchmark::DoNotOptimize(ChangedBands(previous.data(), frame->w, pixels, frame->pitch / 4, frame->w, frame->h));
}
BENCHMARK(CompareWithThePreviousFrame);

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
