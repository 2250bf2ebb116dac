#include "CDC.h"

#include <map>
#include <memory>

#include "CWnd.h"

namespace {
std::map<HDC, std::unique_ptr<CDC>>& TemporaryMap() {
    static std::map<HDC, std::unique_ptr<CDC>> map;
    return map;
}
}  // namespace

void CDC::DeleteTempMap() { TemporaryMap().clear(); }

CDC* CDC::FromHandle(HDC hDC) {
    if (hDC == nullptr) return nullptr;
    auto& slot = TemporaryMap()[hDC];
    if (!slot) {
        slot = std::make_unique<CDC>();
        slot->m_hDC = hDC;
    }
    return slot.get();
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
