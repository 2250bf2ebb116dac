#include "DialogFont.h"

#include <SDL_ttf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <stdexcept>

#include "FontFinder.h"

DialogFont::DialogFont(double scale) : m_scale(scale) {
    if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error(std::string("cannot start the font engine: ") + TTF_GetError());
    const auto file = FindDialogFont();
    if (!file) throw std::runtime_error("no font for Chinese text is installed (install fonts-arphic-uming)");
    m_family = file->family;
    const int pixels = static_cast<int>(std::lround(12 * scale));
    // The face is read from a mapping of the file: glyphs then load without a system call
    // each, and only the pages they use are ever read.
    m_mapping = MappedFile(file->path);
    SDL_RWops* source = m_mapping.data != nullptr ? SDL_RWFromConstMem(m_mapping.data, static_cast<int>(m_mapping.size))
                                                  : SDL_RWFromFile(file->path.c_str(), "rb");
    m_font = source != nullptr ? TTF_OpenFontIndexRW(source, 1, pixels, file->index) : nullptr;
    if (m_font == nullptr) throw std::runtime_error("cannot open " + file->path + ": " + TTF_GetError());
    // Mono hinting picks the face's own bitmaps at 12 pixels: crisp, as the original looked.
    TTF_SetFontHinting(m_font, TTF_HINTING_MONO);
    m_height = pixels;
    // Base units: the average width of the Latin letters, as the desktop measures it.
    int width = 0;
    TTF_SizeUTF8(m_font, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, nullptr);
    m_averageWidth = std::max(1, (width / 26 + 1) / 2);
}

DialogFont::~DialogFont() {
    if (m_font != nullptr) TTF_CloseFont(m_font);
}

DialogFont::MappedFile::MappedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        void* mapped = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped != MAP_FAILED) {
            data = mapped;
            size = static_cast<std::size_t>(info.st_size);
        }
    }
    ::close(fd);
}

DialogFont::MappedFile& DialogFont::MappedFile::operator=(MappedFile&& other) noexcept {
    std::swap(data, other.data);
    std::swap(size, other.size);
    return *this;
}

DialogFont::MappedFile::~MappedFile() {
    if (data != nullptr) ::munmap(data, size);
}

int DialogFont::TextWidth(std::string_view utf8) const {
    if (utf8.empty()) return 0;
    std::string text(utf8);
    if (const auto it = m_widths.find(text); it != m_widths.end()) return it->second;
    int width = 0;
    TTF_SizeUTF8(m_font, text.c_str(), &width, nullptr);
    if (m_widths.size() > 4096) m_widths.clear();
    m_widths.emplace(std::move(text), width);
    return width;
}
