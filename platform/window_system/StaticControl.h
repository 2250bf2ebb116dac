// The standard static control: text, frames and icon places. With
// SS_NOTIFY it reports clicks to its parent.
#pragma once

#include "WindowState.h"

class StaticControl : public StandardProcedure {
public:
    LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};
