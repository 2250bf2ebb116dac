// The class library's own texts. A program carries them among its string
// resources, in each of its languages, so that they speak the language its
// other resources do; without them the library speaks Chinese.
#pragma once

#include "CString.h"

#define AFX_IDP_PARSE_UINT 0xF101
#define AFX_IDP_PARSE_REAL 0xF102
#define AFX_IDP_NO_HELP 0xF103

// The string resource `nID` of the program; for the library's own texts, the
// library's Chinese one when the program has none.
CString AfxLoadText(UINT nID);
