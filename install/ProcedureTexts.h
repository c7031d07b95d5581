#pragma once

#include "framework/LString.h"
#include "install/InstallResult.h"

// The procedures' built-in questions and notices ("INSTMSG").
enum InstallMessage {
    kMsgFolderExists = 0,
    kMsgNotEnoughSpace = 1,
    kMsgInstallDone = 2,
    kMsgUninstallDone = 3,
    kMsgInterruptedUndone = 4,
    kMsgInstallAgain = 5,
    kMsgUninstallAgain = 6,
    kMsgRemovedAtRestart = 7,
};

// The progress dialog's texts ("PROGMSG").
enum ProgressText {
    kProgStopLabel = 0,
    kProgInstalling = 1,
    kProgUninstalling = 2,
    kProgUndoing = 3,
};

// The texts come from the program's string lists in the user's language (the "_J" variants
// for a Japanese user) through the default resource chain; empty when a list is missing.
LString ErrorText(InstallResult code);
LString MessageText(InstallMessage message);
LString ProgressMessage(ProgressText text);
