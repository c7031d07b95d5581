#pragma once

#include "tests/framework/AppFixture.h"

#include <windows.h>

#include <functional>

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
};
