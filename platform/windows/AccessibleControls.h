// Screen readers on Windows: every field, button and badge of the program's
// dialogs answers WM_GETOBJECT with the names and roles the program knows,
// and a field's change of value is announced, whichever system runs it.
#pragma once

// For the windows the calling thread creates from now on.
void ServeAccessibleControls();
