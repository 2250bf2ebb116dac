#include "CString.h"

#include "CWinApp.h"

BOOL CString::LoadString(UINT nID) {
    // The answer fills the buffer when the string may be longer: try a bigger one.
    for (int size = 256; size <= 65536; size *= 4) {
        std::string buffer(static_cast<std::size_t>(size), '\0');
        const int length = ::LoadString(AfxGetResourceHandle(), nID, buffer.data(), size);
        if (length < size - 1) {
            buffer.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
            assign(buffer);
            return length > 0 ? TRUE : FALSE;
        }
    }
    return FALSE;
}
