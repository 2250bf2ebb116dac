// A window system with a headless back end and no program running, for
// tests that build windows themselves.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "platform/WindowManager.h"
#include "platform/headless/HeadlessBackend.h"

class PlatformFixture : public ::testing::Test {
protected:
    PlatformFixture() : m_backend(m_in, m_out) {
        WindowManager::Instance().Reset();
        WindowManager::Instance().SetBackend(&m_backend);
    }
    ~PlatformFixture() override {
        WindowManager::Instance().Reset();
        WindowManager::Instance().SetBackend(nullptr);
    }
    std::string Output() const { return m_out.str(); }

    std::istringstream m_in;
    std::ostringstream m_out;
    HeadlessBackend m_backend;
};
