#include "Backend.h"

#include "MenuLayout.h"
#include "MessageDialog.h"

int Backend::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return RunMessageDialog(owner, text, caption, type);
}

MenuBox Backend::MenuBoxOf(const TrackedMenu& menu) const { return LayOutMenu(menu, Metrics(), WorkArea()); }
