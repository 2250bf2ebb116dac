#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

bool WritePng(const std::uint32_t* argb, int width, int height, int stride, bool withAlpha, const std::string& path, std::string& error) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    const std::size_t channels = withAlpha ? 4 : 3;
    std::vector<png_byte> row(static_cast<std::size_t>(width) * channels);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "cannot write " + path;
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* pixels = argb + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            png_byte* out = &row[static_cast<std::size_t>(x) * channels];
            out[0] = static_cast<png_byte>(pixels[x] >> 16);
            out[1] = static_cast<png_byte>(pixels[x] >> 8);
            out[2] = static_cast<png_byte>(pixels[x]);
            if (withAlpha) out[3] = static_cast<png_byte>(pixels[x] >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
