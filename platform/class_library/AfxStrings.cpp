#include "AfxStrings.h"

namespace {

struct OwnText {
    UINT id;
    const char* text;
};

constexpr OwnText kOwnTexts[] = {
    {AFX_IDP_PARSE_UINT, "请输入一个正整数。"},
    {AFX_IDP_PARSE_REAL, "请输入一个数。"},
    {AFX_IDP_NO_HELP, "本程序没有帮助文件。"},
};

}  // namespace

CString AfxLoadText(UINT nID) {
    CString text;
    if (text.LoadString(nID)) return text;
    for (const OwnText& own : kOwnTexts)
        if (own.id == nID) return CString(own.text);
    return text;
}
