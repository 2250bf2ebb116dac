// A window system with a headless back end and no program running, for
// tests that build windows themselves.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "platform/class_library/CDC.h"
#include "platform/class_library/CMenu.h"
#include "platform/class_library/CWnd.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/window_system/InputRouter.h"
#include "platform/window_system/WindowManager.h"

// Delivers every waiting message as the class library's message loop does,
// without waiting for more.
inline void PumpMessages() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

// A user's keys and mouse, each action delivered before the next, as a
// running program would see them.
namespace User {
inline void KeyDown(UINT vk, UINT translatedChar = 0) { Input::KeyDown(vk, translatedChar), PumpMessages(); }
inline void KeyUp(UINT vk) { Input::KeyUp(vk), PumpMessages(); }
inline void Char(UINT codePoint) { Input::Char(codePoint), PumpMessages(); }
inline void MouseDown(Point screen, bool right, bool doubleClick) { Input::MouseDown(screen, right, doubleClick), PumpMessages(); }
inline void MouseUp(Point screen, bool right) { Input::MouseUp(screen, right), PumpMessages(); }
inline void MouseMove(Point screen) { Input::MouseMove(screen), PumpMessages(); }
}  // namespace User

class PlatformFixture : public ::testing::Test {
protected:
    PlatformFixture() : m_backend(m_in, m_out) {
        WindowManager::Instance().Reset();
        WindowManager::Instance().SetBackend(&m_backend);
    }
    ~PlatformFixture() override {
        WindowManager::Instance().Reset();
        WindowManager::Instance().SetBackend(nullptr);
        // The class library's wrappers of handles the reset has just let go.
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        CMenu::DeleteTempMap();
    }
    std::string Output() const { return m_out.str(); }

    std::istringstream m_in;
    std::ostringstream m_out;
    HeadlessBackend m_backend;
};
