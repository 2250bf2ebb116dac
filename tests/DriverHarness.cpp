#include "DriverHarness.h"

#include <sstream>

#include "platform/window_system/ProgramRun.h"
#include "platform/headless/HeadlessBackend.h"

DriverRun RunDotwise(const std::string& script, const std::function<void(Driver&)>& setup) {
    std::istringstream in(script);
    std::ostringstream out;
    HeadlessBackend backend(in, out);
    if (setup) setup(backend.GetDriver());
    DriverRun run;
    run.exitCode = RunProgram(backend);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
}

std::vector<std::string> Answers(const DriverRun& run) {
    std::vector<std::string> answers;
    for (const std::string& line : run.lines)
        if (line.rfind("messagebox ", 0) != 0) answers.push_back(line);
    return answers;
}

std::vector<std::string> MessageBoxes(const DriverRun& run) {
    std::vector<std::string> boxes;
    for (const std::string& line : run.lines)
        if (line.rfind("messagebox ", 0) == 0) boxes.push_back(line);
    return boxes;
}
