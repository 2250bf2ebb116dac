#include "CDC.h"

#include <map>
#include <memory>

#include "CWnd.h"

CDC* CDC::FromHandle(HDC hDC) {
    // One wrapper per context, kept as the class library keeps its temporary objects.
    static std::map<HDC, std::unique_ptr<CDC>> wrappers;
    if (hDC == nullptr) return nullptr;
    auto& slot = wrappers[hDC];
    if (!slot) {
        slot = std::make_unique<CDC>();
        slot->m_hDC = hDC;
    }
    return slot.get();
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
