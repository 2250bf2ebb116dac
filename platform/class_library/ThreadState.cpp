#include "ThreadState.h"

AFX_THREAD_STATE* AfxGetThreadState() {
    static AFX_THREAD_STATE state;
    return &state;
}
