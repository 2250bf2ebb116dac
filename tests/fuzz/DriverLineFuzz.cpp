// The driver's command line, as any program that drives Dotwise writes it:
// words, quoted text with escapes, numbers and key names. Every word that
// splitting gives back, quoted again, splits into that same word.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/driver/DriverScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    try {
        words = DriverScript::SplitWords(line);
    } catch (const DriverError&) {
        return 0;
    }
    for (const std::string& word : words) {
        const std::vector<std::string> again = DriverScript::SplitWords(DriverScript::Quote(word));
        if (again.size() != 1 || again[0] != word) std::abort();
        // Each may refuse a word, as the driver's commands report it; nothing else may happen.
        const auto refused = [](auto&& parse) {
            try {
                parse();
            } catch (const DriverError&) {
            }
        };
        refused([&] { DriverScript::ParseInt(word); });
        refused([&] {
            bool shift = false, ctrl = false, alt = false;
            ParseKeyCombo(word, shift, ctrl, alt);
        });
        refused([&] { VirtualKeyFor(word); });
    }
    return 0;
}
