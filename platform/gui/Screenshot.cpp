#include "Screenshot.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "../window_system/WindowManager.h"
#include "../driver/Driver.h"
#include "DialogFont.h"
#include "PngWriter.h"
#include "Renderer.h"
#include "SurfaceCanvas.h"

bool TakeScreenshot(const std::string& path, const DialogFont& font, std::string& error) {
    Rect bounds{0, 0, 0, 0};
    bool any = false;
    for (HWND top : WindowManager::Instance().TopLevelWindows()) {
        if (top->windowClass != WindowClass::Dialog || !top->IsVisible()) continue;
        const Rect r = WindowManager::Instance().ScreenRect(top);
        bounds =
            any ? Rect{std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom)}
                : r;
        any = true;
    }
    if (!any) {
        error = "no dialog is shown";
        return false;
    }
    SurfaceCanvas canvas(bounds.Width(), bounds.Height(), font);
    canvas.FillRect({0, 0, bounds.Width(), bounds.Height()}, RGB(58, 110, 165));
    Renderer(canvas, font).Paint({bounds.left, bounds.top}, {0, 0, bounds.Width(), bounds.Height()}, true);
    const SDL_Surface* surface = canvas.Surface();
    return WritePng(static_cast<const std::uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4, false, path, error);
}

void AddScreenshotCommand(Driver& driver, const DialogFont& font) {
    driver.AddCommand("screenshot", [&font](const Driver::Args& a) {
        if (a.size() != 1) throw DriverError("usage: screenshot FILE");
        std::string error;
        if (!TakeScreenshot(a[0], font, error)) throw DriverError(error);
        return std::string("ok");
    });
}
