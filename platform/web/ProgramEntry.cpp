// The page's entry: the program on the web back end, at the page's pixel ratio.
// A page is not closed by its dialog: when the program ends, the page says
// so and offers to open it again, and the program runs anew in the same page,
// its window system reset as each run begins and ends.
#include <emscripten.h>

#include <algorithm>
#include <cmath>

#include "../window_system/ProgramRun.h"
#include "WebBackend.h"

// clang-format off
EM_JS(double, dotwise_pixel_ratio, (), {
    return Module.dotwisePage.pixelRatio();
});
EM_JS(void, dotwise_ended, (int exitCode), {
    Module.dotwisePage.ended(exitCode);
});
EM_ASYNC_JS(void, dotwise_reopened, (), {
    await Module.dotwisePage.reopened();
});
// clang-format on

int main() {
    for (;;) {
        // Quarter steps keep the bitmap-like look of whole pixels where they can.
        const double ratio = std::clamp(std::round(dotwise_pixel_ratio() * 4) / 4, 0.5, 8.0);
        int exitCode = 0;
        {
            WebBackend backend(ratio);
            exitCode = RunProgram(backend);
        }
        dotwise_ended(exitCode);
        dotwise_reopened();
    }
}
