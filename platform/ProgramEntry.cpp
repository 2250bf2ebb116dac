// The process entry: picks a display back end from the command line and the
// environment, then runs the application on it.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "CWinApp.h"
#include "WindowApi.h"
#include "headless/HeadlessBackend.h"

namespace {

constexpr const char* kUsage = "usage: dotwise [--platform headless]\n";

std::string BaseName(const char* path) {
    std::string name = path != nullptr ? path : "dotwise";
    const auto slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    SetApplicationName(BaseName(argc > 0 ? argv[0] : nullptr));
    std::string platform;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--platform") == 0 && i + 1 < argc) {
            platform = argv[++i];
        } else if (std::strncmp(argv[i], "--platform=", 11) == 0) {
            platform = argv[i] + 11;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (platform.empty() || platform == "headless") {
        HeadlessBackend backend(std::cin, std::cout);
        return AfxWinMain(backend);
    }
    std::fprintf(stderr, "dotwise: unknown platform '%s'\n%s", platform.c_str(), kUsage);
    return 2;
}
