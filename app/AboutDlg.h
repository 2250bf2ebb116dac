// The About box: the program's icon, name and version, and a few notes.
#pragma once

#include "../platform/class_library/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
