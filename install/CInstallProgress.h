#pragma once

#include <cstdint>

// What the file installation needs of the progress dialog. The dialog's bar runs over the
// package length; the installation moves it once per entry and lets the dialog handle pending
// events at the same moment, which is also when a press of its stop button is noticed.
class CInstallProgress {
public:
    // The bytes of the package read so far.
    virtual void SetPosition(uint32_t position) = 0;
    // Processes pending events once; true when the stop button has been pressed.
    virtual bool WaitStep() = 0;

protected:
    ~CInstallProgress() = default;
};
