// Whatever another program leaves on the clipboard, pasted into each field of
// the whole program (the diagonal's numeric edit reads it as a number): the
// program answers every command and ends as it should.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/driver/DriverScript.h"
#include "tests/DriverHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string script = "setclipboard " + DriverScript::Quote(text) + "\n";
    int commands = 1;
    for (const char* field : {"1004", "1000", "1016"}) {
        script += std::string("focus ") + field + "\nkey Ctrl+V\nshown " + field + "\nkey End\nkey Shift+Home\nkey Ctrl+V\nshown " + field + "\n";
        commands += 7;
    }
    const DriverRun run = RunDotwise(script);
    if (run.exitCode != 0 || static_cast<int>(Answers(run).size()) != commands) std::abort();
    return 0;
}
