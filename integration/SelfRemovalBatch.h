#pragma once

#include "framework/LString.h"

// The batch file with which the uninstaller removes itself after it has exited: it deletes the
// uninstaller, removes its folder and the destination folder (each only when empty), and
// deletes the batch file. The batch starts while the uninstaller may still be ending, so the
// first delete is retried, about once a second and at most 30 times, until the file is gone;
// the rest follows either way. Every line ends with CR LF.
LString SelfRemovalBatchText(const char* uninstaller, const char* uninstallFolder, const char* destination,
                             const char* batchFile);

// The number of delete attempts the batch makes before it goes on.
constexpr int kSelfRemovalTries = 30;
