// Dialog templates in the binary form the platform's resources hold them:
// what FindResource and LockResource hand out for a dialog, and what
// CreateDialogIndirectParam reads. The program's resource module defines
// its templates as data; they are written out in this form once, when first
// asked for, as a resource compiler would have written them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "Resources.h"

// DIALOGEX templates as DLGTEMPLATEEX, DIALOG ones as DLGTEMPLATE, with their items.
std::vector<WORD> CompileDialogTemplate(const DialogTemplate& dialog);

// A template that lives as long as the process, compiled once, as the dialog functions take it.
LPCDLGTEMPLATE AsDlgTemplate(const DialogTemplate& t);

// A template read back from its binary form, owning its texts.
class LoadedDialogTemplate {
public:
    // False where the data is not a dialog template this window system can show,
    // or ends before the template does. A template handed to the dialog functions
    // comes with no size, as on the desktop: it is the program's own.
    bool Read(const void* data, std::size_t size = SIZE_MAX);
    DialogTemplate View() const;

private:
    bool m_extended = false;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    short m_x = 0, m_y = 0, m_cx = 0, m_cy = 0;
    int m_pointSize = 0;
    std::string m_caption;
    std::string m_fontFace;
    std::deque<std::string> m_texts;  // the items' texts, which do not move as more come
    std::vector<DialogItemTemplate> m_items;
};
