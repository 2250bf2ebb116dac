#include "DeviceContext.h"

#include <map>
#include <memory>

#include "CWnd.h"
#include "Icon.h"

struct DeviceContextWrapper : CDC {
    explicit DeviceContextWrapper(HDC hDC) { m_hDC = hDC; }
};

namespace {
Canvas* g_paintCanvas = nullptr;
CPoint g_paintOrigin;
}  // namespace

void SetPaintCanvas(Canvas* canvas, CPoint origin) {
    g_paintCanvas = canvas;
    g_paintOrigin = origin;
}

CDC* CDC::FromHandle(HDC hDC) {
    // One wrapper per context, kept as the class library keeps its temporary objects.
    static std::map<HDC, std::unique_ptr<DeviceContextWrapper>> wrappers;
    if (hDC == nullptr) return nullptr;
    auto& slot = wrappers[hDC];
    if (!slot) slot = std::make_unique<DeviceContextWrapper>(hDC);
    return slot.get();
}

COLORREF CDC::SetTextColor(COLORREF color) {
    const COLORREF old = m_hDC->textColor;
    m_hDC->textColor = color;
    return old;
}

int CDC::SetBkMode(int mode) {
    const int old = m_hDC->bkMode;
    m_hDC->bkMode = mode;
    return old;
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return DrawIconEx(m_hDC, x, y, hIcon, 0, 0, 0, nullptr, DI_NORMAL); }

CPaintDC::CPaintDC(CWnd* pWnd) {
    m_context.hWnd = pWnd->m_hWnd;
    m_context.canvas = g_paintCanvas;
    m_context.origin = g_paintOrigin;
    m_hDC = &m_context;
}

CPaintDC::~CPaintDC() = default;
