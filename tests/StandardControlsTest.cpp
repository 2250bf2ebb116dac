// The standard static and button controls, driven through their messages and a
// user's mouse: what a parent hears from them, and what they show.
#include <gtest/gtest.h>

#include <vector>

#include "PlatformFixture.h"
#include "badge/BadgeImage.h"
#include "badge/BadgePictures.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/Accessibility.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/Icon.h"
#include "platform/window_system/Resources.h"
#include "platform/window_system/WindowApi.h"

namespace {

constexpr int kNotifyingStatic = 20;
constexpr int kIconStatic = 21;
constexpr int kFirstRadio = 30;
constexpr int kSecondRadio = 31;
constexpr int kAboutLine = 22;
constexpr DialogItemTemplate kItems[] = {
    {kNotifyingStatic, WindowClass::Static, WS_VISIBLE | SS_NOTIFY, 5, 5, 40, 10, "click me"},
    {kIconStatic, WindowClass::Static, WS_VISIBLE | SS_ICON, 60, 5, 20, 20, ""},
    {kFirstRadio, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 5, 30, 40, 10, "one"},
    {kSecondRadio, WindowClass::Button, WS_VISIBLE | BS_AUTORADIOBUTTON, 5, 45, 40, 10, "two"},
    {kAboutLine, WindowClass::Static, WS_VISIBLE, 60, 30, 80, 20, "作者:\tDotwise 开发组\n版本:\t1.0"},
};
constexpr DialogTemplate kTemplate{4, false, WS_POPUP | WS_CAPTION, 0, 0, 0, 150, 70, "controls", "宋体", 9, kItems};

// What the dialog hears from its controls: (id, notification code).
class ListeningDialog : public CDialog {
public:
    std::vector<std::pair<int, int>> heard;
    BOOL OnCmdMsg(UINT nID, int nCode) override {
        heard.emplace_back(static_cast<int>(nID), nCode);
        return TRUE;
    }
};

class StandardControls : public PlatformFixture {
protected:
    StandardControls() {
        m_dialog.SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
        m_dialog.m_hWnd->style |= WS_VISIBLE;
    }
    HWND Item(int id) const { return GetDlgItem(m_dialog.m_hWnd, id); }
    Point Middle(int id) const {
        const Rect r = WindowManager::Instance().ScreenRect(Item(id));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(int id, bool twice = false) {
        User::MouseDown(Middle(id), false, false);
        User::MouseUp(Middle(id), false);
        if (!twice) return;
        User::MouseDown(Middle(id), false, true);
        User::MouseUp(Middle(id), false);
    }
    bool Checked(int id) const { return (DescribeWindow(Item(id)).states & AccessibleState::kChecked) != 0; }
    ListeningDialog m_dialog;
};

TEST_F(StandardControls, ANotifyingStaticTellsItsParentOfClicksAndDoubleClicks) {
    Click(kNotifyingStatic, true);
    const std::vector<std::pair<int, int>> expected = {{kNotifyingStatic, STN_CLICKED}, {kNotifyingStatic, STN_DBLCLK}};
    EXPECT_EQ(m_dialog.heard, expected);
}

TEST_F(StandardControls, AnIconStaticTakesAnIconOfTheProgramByItsNameAndRefusesAnyOther) {
    HWND icon = Item(kIconStatic);
    EXPECT_EQ(SendMessage(icon, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("#128")), TRUE);
    ASSERT_NE(icon->bigIcon, nullptr);
    const HICON shown = icon->bigIcon;
    EXPECT_EQ(SendMessage(icon, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("#9999")), FALSE);
    EXPECT_EQ(SendMessage(icon, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("not a name")), FALSE);
    EXPECT_EQ(icon->bigIcon, shown) << "a refused name changed the icon";
}

TEST_F(StandardControls, ARadioButtonClickedChecksItselfAndClearsTheOthersOfItsGroup) {
    Click(kFirstRadio);
    EXPECT_TRUE(Checked(kFirstRadio));
    Click(kSecondRadio);
    EXPECT_FALSE(Checked(kFirstRadio));
    EXPECT_TRUE(Checked(kSecondRadio));
    // A press dragged off the button before the release is no click.
    User::MouseDown(Middle(kFirstRadio), false, false);
    User::MouseMove({Middle(kFirstRadio).x + 400, Middle(kFirstRadio).y});
    User::MouseUp({Middle(kFirstRadio).x + 400, Middle(kFirstRadio).y}, false);
    EXPECT_FALSE(Checked(kFirstRadio));
}

// An icon asked for at another size than its image has is scaled to it, each
// pixel taken from the one it stands over.
TEST_F(StandardControls, AnIconAskedForAtAnotherSizeIsScaledToIt) {
    std::vector<BYTE> image = BuildBadgeImage(SealPicture());
    HICON own = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x30000, 27, 48, 0);
    HICON twice = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x30000, 54, 96, 0);
    ASSERT_NE(own, nullptr);
    ASSERT_NE(twice, nullptr);
    ASSERT_EQ(twice->width, 54);
    ASSERT_EQ(twice->height, 96);
    for (int y = 0; y < 96; y += 7)
        for (int x = 0; x < 54; x += 5)
            EXPECT_EQ(twice->argb[static_cast<std::size_t>(y) * 54 + x], own->argb[static_cast<std::size_t>(y / 2) * 27 + x / 2]) << x << "," << y;
}

// A screen reader reads a static's whole text, the tabs that line it up included;
// only a menu item's text stops at a tab, where its shortcut begins.
TEST_F(StandardControls, AStaticIsReadWholeTabsAndAll) { EXPECT_EQ(DescribeWindow(Item(kAboutLine)).name, "作者:\tDotwise 开发组\n版本:\t1.0"); }

}  // namespace
