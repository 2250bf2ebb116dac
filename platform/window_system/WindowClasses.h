// The window classes the window system knows: their names, and a new
// window's standard procedure for each.
#pragma once

#include <memory>

#include "WindowState.h"

std::unique_ptr<StandardProcedure> ProcedureFor(WindowClass cls);
// The class a name registers, as CreateWindowEx takes it; false for an unknown name.
bool WindowClassByName(LPCSTR name, WindowClass& cls);
// The name a class is registered under, as GetClassName answers.
const char* WindowClassName(WindowClass cls);
