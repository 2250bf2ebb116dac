#include "MessageDialog.h"

#include <algorithm>
#include <vector>

#include "CDialog.h"
#include "WindowManager.h"

int RunMessageDialog(HWND owner, const std::string& text, const std::string& caption, UINT) {
    const TextMetrics& metrics = WindowManager::Instance().Metrics();
    int widest = 0;
    int lines = 0;
    for (std::size_t start = 0; start <= text.size(); ++lines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        widest = std::max(widest, metrics.TextWidth(std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    // Sizes in dialog units: 4 per average character across, 8 per line down.
    const auto textWidth = static_cast<short>(std::max(60, widest * 4 / metrics.AverageCharWidth() + 4));
    const auto textHeight = static_cast<short>(lines * 8 + 2);
    const auto width = static_cast<short>(textWidth + 24);
    const auto buttonTop = static_cast<short>(14 + textHeight);
    const std::vector<DialogItemTemplate> items = {
        {-1, WindowClass::Static, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 12, 10, textWidth, textHeight, text.c_str()},
        {IDOK, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, static_cast<short>((width - 50) / 2), buttonTop, 50, 14, "确定"},
    };
    const DialogTemplate dialog{0, false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, width,
                                static_cast<short>(buttonTop + 22), caption.c_str(), "宋体", 9, items};
    CDialog box(&dialog, CWnd::FromHandle(owner));
    box.DoModal();
    return IDOK;
}
