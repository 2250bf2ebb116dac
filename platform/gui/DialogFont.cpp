#include "DialogFont.h"

#include <SDL.h>
#include <fcntl.h>
#include <ft2build.h>
#include <unistd.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "../window_system/Utf8.h"
#include "FontFinder.h"

// The face is read through the file rather than from a mapping of it. The
// font is a large collection of which the dialog needs about a hundred
// glyphs; a mapping would bring each glyph's neighbouring pages into the
// program's memory with it (the kernel maps around every fault), five
// megabytes in all, where reads copy only the bytes the face asks for.
struct DialogFont::FileStream {
    explicit FileStream(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd < 0) return;
        const off_t end = ::lseek(fd, 0, SEEK_END);
        record.size = end > 0 ? static_cast<unsigned long>(end) : 0;
        record.descriptor.pointer = this;
        record.read = &Read;
    }
    ~FileStream() {
        if (fd >= 0) ::close(fd);
    }
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    static unsigned long Read(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count) {
        // With no buffer the face only moves: a nonzero answer refuses the move.
        if (count == 0) return offset > stream->size ? 1 : 0;
        return static_cast<FileStream*>(stream->descriptor.pointer)->ReadAt(offset, buffer, count);
    }

    // The face reads a glyph in many small pieces close together, and its
    // tables whole: small reads go through a few pages kept from the file,
    // large ones straight to it.
    unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) {
        if (count >= 2 * kPageSize) {
            const ssize_t n = ::pread(fd, buffer, count, static_cast<off_t>(offset));
            return n > 0 ? static_cast<unsigned long>(n) : 0;
        }
        unsigned long copied = 0;
        while (copied < count) {
            const unsigned long at = offset + copied;
            const unsigned long page = at / kPageSize;
            Page& kept = pages[page % kPages];
            if (kept.number != page) {
                const ssize_t n = ::pread(fd, kept.bytes, kPageSize, static_cast<off_t>(page * kPageSize));
                kept.number = n > 0 ? page : kNoPage;
                kept.size = n > 0 ? static_cast<unsigned long>(n) : 0;
            }
            const unsigned long within = at - page * kPageSize;
            if (kept.number != page || within >= kept.size) break;
            const unsigned long take = std::min(count - copied, kept.size - within);
            std::memcpy(buffer + copied, kept.bytes + within, take);
            copied += take;
        }
        return copied;
    }

    static constexpr unsigned long kPageSize = 4096;
    static constexpr std::size_t kPages = 16;
    static constexpr unsigned long kNoPage = ~0ul;
    struct Page {
        unsigned long number = kNoPage;
        unsigned long size = 0;
        unsigned char bytes[kPageSize];
    };
    int fd;
    FT_StreamRec record{};
    Page pages[kPages];
};

namespace {

// Whole pixels from FreeType's 26.6 fixed point, rounded up as the face's line metrics are.
int Ceil26Dot6(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

}  // namespace

DialogFont::DialogFont(double scale) : m_scale(scale) {
    const auto file = FindDialogFont();
    if (!file) throw std::runtime_error("no font for Chinese text is installed (install fonts-arphic-uming)");
    m_family = file->family;
    if (FT_Init_FreeType(&m_library) != 0) throw std::runtime_error("cannot start the font engine");
    m_stream = std::make_unique<FileStream>(file->path);
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &m_stream->record;
    if (m_stream->fd < 0 || FT_Open_Face(m_library, &args, file->index, &m_face) != 0) throw std::runtime_error("cannot open " + file->path);
    const int pixels = static_cast<int>(std::lround(12 * scale));
    FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(pixels));
    m_height = pixels;
    // At the original's size the face's own bitmaps draw crisp, as the
    // original looked; scaled up, smooth outlines read better.
    m_smooth = scale > 1.0;
    if (FT_IS_SCALABLE(m_face)) {
        const FT_Fixed yScale = m_face->size->metrics.y_scale;
        m_ascent = Ceil26Dot6(FT_MulFix(m_face->ascender, yScale));
        m_lineHeight = Ceil26Dot6(FT_MulFix(m_face->ascender - m_face->descender, yScale));
    } else {
        m_ascent = Ceil26Dot6(m_face->size->metrics.ascender);
        m_lineHeight = Ceil26Dot6(m_face->size->metrics.height);
    }
    // Base units: the average width of the Latin letters, as the desktop measures it.
    const int width = TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_averageWidth = std::max(1, (width / 26 + 1) / 2);
}

