// A static control showing a small picture built from image bytes held in
// the program, with a tooltip, a hand pointer and a message box on a click.
#pragma once

#include <string>

#include "../platform/class_library/CStatic.h"
#include "../platform/class_library/CToolTipCtrl.h"
#include "BadgeImage.h"

class CDC;

class CIconBadge : public CStatic {
public:
    CIconBadge(const BadgePicture& picture, const char* clickText);
    ~CIconBadge() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawBadge(CDC& dc, int x, int y);
    HICON GetIcon() const { return m_hIcon; }

    static const char* const kToolTipText;

protected:
    void PreSubclassWindow() override;
    void OnClicked();
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void LoadHandCursor();
    // Moved to a screen of another scale: the picture drawn anew at it.
    LRESULT OnDpiChangedAfterParent(WPARAM, LPARAM);
    // The icon made from the picture at `scale`, in place of the one before.
    void MakeIcon(double scale);
    DECLARE_MESSAGE_MAP()

    CToolTipCtrl m_tooltip;
    HCURSOR m_hCursor = nullptr;
    HICON m_hIcon = nullptr;

private:
    // The control made the icon's size plus its frame, its bottom-right corner kept.
    void FitToIcon();

    const BadgePicture& m_picture;
    int m_nWidth;
    int m_nHeight;
    std::string m_strClickText;
};
