#include "FontFinder.h"

#include <fontconfig/fontconfig.h>

#include "FontChoiceCache.h"

namespace {

constexpr const char* kPreferredFamily = "AR PL UMing CN";

// fontconfig always answers with some face; take it only when it covers the language.
std::optional<FontFile> Match(FcPattern* pattern) {
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::optional<FontFile> found;
    if (match != nullptr) {
        FcChar8* file = nullptr;
        FcChar8* family = nullptr;
        FcLangSet* langs = nullptr;
        int index = 0;
        const bool covers = FcPatternGetLangSet(match, FC_LANG, 0, &langs) == FcResultMatch &&
                            FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("zh-cn")) == FcLangEqual;
        if (covers && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetString(match, FC_FAMILY, 0, &family);
            found = FontFile{reinterpret_cast<const char*>(file), index, family ? reinterpret_cast<const char*>(family) : ""};
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

std::optional<FontFile> SearchFonts() {
    FcPattern* preferred = FcPatternCreate();
    FcPatternAddString(preferred, FC_FAMILY, reinterpret_cast<const FcChar8*>(kPreferredFamily));
    if (auto found = Match(preferred); found && found->family == kPreferredFamily) return found;
    FcPattern* chinese = FcPatternCreate();
    FcLangSet* langs = FcLangSetCreate();
    FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcPatternAddLangSet(chinese, FC_LANG, langs);
    FcLangSetDestroy(langs);
    return Match(chinese);
}

}  // namespace

std::optional<FontFile> FindDialogFont() {
    const std::optional<FontChoiceCache> cache = UserFontChoiceCache();
    if (cache)
        if (auto kept = ReadFontChoice(*cache)) return kept;
    if (!FcInit()) return std::nullopt;
    std::optional<FontFile> found = SearchFonts();
    // The answer is one file, asked for once: the configuration and the
    // mapped caches of every installed font go, rather than stay resident.
    FcFini();
    // Only the preferred face is kept: a fallback could be outdone by a font
    // installed later, which the configuration's files would not show.
    if (cache && found && found->family == kPreferredFamily) WriteFontChoice(*cache, *found);
    return found;
}
