// Writes the program icon as PNG files for a desktop's icon theme, one folder
// a size (FOLDER/48x48/apps/dotwise.png), from the icon group the program is
// built with: its own sizes as they are, the larger ones scaled up from the
// nearest image pixel by pixel, so every size is the same picture.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window_system/Icon.h"
#include "platform/window_system/Resources.h"
#include "platform/gui/PngWriter.h"

namespace {

constexpr int kProgramIcon = 128;
constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

// The source image for `size`: the group's image of that size, or its largest.
std::vector<std::uint32_t> Picture(int size) {
    const IconObject& source = *LoadIconResource(kProgramIcon, size);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels[static_cast<std::size_t>(y) * size + x] =
                source.argb[static_cast<std::size_t>(y * source.height / size) * source.width + x * source.width / size];
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_desktop_icons FOLDER\n", stderr);
        return 2;
    }
    for (const int size : kSizes) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        std::string error;
        if (!WritePng(Picture(size).data(), size, size, size, true, (folder / "dotwise.png").string(), error)) {
            std::fprintf(stderr, "write_desktop_icons: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
