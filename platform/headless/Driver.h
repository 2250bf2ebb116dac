// The automation interface on our window system: the commands of the driver's
// protocol, reading and driving the window system's windows.
#pragma once

#include <ostream>
#include <string>

#include "../window_system/Geometry.h"
#include "DriverScript.h"

class Driver : public DriverScript {
public:
    explicit Driver(std::ostream& out);

    // The control `id` of the dialog on top.
    static HWND Control(const std::string& id);

private:
    void AddStandardCommands();
    void AddInputCommands();
    void AddReadingCommands();
    void AddWritingCommands();
    void QueueKeyPress(UINT vk, UINT ch, bool shift, bool ctrl, bool alt);
    void QueueClick(HWND hWnd, Point client, bool right, bool doubleClick);
};

// The client point of character `index` in an edit, or the centre of another control.
Point ControlPoint(HWND hWnd, int index);
