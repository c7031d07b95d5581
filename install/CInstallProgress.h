#pragma once

#include <cstdint>

// What the file installation needs of the progress dialog. The dialog's bar runs over the
// package length; the installation moves it once per entry and lets the dialog handle pending
// events at the same moment, which is also when a press of its stop button is noticed.
class CInstallProgress {
public:
    // The bytes of the package read so far.
    virtual void SetPosition(uint32_t position) = 0;
    // Processes pending events once; true when the stop button has been pressed. The dialog
    // may skip the look when it looked a moment ago, unless `always` is set: the step after the
    // last entry, before the work can no longer be stopped, sees every stop asked for.
    virtual bool WaitStep(bool always = false) = 0;

protected:
    ~CInstallProgress() = default;
};
