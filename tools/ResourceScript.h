// Writes the program's resources out as a resource script and an icon file,
// for a native build that compiles them with a resource compiler.
#pragma once

#include <string>
#include <vector>

#include "../platform/window_system/Resources.h"

std::string WriteResourceScript(const ResourceTable& resources, const std::string& iconFileName);
// An icon file (header, directory, images) of one icon group.
std::vector<BYTE> WriteIconFile(const IconGroupResource& group);
