// Finds the dialog font through fontconfig: the face that looks closest to
// the original's, else any face whose languages cover simplified Chinese.
#pragma once

#include <optional>
#include <string>

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
};

// Null when no installed face covers simplified Chinese.
std::optional<FontFile> FindDialogFont();
