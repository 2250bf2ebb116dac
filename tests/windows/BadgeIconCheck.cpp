// Hands each badge's image to the platform's own CreateIconFromResourceEx
// and checks the icon it makes has the picture's size.
#include <windows.h>

#include <cstdio>

#include "badge/BadgeImage.h"
#include "badge/BadgePictures.h"

int main() {
    int failures = 0;
    for (const BadgePicture* picture : {&PlateMakingPicture(), &WovenLabelPicture(), &SealPicture()}) {
        std::vector<BYTE> image = BuildBadgeImage(*picture);
        HICON icon =
            CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x30000, picture->width, picture->height, LR_DEFAULTCOLOR);
        ICONINFO info{};
        BITMAP mask{};
        const bool made = icon != nullptr && GetIconInfo(icon, &info) && GetObjectA(info.hbmMask, sizeof mask, &mask) != 0;
        // A colour icon's mask is the icon's size.
        const bool sized = made && mask.bmWidth == picture->width && mask.bmHeight == picture->height;
        std::printf("%s: %d x %d %s\n", sized ? "ok" : "FAILED", picture->width, picture->height,
                    made ? (sized ? "accepted" : "accepted at another size") : "refused");
        if (!sized) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
