#pragma once

#include "framework/LString.h"

// At the start of the installer: every installation of the product (the first word of its
// folder name) that a crash, a forced log-off or a power loss cut off is undone from the
// journal file it left in the folder (the temporary folder), exactly as a stop would have
// undone it, and the file is deleted; a commit that had begun is finished instead. Journal
// files in use, damaged or of another product are left alone. Returns how many
// installations were undone.
int UndoInterruptedInstallations(const char* folder, const LString& product);
