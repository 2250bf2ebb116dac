// The user's number format, value by value, as hostile as a locale can be:
// each line of the input is one answer of the locale query (decimal
// separator, group separator, grouping, decimals, leading zero, negative
// mode, negative sign). The whole program starts under it, is typed into,
// and answers every command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "platform/window_system/LocaleInfo.h"
#include "tests/DriverHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024) return 0;
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    const LCTYPE types[] = {LOCALE_SDECIMAL, LOCALE_STHOUSAND,  LOCALE_SGROUPING,    LOCALE_IDIGITS,
                            LOCALE_ILZERO,   LOCALE_INEGNUMBER, LOCALE_SNEGATIVESIGN};
    std::map<LCTYPE, std::string> answers;
    std::string line;
    for (const LCTYPE type : types)
        if (std::getline(lines, line)) answers[type] = line;
    const FixedLocaleSource source(answers);
    SetLocaleSource(&source);
    const DriverRun run = RunDotwise("shown 1004\nfocus 1004\ntype 1234.5\nshown 1004\nkey Home\ntype -\nshown 1004\ntext 1004\ntext 1005\n");
    SetLocaleSource(nullptr);
    if (run.exitCode != 0 || Answers(run).size() != 9) std::abort();
    return 0;
}
