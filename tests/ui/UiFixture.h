#pragma once

#include "tests/framework/AppFixture.h"

#include <windows.h>

#include <functional>
#include <vector>

// What every window test of the installer's user interface needs: the application with its
// mouse and keyboard, the resource chain in the user's language, and a driver thread that
// works the windows while this thread runs their loops.
class UiFixture : public AppFixture {
protected:
    UiFixture();
    ~UiFixture() override;

    // Runs `run` (a dialog's loop) on this thread while a driver thread waits for the dialog
    // and gives it `answer` until the loop returns: a key that arrives while the dialog is
    // still taking the focus goes nowhere, and the user would press again. After `tries`
    // answers it closes the dialog, and the test fails. What `run` returned.
    int Driven(const std::function<int()>& run, const std::function<void(HWND)>& answer, int tries = 8);
    // Expects the window's title to be string 0 of the string list `list` (in the user's
    // language, as the resource chain chooses it) and a button labelled with each further
    // string named by index; then saves the window's picture as `shot`. Also from a driver thread.
    static void ExpectTextsOf(HWND window, const char* list, const std::vector<int>& buttons, const char* shot);
};
