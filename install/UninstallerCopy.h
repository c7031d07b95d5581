#pragma once

#include "install/InstallResult.h"

class CFilesInUse;
class CInstJournal;

// Copies the running program, package included, as "Uninstall.exe" into the folder
// "Uninstall" inside the destination, with the program's times and read-only bit. The copy is
// a journalled part of the installation like the package's files: the folder and the file are
// entered before they are made, a previous uninstaller is moved aside, and the copy is written
// under a temporary name and renamed into place. A failure (a drive that fills up) gives its
// result code, and the caller's rollback undoes the copy with everything else. A previous
// uninstaller that is running is kInsFileInUse, its path added to `filesInUse`.
InstallResult CopyUninstaller(CInstJournal& journal, const char* destination, const char* ownPath,
                              CFilesInUse* filesInUse = nullptr);
