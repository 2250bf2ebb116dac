// Runs the whole program on the headless back end with a script of driver
// commands and gives back what the driver answered.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct DriverRun {
    std::vector<std::string> lines;
    int exitCode = 0;
};

class Driver;

// `setup` may add commands of the test's own to the driver.
DriverRun RunDotwise(const std::string& script, const std::function<void(Driver&)>& setup = {});
// The answer lines of a run without the message-box reports, and those reports apart.
std::vector<std::string> Answers(const DriverRun& run);
std::vector<std::string> MessageBoxes(const DriverRun& run);
