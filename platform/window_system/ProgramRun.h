// Runs the program once on a back end: the window system starts empty, the
// program's entry runs, and the back end gets its last word.
#pragma once

#include "Backend.h"

int RunProgram(Backend& backend);
