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
    kMsgJournalRefused = 5, // followed by the folder
    kMsgUndoIncomplete = 6, // followed by the file in the way
    kMsgInstallAgain = 7,
    kMsgUninstallAgain = 8,
    kMsgRemovedAtRestart = 9,
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
// The description's own text when it has one, else the built-in message.
LString TextOrMessage(const LString& text, InstallMessage message);
// The message, then on a line of its own the path it is about.
LString MessageAbout(InstallMessage message, const LString& path);
LString ProgressMessage(ProgressText text);
