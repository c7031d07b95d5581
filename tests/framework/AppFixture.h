#pragma once

// What every test of framework windows needs: the application with its mouse and keyboard,
// and pumps that handle this thread's messages through the application, as its event loop does.
#include "framework/LApplication.h"
#include "framework/LKeyboard.h"
#include "framework/LMouse.h"
#include "tests/support/WindowWait.h"

#include <gtest/gtest.h>

#include <functional>

class AppFixture : public ::testing::Test {
protected:
    // Handles every message queued for this thread, and those that handling them queues.
    void Pump()
    {
        MSG peek;
        while (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            app.PumpOne();
    }
    // Pumps until the condition holds: what the window system does on its own (activation,
    // focus) arrives in its own time. False after the timeout.
    bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000)
    {
        return testsupport::WaitUntil([&] {
            Pump();
            return condition();
        }, timeoutMs);
    }

    LApplication app;
    LMouse mouse;
    LKeyboard keyboard;
};
