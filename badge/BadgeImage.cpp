#include "BadgeImage.h"

namespace {

void PutLE(std::vector<BYTE>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<BYTE>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<BYTE> BuildBadgeImage(const BadgePicture& p) {
    const auto w = static_cast<std::uint32_t>(p.width);
    const auto h = static_cast<std::uint32_t>(p.height);
    const auto n = static_cast<std::uint32_t>(p.bitsPerPixel);
    const std::uint32_t colourRow = ((w * n + 31) / 32) * 4;
    const std::uint32_t maskRow = ((w + 31) / 32) * 4;
    std::vector<BYTE> out;
    PutLE(out, 40, 4);
    PutLE(out, w, 4);
    PutLE(out, 2 * h, 4);
    PutLE(out, 1, 2);
    PutLE(out, n, 2);
    PutLE(out, 0, 4);
    PutLE(out, (colourRow + maskRow) * h, 4);
    for (int i = 0; i < 4; ++i) PutLE(out, 0, 4);
    for (std::uint32_t i = 0; i < (1u << n); ++i) {
        const std::uint32_t rgb = i < p.palette.size() ? p.palette[i] : 0;
        out.push_back(static_cast<BYTE>(rgb & 0xFF));
        out.push_back(static_cast<BYTE>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<BYTE>((rgb >> 16) & 0xFF));
        out.push_back(0);
    }
    const auto pixel = [&](std::uint32_t x, std::uint32_t y) { return p.pixels[y * w + x]; };
    for (std::uint32_t y = h; y-- > 0;) {
        std::vector<BYTE> row(colourRow, 0);
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint32_t bit = x * n;
            row[bit / 8] |= static_cast<BYTE>(pixel(x, y) << (8 - n - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (std::uint32_t y = h; y-- > 0;) {
        std::vector<BYTE> row(maskRow, 0);
        for (std::uint32_t x = 0; x < w; ++x)
            if (pixel(x, y) == 0) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    out.insert(out.end(), 22, 0);
    return out;
}
