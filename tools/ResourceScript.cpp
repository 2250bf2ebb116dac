#include "ResourceScript.h"

#include <cstdio>
#include <sstream>

#include "../badge/BadgeImage.h"

namespace {

std::string Quoted(const char* text) {
    std::string out = "\"";
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        if (*p == '"')
            out += "\"\"";
        else if (*p == '\n')
            out += "\\n";
        else if (*p == '\t')
            out += "\\t";
        else if (*p == '\\')
            out += "\\\\";
        else
            out += *p;
    }
    return out + "\"";
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

const char* ClassName(WindowClass cls) {
    switch (cls) {
    case WindowClass::Edit: return "Edit";
    case WindowClass::Button: return "Button";
    default: return "Static";
    }
}

// "1, 0, 0, 1" as the four numbers a version statement takes.
std::string VersionNumbers(const ResourceTable& resources, const char* field) {
    for (const VersionField& f : resources.versionFields) {
        if (std::string(f.name) != field) continue;
        std::string numbers;
        for (const char* p = f.value; *p != '\0'; ++p)
            if (*p != ' ') numbers += *p;
        return numbers;
    }
    return "1,0,0,0";
}

std::string LanguageStatement(LANGID language) {
    char text[32];
    std::snprintf(text, sizeof text, "LANGUAGE 0x%02X, 0x%02X\n", PRIMARYLANGID(language), language >> 10);
    return text;
}

void WriteDialogs(std::ostringstream& rc, const ResourceTable& resources) {
    for (const DialogTemplate& t : resources.dialogs) {
        rc << "\n"
           << t.id << (t.extended ? " DIALOGEX " : " DIALOG ") << t.x << ", " << t.y << ", " << t.cx << ", " << t.cy << "\n"
           << "STYLE " << Hex(t.style) << "\n";
        if (t.exStyle != 0) rc << "EXSTYLE " << Hex(t.exStyle) << "\n";
        rc << "CAPTION " << Quoted(t.caption) << "\n"
           << "FONT " << t.pointSize << ", " << Quoted(t.fontFace) << (t.extended ? ", 0, 0, 0x1" : "") << "\n"
           << "BEGIN\n";
        for (const DialogItemTemplate& item : t.items)
            // An icon control names its icon by number.
            rc << "    CONTROL " << (item.text && item.text[0] == '#' ? std::string(item.text + 1) : Quoted(item.text)) << ", " << item.id << ", \""
               << ClassName(item.windowClass) << "\", " << Hex(item.style) << ", " << item.x << ", " << item.y << ", " << item.cx << ", " << item.cy
               << "\n";
        rc << "END\n";
    }
    rc << "\nSTRINGTABLE\nBEGIN\n";
    for (const StringResource& s : resources.strings) rc << "    " << s.id << " " << Quoted(s.text) << "\n";
    rc << "END\n";
}

void WriteVersion(std::ostringstream& rc, std::span<const ResourceTable> sets) {
    const ResourceTable& first = sets.front();
    rc << "\n1 VERSIONINFO\n FILEVERSION " << VersionNumbers(first, "FileVersion") << "\n PRODUCTVERSION " << VersionNumbers(first, "ProductVersion")
       << "\n FILEFLAGSMASK 0x3f\n FILEOS 0x4\n FILETYPE 0x1\nBEGIN\n"
       << "    BLOCK \"StringFileInfo\"\n    BEGIN\n";
    for (const ResourceTable& set : sets) {
        rc << "        BLOCK " << Quoted(set.versionLanguage) << "\n        BEGIN\n";
        for (const VersionField& f : set.versionFields) {
            std::string value = Quoted(f.value);
            value.insert(value.size() - 1, "\\0");
            rc << "            VALUE " << Quoted(f.name) << ", " << value << "\n";
        }
        rc << "        END\n";
    }
    rc << "    END\n    BLOCK \"VarFileInfo\"\n    BEGIN\n        VALUE \"Translation\"";
    for (const ResourceTable& set : sets) {
        const std::string language(set.versionLanguage);
        rc << ", 0x" << language.substr(0, 4) << ", 0x" << language.substr(4);
    }
    rc << "\n    END\nEND\n";
}

}  // namespace

std::string WriteResourceScript(std::span<const ResourceTable> sets, const std::string& iconFileName) {
    std::ostringstream rc;
    rc << "// The program's resources, written from its resource data.\n"
       << "#pragma code_page(65001)\n";
    if (sets.empty()) return rc.str();
    rc << LanguageStatement(sets.front().language) << "\n";
    for (const IconGroupResource& group : sets.front().iconGroups) rc << group.id << " ICON " << Quoted(iconFileName.c_str()) << "\n";
    WriteVersion(rc, sets);
    for (const ResourceTable& set : sets) {
        rc << "\n" << LanguageStatement(set.language);
        WriteDialogs(rc, set);
    }
    return rc.str();
}

std::vector<BYTE> WriteIconFile(const IconGroupResource& group) {
    std::vector<std::vector<BYTE>> images;
    for (const IconImageResource& image : group.images) {
        BadgePicture picture{image.width, image.height, 4, std::vector<std::uint32_t>(kStandardPalette16, kStandardPalette16 + 16),
                             IconImageIndexes(image)};
        std::vector<BYTE> bytes = BuildBadgeImage(picture);
        bytes.resize(bytes.size() - 22);  // the tail that stands for a file's header and directory entry
        images.push_back(std::move(bytes));
    }
    std::vector<BYTE> file;
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file.push_back(static_cast<BYTE>((v >> (8 * i)) & 0xFF));
    };
    put(0, 2);
    put(1, 2);
    put(static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImageResource& image = group.images[i];
        put(static_cast<std::uint32_t>(image.width), 1);
        put(static_cast<std::uint32_t>(image.height), 1);
        put(16, 1);
        put(0, 1);
        put(1, 2);
        put(4, 2);
        put(static_cast<std::uint32_t>(images[i].size()), 4);
        put(offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
    return file;
}
