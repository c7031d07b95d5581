#pragma once

#include "framework/LString.h"

#include <windows.h>

// The install page's change of the destination parent folder: the folder chooser opens in
// the folder that contains the current parent folder (when that exists) and, when the user
// confirms, its folder becomes the new parent folder. The product's own folder name is not
// added here; the installation joins it later.
class CParentFolderChoice {
public:
    // The folder the chooser opens in for `parentFolder`; empty when there is none.
    static LString InitialFolder(const LString& parentFolder);
    // Runs the chooser owned by `owner`; true and `parentFolder` replaced when confirmed.
    static bool Choose(HWND owner, const LString& title, LString& parentFolder);
};
