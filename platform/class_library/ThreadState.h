// What the class library remembers about the message in progress: the last
// message an object was sent (for `Default` and reflection) and the dialog
// whose controls' notifications are dropped while it exchanges data.
#pragma once

#include "AfxWin32.h"

struct AFX_THREAD_STATE {
    MSG m_lastSentMsg{};
    HWND m_hLockoutNotifyWindow = nullptr;
};

AFX_THREAD_STATE* AfxGetThreadState();
