#pragma once

#include "framework/LApplication.h"
#include "framework/LKeyboard.h"
#include "framework/LMouse.h"

#include <gtest/gtest.h>

#include <initializer_list>

// What every window test of the installer's user interface needs: the application with its
// mouse and keyboard, and the resource chain in the user's language.
class UiFixture : public ::testing::Test {
protected:
    UiFixture();
    ~UiFixture() override;

    // Handles this thread's pending messages through the application for a while.
    void Pump(int rounds = 20);
    // Clicks the control from a driver thread while this thread handles messages, until the
    // click has been answered: the driver's BM_CLICK waits for this thread.
    void ClickWhilePumping(HWND control);
    // Expects the window's title to be string 0 of the string list `list` (in the user's
    // language, as the resource chain chooses it) and a button labelled with each further
    // string named by index; then saves the window's picture as `shot`. Also from a driver
    // thread.
    static void ExpectTextsOf(HWND window, const char* list, std::initializer_list<int> buttons, const char* shot);

    LApplication app;
    LMouse mouse;
    LKeyboard keyboard;
};
