#include "CanvasContext.h"

#include <emscripten.h>

#include "BrowserFont.h"

// clang-format off
EM_JS(void, dotwise_fill, (int x, int y, int w, int h, int rgb), {
    Module.dotwisePage.fill(x, y, w, h, rgb);
});
EM_JS(void, dotwise_text, (int x, int y, const char* utf8, int length, int rgb), {
    Module.dotwisePage.text(x, y, UTF8ToString(utf8, length), rgb);
});
EM_JS(void, dotwise_pixels, (int x, int y, int w, int h, const std::uint32_t* argb), {
    Module.dotwisePage.pixels(x, y, w, h, HEAPU32.subarray(argb >> 2, (argb >> 2) + w * h));
});
EM_JS(void, dotwise_clip, (int x, int y, int w, int h), {
    Module.dotwisePage.clip(x, y, w, h);
});
EM_JS(void, dotwise_resize, (int w, int h), {
    Module.dotwisePage.resize(w, h);
});
// clang-format on

namespace {
// COLORREF is 0x00BBGGRR; the page takes 0xRRGGBB.
int Rgb(COLORREF color) { return static_cast<int>(GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color)); }
}  // namespace

void CanvasContext::FillRect(const Rect& rect, COLORREF color) {
    if (rect.IsEmpty()) return;
    dotwise_fill(rect.left, rect.top, rect.Width(), rect.Height(), Rgb(color));
}

void CanvasContext::DrawText(int x, int y, std::string_view utf8, COLORREF color) {
    if (utf8.empty()) return;
    dotwise_text(x, y + m_font.Ascent(), utf8.data(), static_cast<int>(utf8.size()), Rgb(color));
}

void CanvasContext::DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) {
    if (width > 0 && height > 0 && argb != nullptr) dotwise_pixels(x, y, width, height, argb);
}

void CanvasContext::SetClip(const Rect* rect) {
    if (rect == nullptr)
        dotwise_clip(0, 0, -1, -1);
    else
        dotwise_clip(rect->left, rect->top, rect->Width(), rect->Height());
}

void CanvasContext::Resize(int width, int height) { dotwise_resize(width, height); }
