// Writes dotwise.rc and Dotwise.ico into a folder, from the resources the
// program is built with: what a native build hands its resource compiler.
#include <cstdio>
#include <fstream>
#include <string>

#include "ResourceScript.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_resource_script FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    std::ofstream rc(folder + "/dotwise.rc", std::ios::binary);
    rc << WriteResourceScript(ProgramResourceSets(), "Dotwise.ico");
    for (const IconGroupResource& group : ProgramResourceSets().front().iconGroups) {
        const std::vector<BYTE> icon = WriteIconFile(group);
        std::ofstream(folder + "/Dotwise.ico", std::ios::binary)
            .write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
    }
    if (!rc) {
        std::fprintf(stderr, "write_resource_script: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
