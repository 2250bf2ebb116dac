// The application object: runs the calculator dialog once and ends.
#pragma once

#include "../platform/class_library/CWinApp.h"

class CDotwiseApp : public CWinApp {
public:
    CDotwiseApp();
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

extern CDotwiseApp theApp;
