#include "FontChoiceCache.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kHeader = "dotwise dialog font 1";
// A kept choice is a few lines per configuration file: anything far larger is not ours.
constexpr std::streamsize kMostBytes = 256 * 1024;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A file as its change time and size tell it; "-" for none.
std::string StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return path + " -";
    return path + " " + std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + " " + std::to_string(info.st_size);
}

// Each configuration path, and for a folder each file in it (links followed, as fontconfig reads them).
std::string ConfigurationStamp(const std::vector<std::string>& paths) {
    std::string stamp;
    for (const std::string& path : paths) {
        stamp += StampOf(path) + "\n";
        DIR* folder = ::opendir(path.c_str());
        if (folder == nullptr) continue;
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(folder))
            if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
        ::closedir(folder);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) stamp += StampOf(path + "/" + name) + "\n";
    }
    return stamp;
}

}  // namespace

std::optional<FontChoiceCache> UserFontChoiceCache() {
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"})
        if (!Environment(name).empty()) return std::nullopt;
    const std::string home = Environment("HOME");
    if (home.empty() || home[0] != '/') return std::nullopt;
    std::string cacheHome = Environment("XDG_CACHE_HOME");
    if (cacheHome.empty() || cacheHome[0] != '/') cacheHome = home + "/.cache";
    std::string configHome = Environment("XDG_CONFIG_HOME");
    if (configHome.empty() || configHome[0] != '/') configHome = home + "/.config";
    // fontconfig's own file, the folder it includes, and what its files include from the user's home.
    return FontChoiceCache{cacheHome + "/dotwise/dialog-font",
                           {"/etc/fonts/fonts.conf", "/etc/fonts/conf.d", "/etc/fonts/local.conf", configHome + "/fontconfig/fonts.conf",
                            configHome + "/fontconfig/conf.d", home + "/.fonts.conf", home + "/.fonts.conf.d"}};
}

std::optional<FontFile> ReadFontChoice(const FontChoiceCache& cache) {
    std::ifstream in(cache.file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string kept(static_cast<std::size_t>(kMostBytes) + 1, '\0');
    in.read(kept.data(), kMostBytes + 1);
    if (in.gcount() > kMostBytes) return std::nullopt;
    kept.resize(static_cast<std::size_t>(in.gcount()));
    std::istringstream lines(kept);
    std::string header, path, index, family, fontStamp;
    if (!std::getline(lines, header) || header != kHeader || !std::getline(lines, path) || !std::getline(lines, index) ||
        !std::getline(lines, family) || !std::getline(lines, fontStamp))
        return std::nullopt;
    const std::string configuration(std::istreambuf_iterator<char>(lines), {});
    if (path.empty() || path[0] != '/' || fontStamp != StampOf(path) || configuration != ConfigurationStamp(cache.configuration)) return std::nullopt;
    if (index.empty() || index.size() > 4 || !std::all_of(index.begin(), index.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return FontFile{path, std::stoi(index), family};
}

void WriteFontChoice(const FontChoiceCache& cache, const FontFile& font) {
    const auto slash = cache.file.rfind('/');
    if (slash == std::string::npos || font.path.find('\n') != std::string::npos || font.family.find('\n') != std::string::npos) return;
    // The folders on the way, as any program makes its cache folder; a failure shows at the write.
    for (auto at = cache.file.find('/', 1); at != std::string::npos && at <= slash; at = cache.file.find('/', at + 1))
        ::mkdir(cache.file.substr(0, at).c_str(), 0700);
    // Written aside and moved into place, so that a start never reads half a choice.
    const std::string aside = cache.file + "." + std::to_string(::getpid());
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        out << kHeader << "\n"
            << font.path << "\n"
            << font.index << "\n"
            << font.family << "\n"
            << StampOf(font.path) << "\n"
            << ConfigurationStamp(cache.configuration);
        if (!out.flush()) {
            ::unlink(aside.c_str());
            return;
        }
    }
    if (std::rename(aside.c_str(), cache.file.c_str()) != 0) ::unlink(aside.c_str());
}
