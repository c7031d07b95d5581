#pragma once

#include "ui/CSimpleProgressDialog.h"

// The notice shown while the installer loads its description and scans its package: a
// progress dialog without bar and Stop button, centred on the work area, painted at once,
// with the wait cursor. It goes when the object does.
class CStartupNotice {
public:
    // `message` is the installer window's "starting up" text.
    CStartupNotice(LHandler* owner, LFrame* ownerWindow, const char* message);

    CSimpleProgressDialog& Dialog() { return m_dialog; }

private:
    CSimpleProgressDialog m_dialog;
};
