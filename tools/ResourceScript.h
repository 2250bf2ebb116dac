// Writes the program's resources out as a resource script and an icon file,
// for a native build that compiles them with a resource compiler.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "../platform/window_system/Resources.h"

// Each set under its own LANGUAGE statement, so that the platform's loader
// picks the user's language; the icons and the one version block (with a
// block of strings per language) stand under the first set's language.
std::string WriteResourceScript(std::span<const ResourceTable> sets, const std::string& iconFileName);
// An icon file (header, directory, images) of one icon group.
std::vector<BYTE> WriteIconFile(const IconGroupResource& group);
