// The class-library wrapper of the standard static control.
#pragma once

#include "CWnd.h"

class CStatic : public CWnd {};
