// Declarative message maps: one static table per class, searched before the
// base class's table. Each entry decodes the message's parameters into the
// handler's own signature.
#pragma once

#include "AfxWin32.h"
#include "CGeometry.h"

class CCmdTarget;
class CWnd;
class CDC;

using AFX_PMSG = LRESULT (*)(CCmdTarget*, WPARAM, LPARAM);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The message code under which a child sees its reflected WM_CTLCOLOR*.
inline constexpr UINT WM_CTLCOLOR = 0x0019;
// Notifications the class library reflects back to a child add this.
inline constexpr UINT WM_REFLECT_BASE = 0xBC00;

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, 0, 0, nullptr }                                                                       \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

#define AFX_HANDLER(body)                                                                               \
    [](CCmdTarget* target, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) -> LRESULT { \
        [[maybe_unused]] auto* self = static_cast<ThisClass*>(target);                                  \
        body                                                                                            \
    }

#define AFX_POINT_FROM_LPARAM \
    CPoint { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) }

#define ON_MESSAGE(message, memberFxn)                                         \
    { message, 0, 0, 0, AFX_HANDLER(return self->memberFxn(wParam, lParam);) } \
    ,
#define ON_COMMAND(id, memberFxn)                                                                              \
    { WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), AFX_HANDLER(self->memberFxn(); return 0;) } \
    ,
#define ON_CONTROL(code, id, memberFxn)                                                                                              \
    { WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), AFX_HANDLER(self->memberFxn(); return 0;) } \
    ,
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CONTROL_REFLECT(code, memberFxn)                                                                    \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<UINT>(code), 0, 0, AFX_HANDLER(self->memberFxn(); return 0;) } \
    ,
#define ON_WM_CTLCOLOR_REFLECT()                                                                                                              \
    {                                                                                                                                         \
        WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0,                                                                                               \
            AFX_HANDLER(                                                                                                                      \
                return reinterpret_cast<LRESULT>(self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), static_cast<UINT>(lParam)));) \
    }                                                                                                                                         \
    ,
#define ON_WM_NCDESTROY()                                                  \
    { WM_NCDESTROY, 0, 0, 0, AFX_HANDLER(self->OnNcDestroy(); return 0;) } \
    ,
#define ON_WM_HELPINFO()                                                                             \
    { WM_HELP, 0, 0, 0, AFX_HANDLER(return self->OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));) } \
    ,
#define ON_WM_PAINT()                                              \
    { WM_PAINT, 0, 0, 0, AFX_HANDLER(self->OnPaint(); return 0;) } \
    ,
#define ON_WM_QUERYDRAGICON()                                                                              \
    { WM_QUERYDRAGICON, 0, 0, 0, AFX_HANDLER(return reinterpret_cast<LRESULT>(self->OnQueryDragIcon());) } \
    ,
#define ON_WM_SYSCOMMAND()                                                                                    \
    { WM_SYSCOMMAND, 0, 0, 0, AFX_HANDLER(self->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;) } \
    ,
#define ON_WM_SETCURSOR()                                                                                                            \
    {                                                                                                                                \
        WM_SETCURSOR, 0, 0, 0,                                                                                                       \
            AFX_HANDLER(return self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));) \
    }                                                                                                                                \
    ,
#define ON_WM_KEYDOWN()                                                                                                         \
    { WM_KEYDOWN, 0, 0, 0, AFX_HANDLER(self->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;) } \
    ,
#define ON_WM_CHAR()                                                                                                      \
    { WM_CHAR, 0, 0, 0, AFX_HANDLER(self->OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;) } \
    ,
#define ON_WM_SETFOCUS()                                                                                                 \
    { WM_SETFOCUS, 0, 0, 0, AFX_HANDLER(self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;) } \
    ,
#define ON_WM_LBUTTONDOWN()                                                                                                    \
    { WM_LBUTTONDOWN, 0, 0, 0, AFX_HANDLER(self->OnLButtonDown(static_cast<UINT>(wParam), AFX_POINT_FROM_LPARAM); return 0;) } \
    ,
#define ON_WM_LBUTTONUP()                                                                                                  \
    { WM_LBUTTONUP, 0, 0, 0, AFX_HANDLER(self->OnLButtonUp(static_cast<UINT>(wParam), AFX_POINT_FROM_LPARAM); return 0;) } \
    ,
#define ON_WM_LBUTTONDBLCLK()                                                                                                      \
    { WM_LBUTTONDBLCLK, 0, 0, 0, AFX_HANDLER(self->OnLButtonDblClk(static_cast<UINT>(wParam), AFX_POINT_FROM_LPARAM); return 0;) } \
    ,
#define ON_WM_MOUSEMOVE()                                                                                                  \
    { WM_MOUSEMOVE, 0, 0, 0, AFX_HANDLER(self->OnMouseMove(static_cast<UINT>(wParam), AFX_POINT_FROM_LPARAM); return 0;) } \
    ,
