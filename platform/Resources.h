// The program's resources as data: dialog templates, strings, icon groups
// and the version block. The program's resource module defines them; the
// platform looks them up by id.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Win32Types.h"
#include "WindowState.h"

struct DialogItemTemplate {
    int id;
    WindowClass windowClass;
    DWORD style;
    short x, y, cx, cy;  // dialog units
    const char* text;
};

struct DialogTemplate {
    int id;
    bool extended;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units; a position of (0, 0) asks for centring
    const char* caption;
    const char* fontFace;
    int pointSize;
    std::span<const DialogItemTemplate> items;
};

struct StringResource {
    UINT id;
    const char* text;
};

// One image of an icon group, as rows of palette indexes (top row first) and
// the 16-colour palette; index 0 is transparent.
struct IconImageResource {
    int width;
    int height;
    const char* const* rows;  // one character per pixel: '.' transparent, '0'-'9' and 'a'-'f' palette indexes
};

struct IconGroupResource {
    int id;
    std::span<const IconImageResource> images;
};

struct VersionField {
    const char* name;
    const char* value;
};

struct ResourceTable {
    std::span<const DialogTemplate> dialogs;
    std::span<const StringResource> strings;
    std::span<const IconGroupResource> iconGroups;
    const char* versionLanguage;  // language and code page, as "080404b0"
    std::span<const VersionField> versionFields;
};

// The standard 16-colour palette, as 0xRRGGBB, that icon images index.
extern const std::uint32_t kStandardPalette16[16];
// An icon image's palette indexes, top row first; transparent pixels are 0.
std::vector<std::uint8_t> IconImageIndexes(const IconImageResource& image);

// Defined by the program's resource module.
const ResourceTable& ProgramResources();

const DialogTemplate* FindDialogTemplate(int id);
const char* FindStringResource(UINT id);
// The icon of group `id` whose size is nearest to `size` pixels.
HICON LoadIconResource(int id, int size);

inline constexpr int RT_GROUP_ICON = 14;
// The module holding a resource; the program is its only module here.
HINSTANCE AfxFindResourceHandle(int id, int type);
// The large (32 x 32) image of an icon group.
HICON LoadIcon(HINSTANCE hInstance, int id);
// The 16 x 16 image of the icon group whose 32 x 32 image `big` is; `big` itself otherwise.
HICON SmallIconFor(HICON big);
