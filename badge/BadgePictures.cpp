#include "BadgePictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace {

const std::vector<std::uint32_t> kPalette16 = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
enum : std::uint8_t {
    kClear = 0,
    kMaroon = 1,
    kGreen = 2,
    kOlive = 3,
    kNavy = 4,
    kPurple = 5,
    kTeal = 6,
    kRed = 9,
    kLime = 10,
    kYellow = 11,
    kBlue = 12,
    kWhite = 15
};

// The pixels of a picture of `width` x `height` cells at `scale`, each cell a block.
BadgePicture Enlarged(const BadgePicture& picture, double scale) {
    BadgePicture p = picture;
    p.width = std::max(1, static_cast<int>(std::lround(picture.width * scale)));
    p.height = std::max(1, static_cast<int>(std::lround(picture.height * scale)));
    p.pixels.assign(static_cast<std::size_t>(p.width) * p.height, kClear);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.pixels[static_cast<std::size_t>(y * p.width + x)] =
                picture.pixels[static_cast<std::size_t>(y * picture.height / p.height * picture.width + x * picture.width / p.width)];
    return p;
}

BadgePicture MakeKnot(double scale) {
    const int size = std::max(1, static_cast<int>(std::lround(32 * scale)));
    BadgePicture p{size, size, 4, kPalette16, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size, kClear)};
    struct Ring {
        double cx, cy;
        std::uint8_t colour;
    };
    const Ring rings[] = {{10.5, 15.5, kRed}, {20.5, 15.5, kGreen}, {15.5, 10.5, kYellow}, {15.5, 20.5, kBlue}};
    constexpr double kRadius = 7.0;
    constexpr double kHalfWidth = 1.9;
    // With a margin, so that the pixels whose distance the rounding could
    // put either side of the band's edge are still measured exactly.
    constexpr double kInnerSquared = (kRadius - kHalfWidth - 0.01) * (kRadius - kHalfWidth - 0.01);
    constexpr double kOuterSquared = (kRadius + kHalfWidth + 0.01) * (kRadius + kHalfWidth + 0.01);
    // Each pixel is measured at its centre in the picture's own units, so the
    // rings are as round at any size; at the original size that is the pixel itself.
    const auto unit = [scale](int pixel) { return scale == 1.0 ? pixel : (pixel + 0.5) / scale - 0.5; };
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double x = unit(px);
            const double y = unit(py);
            // Of the bands covering a pixel, the one on top alternates every
            // eighth of a turn along each ring: over, under, over.
            int best = -1;
            int bestRank = -1;
            double bestOffset = 0;
            for (int r = 0; r < 4; ++r) {
                const double dx = x - rings[r].cx;
                const double dy = y - rings[r].cy;
                // Most pixels lie well off a ring; the square of the distance
                // tells them apart without the costlier functions below.
                const double squared = dx * dx + dy * dy;
                if (squared < kInnerSquared || squared > kOuterSquared) continue;
                const double offset = std::abs(std::hypot(dx, dy) - kRadius);
                if (offset > kHalfWidth) continue;
                const double turn = std::atan2(dy, dx) / (std::numbers::pi / 4);
                const int rank = (static_cast<int>(std::floor(turn)) + r) & 1;
                if (rank > bestRank) {
                    best = r;
                    bestRank = rank;
                    bestOffset = offset;
                }
            }
            if (best < 0) continue;
            p.pixels[static_cast<std::size_t>(py * size + px)] = bestOffset > kHalfWidth - 0.7 ? std::uint8_t{kOlive} : rings[best].colour;
        }
    }
    p.drawAt = &MakeKnot;
    return p;
}

