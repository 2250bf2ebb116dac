// The driver's protocol on the page, for the page's tests and for automation:
// lines from window.dotwise.driver run as they do on the desktop's standard
// input. Only the driven build of the page (dotwise-driven, asked for with
// ?driver in the address) has it: the page people load is built without it,
// and is the smaller for it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "../window_system/Geometry.h"

class PageDriver {
public:
    virtual ~PageDriver() = default;
    // Runs the next queued step of the lines so far; false when none is left.
    virtual bool RunNextEvent() = 0;
    // Ends the answer of a line whose steps have all run.
    virtual void FlushAnswer() = 0;
    virtual void Execute(const std::string& line) = 0;
};

// The driver, its answers appended to `answers`, the canvas's place on the
// screen given by `canvasOrigin`; in the build without the driver, none.
std::unique_ptr<PageDriver> MakePageDriver(std::string& answers, std::function<Point()> canvasOrigin);