DialogFont::~DialogFont() {
    for (auto& [key, surface] : m_rendered) SDL_FreeSurface(surface);
    if (m_face != nullptr) FT_Done_Face(m_face);
    if (m_library != nullptr) FT_Done_FreeType(m_library);
}

const DialogFont::Glyph& DialogFont::GlyphFor(char32_t character) const {
    if (const auto it = m_glyphs.find(character); it != m_glyphs.end()) return it->second;
    // A dialog uses a few hundred characters; the bound is for text pasted in.
    if (m_glyphs.size() >= 4096) m_glyphs.clear();
    Glyph& glyph = m_glyphs[character];
    // Hinted for one-bit output, which picks the face's own bitmaps where it has them.
    if (FT_Load_Char(m_face, character, FT_LOAD_TARGET_MONO) != 0) return glyph;
    FT_GlyphSlot slot = m_face->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, m_smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows), 0);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph.width; ++x)
                if (row[x >> 3] & (0x80 >> (x & 7))) glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)] = 255;
        }
        return glyph;
    }
    // Grey levels of any depth, made one byte each.
    FT_Bitmap grey;
    FT_Bitmap_Init(&grey);
    if (FT_Bitmap_Convert(m_library, &bitmap, &grey, 1) == 0 && grey.num_grays > 1) {
        const int top = grey.num_grays - 1;
        for (int y = 0; y < glyph.rows && y < static_cast<int>(grey.rows); ++y)
            for (int x = 0; x < glyph.width && x < static_cast<int>(grey.width); ++x)
                glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)] =
                    static_cast<std::uint8_t>(grey.buffer[y * grey.pitch + x] * 255 / top);
    }
    FT_Bitmap_Done(m_library, &grey);
    return glyph;
}

int DialogFont::TextWidth(std::string_view utf8) const {
    if (utf8.empty()) return 0;
    std::string text(utf8);
    if (const auto it = m_widths.find(text); it != m_widths.end()) return it->second;
    int width = 0;
    for (char32_t c : DecodeUtf8(text)) width += GlyphFor(c).advance;
    if (m_widths.size() > 4096) m_widths.clear();
    m_widths.emplace(std::move(text), width);
    return width;
}

SDL_Surface* DialogFont::Render(std::string_view utf8, std::uint32_t rgb) const {
    const int width = TextWidth(utf8);
    if (width <= 0) return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, m_lineHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return nullptr;
    SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_BLEND);
    SDL_FillRect(surface, nullptr, rgb & 0xFFFFFFu);
    auto* pixels = static_cast<std::uint32_t*>(surface->pixels);
    const int pitch = surface->pitch / 4;
    int pen = 0;
    for (char32_t c : DecodeUtf8(utf8)) {
        const Glyph& glyph = GlyphFor(c);
        for (int y = 0; y < glyph.rows; ++y) {
            const int ty = m_ascent - glyph.top + y;
            if (ty < 0 || ty >= m_lineHeight) continue;
            for (int x = 0; x < glyph.width; ++x) {
                const int tx = pen + glyph.left + x;
                const std::uint8_t cover = glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)];
                if (tx < 0 || tx >= width || cover == 0) continue;
                std::uint32_t& target = pixels[ty * pitch + tx];
                // Where pictures overlap, the fuller cover stays.
                target = (std::max<std::uint32_t>(target >> 24, cover) << 24) | (rgb & 0xFFFFFFu);
            }
        }
        pen += glyph.advance;
    }
    return surface;
}

SDL_Surface* DialogFont::RenderedText(const std::string& utf8, std::uint32_t rgb) const {
    std::string key(reinterpret_cast<const char*>(&rgb), sizeof rgb);
    key += utf8;
    if (const auto it = m_rendered.find(key); it != m_rendered.end()) return it->second;
    // A dialog shows a few dozen strings; a bound keeps a long session's edits from piling up.
    if (m_rendered.size() >= 512) {
        for (auto& [old, surface] : m_rendered) SDL_FreeSurface(surface);
        m_rendered.clear();
    }
    SDL_Surface* text = Render(utf8, rgb);
    if (text != nullptr) m_rendered.emplace(std::move(key), text);
    return text;
}
