// Data exchange between a dialog's fields and its members, by the class
// library's reading and writing rules.
#pragma once

#include <string>

#include "CWnd.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate) : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus and a full selection back on the last field, and stops the exchange: each
    // step after it does nothing. (A flag, not a throw: the page's code is built without exceptions.)
    void Fail();
    bool Failed() const { return m_bFailed; }

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
    bool m_bFailed = false;
};

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A number field that shows `decimalPoint` where C notation has '.'.
void DDX_Text(CDataExchange* pDX, int nIDC, double& value, char decimalPoint);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// The text forms the exchange writes and the readings it accepts.
std::string FormatUnsigned(UINT value);
std::string FormatDouble(double value);
bool ParseUnsigned(const std::string& text, UINT& value);
bool ParseDouble(const std::string& text, double& value);
