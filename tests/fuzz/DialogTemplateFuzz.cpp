// The dialog-template reader, on bytes that may be any template or none: it
// refuses what ends early, never reads past the end, and what it reads back
// is written out and read again to the same template.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/window_system/DialogTemplateImage.h"

namespace {

bool SameItems(const DialogTemplate& a, const DialogTemplate& b) {
    if (a.items.size() != b.items.size() || std::strcmp(a.caption, b.caption) != 0) return false;
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (a.items[i].id != b.items[i].id || a.items[i].windowClass != b.items[i].windowClass || std::strcmp(a.items[i].text, b.items[i].text) != 0)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Words, as the reader takes them, in a buffer of exactly the input's size.
    std::vector<std::uint8_t> bytes(data, data + size);
    LoadedDialogTemplate first;
    if (!first.Read(bytes.data(), bytes.size())) return 0;
    const DialogTemplate view = first.View();
    const std::vector<WORD> written = CompileDialogTemplate(view);
    LoadedDialogTemplate second;
    if (!second.Read(written.data(), written.size() * sizeof(WORD)) || !SameItems(view, second.View())) std::abort();
    return 0;
}
