#pragma once

#include "framework/LApplication.h"
#include "framework/LKeyboard.h"
#include "framework/LMouse.h"
#include "tests/ui/StackLayoutEngine.h"

#include <gtest/gtest.h>

// What every window test of the installer's user interface needs: the application with its
// mouse and keyboard, the resource chain in the user's language, and a layout engine (the
// program's own when it is built in, else the stand-in).
class UiFixture : public ::testing::Test {
protected:
    UiFixture();
    ~UiFixture() override;

    // Handles this thread's pending messages through the application for a while.
    void Pump(int rounds = 20);
    bool UsesRealLayouts() const { return !m_standIn; }
    // Clicks the control from a driver thread while this thread handles messages, until the
    // click has been answered: the driver's BM_CLICK waits for this thread.
    void ClickWhilePumping(HWND control);

    LApplication app;
    LMouse mouse;
    LKeyboard keyboard;
    StackLayoutEngine stack;

private:
    bool m_standIn = false;
};
