#include "Icon.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "DeviceContext.h"
#include "WindowManager.h"

namespace {

std::uint32_t ReadLE(const BYTE* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The icons a program made live until it destroys them, as on the platform;
// shared ones (the program's resources, the system's pointers) are not here.
std::unordered_map<HICON, std::unique_ptr<IconObject>>& IconStore() {
    static std::unordered_map<HICON, std::unique_ptr<IconObject>> store;
    return store;
}

HICON Keep(std::unique_ptr<IconObject> icon) {
    HICON handle = icon.get();
    IconStore().emplace(handle, std::move(icon));
    return handle;
}

}  // namespace

HICON WINAPI CreateIconFromResourceEx(BYTE* bits, DWORD size, BOOL, DWORD, int cxDesired, int cyDesired, UINT) {
    constexpr DWORD kHeader = 40;
    if (bits == nullptr || size < kHeader || ReadLE(bits, 4) != kHeader) return nullptr;
    const auto width = static_cast<std::int32_t>(ReadLE(bits + 4, 4));
    const auto doubledHeight = static_cast<std::int32_t>(ReadLE(bits + 8, 4));
    const std::uint32_t planes = ReadLE(bits + 12, 2);
    const std::uint32_t bitCount = ReadLE(bits + 14, 2);
    const std::uint32_t compression = ReadLE(bits + 16, 4);
    if (width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512 || doubledHeight % 2 != 0) return nullptr;
    if (planes != 1 || compression != 0 || (bitCount != 1 && bitCount != 4 && bitCount != 8)) return nullptr;
    const int height = doubledHeight / 2;
    const std::size_t colours = std::size_t{1} << bitCount;
    const std::size_t colourRow = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    const std::size_t maskRow = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t paletteAt = kHeader;
    const std::size_t colourAt = paletteAt + colours * 4;
    const std::size_t maskAt = colourAt + colourRow * height;
    if (maskAt + maskRow * height > size) return nullptr;

    auto icon = std::make_unique<IconObject>();
    icon->width = width;
    icon->height = height;
    icon->argb.resize(static_cast<std::size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const BYTE* colourBits = bits + colourAt + colourRow * (height - 1 - row);
        const BYTE* maskBits = bits + maskAt + maskRow * (height - 1 - row);
        for (int x = 0; x < width; ++x) {
            const bool transparent = (maskBits[x / 8] >> (7 - x % 8)) & 1;
            const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
            const unsigned index = (colourBits[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
            const BYTE* q = bits + paletteAt + index * 4;  // blue, green, red, 0
            const std::uint32_t rgb = (std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0];
            icon->argb[static_cast<std::size_t>(row) * width + x] = transparent ? 0u : (0xFF000000u | rgb);
        }
    }
    if ((cxDesired != 0 && cxDesired != width) || (cyDesired != 0 && cyDesired != height)) {
        // Nearest neighbour is enough for the few pixels an icon has.
        auto scaled = std::make_unique<IconObject>();
        scaled->width = cxDesired != 0 ? cxDesired : width;
        scaled->height = cyDesired != 0 ? cyDesired : height;
        scaled->argb.resize(static_cast<std::size_t>(scaled->width) * scaled->height);
        for (int y = 0; y < scaled->height; ++y)
            for (int x = 0; x < scaled->width; ++x)
                scaled->argb[static_cast<std::size_t>(y) * scaled->width + x] =
                    icon->argb[static_cast<std::size_t>(y * height / scaled->height) * width + x * width / scaled->width];
        return Keep(std::move(scaled));
    }
    return Keep(std::move(icon));
}

int IconStep(double scale) { return std::max(1, static_cast<int>(scale + 1e-6)); }

std::vector<std::uint32_t> ScaledPixels(const IconObject& icon, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] =
                icon.argb[static_cast<std::size_t>(y * icon.height / height) * icon.width + x * icon.width / width];
    return pixels;
}

BOOL WINAPI DrawIconEx(HDC hDC, int x, int y, HICON hIcon, int cx, int cy, UINT, HBRUSH, UINT) {
    if (hDC == nullptr || hIcon == nullptr) return FALSE;
    if (hDC->canvas == nullptr || hIcon->argb.empty()) return TRUE;
    // A size of 0 is the icon's own.
    const int width = cx > 0 ? cx : hIcon->width;
    const int height = cy > 0 ? cy : hIcon->height;
    if (width == hIcon->width && height == hIcon->height) {
        hDC->canvas->DrawPixels(hDC->origin.x + x, hDC->origin.y + y, width, height, hIcon->argb.data());
    } else {
        const std::vector<std::uint32_t> pixels = ScaledPixels(*hIcon, width, height);
        hDC->canvas->DrawPixels(hDC->origin.x + x, hDC->origin.y + y, width, height, pixels.data());
    }
    return TRUE;
}

BOOL WINAPI DrawIcon(HDC hDC, int x, int y, HICON hIcon) { return DrawIconEx(hDC, x, y, hIcon, 0, 0, 0, nullptr, DI_NORMAL); }

HICON WINAPI CopyIcon(HICON hIcon) {
    if (hIcon == nullptr) return nullptr;
    return Keep(std::make_unique<IconObject>(*hIcon));
}

BOOL WINAPI DestroyIcon(HICON hIcon) {
    // A shared icon is not the caller's to destroy: it stays.
    if (IconStore().erase(hIcon) > 0 && WindowManager::Instance().Cursor() == hIcon) WindowManager::Instance().SetCursor(nullptr);
    return hIcon != nullptr ? TRUE : FALSE;
}

BOOL WINAPI DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }

std::size_t LiveIconCount() { return IconStore().size(); }

HCURSOR WINAPI LoadCursorA(HINSTANCE module, LPCSTR name) {
    // Only the platform's own pointers exist: no module here holds any.
    if (module != nullptr || !IS_INTRESOURCE(name)) return nullptr;
    static IconObject arrow{0, 0, {}, kCursorArrow};
    static IconObject ibeam{0, 0, {}, kCursorIBeam};
    static IconObject hand{0, 0, {}, kCursorHand};
    switch (static_cast<int>(reinterpret_cast<ULONG_PTR>(name))) {
    case kCursorArrow: return &arrow;
    case kCursorIBeam: return &ibeam;
    case kCursorHand: return &hand;
    default: return nullptr;
    }
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    HCURSOR old = WindowManager::Instance().Cursor();
    WindowManager::Instance().SetCursor(hCursor);
    return old;
}

HCURSOR WINAPI GetCursor() { return WindowManager::Instance().Cursor(); }

// The hot spot is what tells pointers apart to other code: the arrow's tip,
// the I-beam's middle, the hand's fingertip. An icon's is its middle. Images
// are drawn from the icon itself here; no bitmaps are handed out.
BOOL WINAPI GetIconInfo(HICON hIcon, ICONINFO* info) {
    if (hIcon == nullptr || info == nullptr) return FALSE;
    *info = ICONINFO{};
    info->fIcon = hIcon->systemCursor == 0 ? TRUE : FALSE;
    switch (hIcon->systemCursor) {
    case kCursorArrow: break;
    case kCursorIBeam: info->xHotspot = 8, info->yHotspot = 8; break;
    case kCursorHand: info->xHotspot = 6; break;
    default:
        info->xHotspot = static_cast<DWORD>(hIcon->width / 2);
        info->yHotspot = static_cast<DWORD>(hIcon->height / 2);
        break;
    }
    return TRUE;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) { return object != nullptr ? TRUE : FALSE; }
