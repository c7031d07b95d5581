#pragma once

#include "framework/LString.h"

// One program file installs and uninstalls: a file name whose first nine characters are
// "Uninstall", in any mix of letter case, makes the run an uninstallation.
bool IsUninstallerPath(const char* ownPath);

// The product folder an uninstaller works on: two folders above its own file, as the
// installation puts it into "Uninstall" inside the product folder. A step whose parent is not
// an existing folder is not taken. The destination is never stored anywhere else.
LString UninstallDestination(const char* ownPath);
