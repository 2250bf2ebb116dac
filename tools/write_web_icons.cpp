// Writes the program icon as the PNG files a web app manifest names
// (FOLDER/dotwise-192.png and dotwise-512.png), from the icon group the
// program is built with: its largest image, each pixel made a square block,
// so that the page's icon is the same picture as the desktop's.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gui/PngWriter.h"
#include "platform/window_system/Resources.h"

namespace {

constexpr int kSizes[] = {192, 512};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_web_icons FOLDER\n", stderr);
        return 2;
    }
    const IconGroupResource& group = ProgramResourceSets().front().iconGroups.front();
    const IconImageResource* largest = &group.images.front();
    for (const IconImageResource& image : group.images)
        if (image.width > largest->width) largest = &image;
    for (const int size : kSizes) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const char c = largest->rows[y * largest->height / size][x * largest->width / size];
                const int index = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
                pixels[static_cast<std::size_t>(y) * size + x] = index < 0 ? 0u : 0xFF000000u | kStandardPalette16[index];
            }
        const std::string path = std::string(argv[1]) + "/dotwise-" + std::to_string(size) + ".png";
        std::string error;
        if (!WritePng(pixels.data(), size, size, size, true, path, error)) {
            std::fprintf(stderr, "write_web_icons: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
