// One store of 8-bit (UTF-8) text standing in for the system clipboard, with
// the calls through which programs reach it. A back end may mirror it to the
// system's own clipboard.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Geometry.h"

struct GlobalBlock {
    std::vector<char> bytes;
    int locks = 0;
};

class ClipboardStore {
public:
    static ClipboardStore& Instance();
    std::optional<std::string> Text();
    bool HasText();
    void SetText(const std::string& text);
    // Makes OpenClipboard fail, as it does when another program holds it.
    void SetUnavailable(bool unavailable) { m_unavailable = unavailable; }
    bool Unavailable() const { return m_unavailable; }

    bool Open(HWND owner);
    bool IsOpen() const { return m_open; }
    void Close();
    void Empty();
    HANDLE GetData(UINT format);
    HANDLE SetData(UINT format, HANDLE data);

private:
    bool m_open = false;
    bool m_unavailable = false;
    std::optional<std::string> m_text;
    GlobalBlock m_readBlock;
};
