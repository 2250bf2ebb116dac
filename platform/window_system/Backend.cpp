#include "Backend.h"

#include "MessageDialog.h"

int Backend::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return RunMessageDialog(owner, text, caption, type);
}
