// The program's resources as data: dialog templates, strings, icon groups
// and the version block. The program's resource module defines them; the
// platform looks them up by id.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Geometry.h"
#include "WindowState.h"

struct DialogItemTemplate {
    int id;
    WindowClass windowClass;
    DWORD style;
    short x, y, cx, cy;  // dialog units
    const char* text;
};

// A dialog template. It starts as the platform's own template resources do,
// with the head of an extended template, so that code which reads only the
// head (the class library's centring rule) reads it as it would read one
// compiled by a resource compiler; the rest is this window system's own.
struct DialogTemplate {
    constexpr DialogTemplate(int id_, bool extended_, DWORD style_, DWORD exStyle_, short x_, short y_, short cx_, short cy_, const char* caption_,
                             const char* fontFace_, int pointSize_, std::span<const DialogItemTemplate> items_)
        : exStyle(exStyle_),
          style(style_),
          cDlgItems(static_cast<WORD>(items_.size())),
          x(x_),
          y(y_),
          cx(cx_),
          cy(cy_),
          id(id_),
          extended(extended_),
          caption(caption_),
          fontFace(fontFace_),
          pointSize(pointSize_),
          items(items_) {}

    WORD dlgVer = 1;
    WORD signature = 0xFFFF;
    DWORD helpID = 0;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x, y, cx, cy;  // dialog units; a position of (0, 0) asks for centring
    int id;
    bool extended;  // written as DIALOGEX rather than DIALOG in a resource script
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

// The resources in one language; every language has the same ids.
struct ResourceTable {
    LANGID language;
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

// Defined by the program's resource module: its resources in each language
// it has, its own language first.
std::span<const ResourceTable> ProgramResourceSets();
// The sets in the order a resource is looked for, as the platform's loader
// looks: the thread's interface language, the user's, the system's, English
// (United States), then any.
std::vector<const ResourceTable*> ResourceSetsInSearchOrder();
// The set the interface shows: the first in that order.
const ResourceTable& ProgramResources();

const DialogTemplate* FindDialogTemplate(int id);
const char* FindStringResource(UINT id);
// The icon of group `id` whose size is nearest to `size` pixels.
HICON LoadIconResource(int id, int size);

// The 16 x 16 image of the icon group whose 32 x 32 image `big` is; `big` itself otherwise.
HICON SmallIconFor(HICON big);
