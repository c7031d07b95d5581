#pragma once

// Result of the install and uninstall steps; 0 is success and the first other code ends a
// procedure. The numbers also index the "ERRINS" string list of error texts.
enum InstallResult : int {
    kInsOK = 0,
    kInsCanceled = 1,
    kInsNoMemory = 2,
    kInsBroken = 3,
    kInsCannotWrite = 4,
    kInsFolderInTheWay = 5,
    kInsNoDestination = 6,
    kInsNoVolumeAccess = 7,
    kInsCannotCreateFolder = 8,
    kInsNoJournal = 9, // the journal file cannot be made or written: nothing may be changed
    kInsFileInUse = 10, // another program holds a file that is to be replaced or removed
};
