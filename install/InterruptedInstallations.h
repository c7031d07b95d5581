#pragma once

#include "framework/LString.h"

// What the start of the installer found of installations of its product that a crash, a
// forced log-off or a power loss cut off.
struct CInterruptedOutcome {
    int undone = 0;       // installations undone, as a stop would have undone them
    LString refused;      // the destination of a journal file that was not trusted
    LString inTheWay;     // a file that could not be deleted or restored
};

// At the start of the installer: every installation of the product (the first word of its
// folder name) that its mark under HKEY_LOCAL_MACHINE\`marksKey` names as in progress is
// ended from the journal file in its destination: undone, or its commit finished; then the
// file and the mark go. Nothing else is read: not the temporary folder, not the user's part
// of the registry. A journal file in use is left for later; one that is damaged in its header,
// of another product or destination, or names anything it should not is refused whole and
// left as it is, with its mark; an undo step that fails keeps both for the next start.
CInterruptedOutcome FinishInterruptedInstallations(const char* marksKey, const LString& product);
