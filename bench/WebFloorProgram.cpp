// The page benchmark's second floor: a WebAssembly program that does nothing
// but paint one canvas of the dialog's size, fetched, compiled and started as
// the page starts Dotwise. What is left above it is the program's own work.
#include <emscripten.h>

// clang-format off
EM_JS(void, paint_floor, (), {
    const ctx = document.getElementById("c").getContext("2d", { alpha: false });
    ctx.fillStyle = "#d4d0c8";
    ctx.fillRect(0, 0, 459, 422);
    requestAnimationFrame(() => performance.mark("dotwise-first-frame"));
});
// clang-format on

int main() {
    paint_floor();
    return 0;
}
