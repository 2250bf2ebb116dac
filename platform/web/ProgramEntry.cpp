// The page's entry: the program on the web back end, at the page's pixel ratio.
#include <emscripten.h>

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
// clang-format on

int main() {
    // Quarter steps keep the bitmap-like look of whole pixels where they can.
    const double ratio = std::clamp(std::round(dotwise_pixel_ratio() * 4) / 4, 1.0, 8.0);
    WebBackend backend(ratio);
    const int exitCode = RunProgram(backend);
    dotwise_ended(exitCode);
    return exitCode;
}
