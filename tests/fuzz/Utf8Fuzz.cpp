// UTF-8 from outside (the clipboard, a driver line, a screen reader): repair
// makes any bytes valid UTF-8, changes valid text not at all, and decoding
// then encoding gives the repaired text back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/window_system/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string repaired = RepairUtf8(text);
    if (RepairUtf8(repaired) != repaired) std::abort();
    std::string encoded;
    for (const char32_t cp : DecodeUtf8(repaired)) encoded += EncodeUtf8(cp);
    if (encoded != repaired) std::abort();
    return 0;
}