// Three-by-five capitals for the label's lettering.
constexpr std::string_view kLetters[7][5] = {
    {"##.", "#.#", "#.#", "#.#", "##."},  // D
    {".#.", "#.#", "#.#", "#.#", ".#."},  // O
    {"###", ".#.", ".#.", ".#.", ".#."},  // T
    {"#.#", "#.#", "#.#", "###", "#.#"},  // W
    {"###", ".#.", ".#.", ".#.", "###"},  // I
    {".##", "#..", ".#.", "..#", "##."},  // S
    {"###", "#..", "##.", "#..", "###"},  // E
};

BadgePicture MakeWovenLabel() {
    BadgePicture p{32, 16, 4, kPalette16, std::vector<std::uint8_t>(32 * 16, kClear)};
    const std::uint8_t letterColours[7] = {kRed, kNavy, kGreen, kPurple, kMaroon, kTeal, kBlue};
    for (int letter = 0; letter < 7; ++letter)
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (kLetters[letter][row][col] == '#')
                    p.pixels[static_cast<std::size_t>((1 + row) * 32 + 2 + letter * 4 + col)] = letterColours[letter];
    // The band: stripes of colour with a weave that shifts every other row.
    const std::uint8_t stripes[] = {kRed, kYellow, kYellow, kBlue, kWhite, kBlue, kYellow, kRed};
    for (int row = 0; row < 8; ++row)
        for (int x = 0; x < 32; ++x)
            p.pixels[static_cast<std::size_t>((8 + row) * 32 + x)] = ((x + row) % 4 == 0) ? std::uint8_t{kOlive} : stripes[row];
    return p;
}

// The carved characters: '#' stays as red ink, '.' is cut away.
constexpr std::string_view kSealFace[40] = {
    "###################", "#.................#", "#.####.#######.##.#", "#....#.....#...##.#", "#.##.#.###.#.#.##.#", "#.##.#.#.#.#.#....#",
    "#.##...#.#...#.##.#", "#.######.#####.##.#", "#.................#", "#.###############.#", "#.#......#......#.#", "#.#.####.#.####.#.#",
    "#.#......#......#.#", "#.###############.#", "#.#......#......#.#", "#.#.####.#.####.#.#", "#.#......#......#.#", "#.###############.#",
    "#.................#", "#######.#####.#####", "#.................#", "#.#######.#######.#", "#.......#.#.......#", "#.#####.#.#.#####.#",
    "#.#...#.#.#.#...#.#", "#.#####.#.#.#####.#", "#.......#.#.......#", "#.#######.#######.#", "#.................#", "###.###########.###",
    "#.................#", "#.##.##.###.##.##.#", "#.##.##..#..##.##.#", "#......#####......#", "#.##.##..#..##.##.#", "#.##.##.###.##.##.#",
    "#.................#", "#.###############.#", "#.................#", "###################",
};

BadgePicture MakeSeal() {
    BadgePicture p{27, 48, 1, {0x000000, 0xFF0000}, std::vector<std::uint8_t>(27 * 48, kClear)};
    const auto set = [&](int x, int y) { p.pixels[static_cast<std::size_t>(y * 27 + x)] = 1; };
    // An outer frame of ink, with its corners worn round as on a real impression.
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 27; ++x) {
            const bool corner = (x < 2 || x > 24) && (y < 2 || y > 45);
            const bool frame = x < 2 || x > 24 || y < 2 || y > 45;
            if (frame && !corner) set(x, y);
        }
    }
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 19; ++col)
            if (kSealFace[row][col] == '#') set(4 + col, 4 + row);
    return p;
}

}  // namespace

const BadgePicture& PlateMakingPicture() {
    static const BadgePicture picture = MakeKnot(1.0);
    return picture;
}

const BadgePicture& WovenLabelPicture() {
    static const BadgePicture picture = MakeWovenLabel();
    return picture;
}

const BadgePicture& SealPicture() {
    static const BadgePicture picture = MakeSeal();
    return picture;
}

BadgePicture BadgePictureAt(const BadgePicture& picture, double scale) {
    if (scale == 1.0) return picture;
    return picture.drawAt != nullptr ? picture.drawAt(scale) : Enlarged(picture, scale);
}
