// The dialog font fontconfig chose on an earlier start, kept in the user's
// cache folder, so that a start need not parse fontconfig's whole
// configuration (some fifty files on a desktop) to find the same file again.
// A choice is taken only while every configuration file fontconfig reads, and
// the font file itself, are as they were when it was made: a change to the
// user's font settings is followed at the next start.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "FontFinder.h"

struct FontChoiceCache {
    std::string file;                        // where the choice is kept
    std::vector<std::string> configuration;  // files and folders of fontconfig's configuration
};

// The user's: $XDG_CACHE_HOME (or ~/.cache)/dotwise/dialog-font, against
// fontconfig's default configuration. None where fontconfig is pointed at
// another configuration, or where there is no home to keep it in.
std::optional<FontChoiceCache> UserFontChoiceCache();

// The kept choice, if the configuration and the font file are unchanged since.
std::optional<FontFile> ReadFontChoice(const FontChoiceCache& cache);
// Keeps a choice; a cache that cannot be written is passed over.
void WriteFontChoice(const FontChoiceCache& cache, const FontFile& font);
