#pragma once

#include "framework/LString.h"

// True if the path names an existing folder (as the directory finder reports it).
bool IsFolder(const char* path);
// What stands at a path, from a single attribute query.
enum class PathKind { Nothing, File, Folder };
PathKind KindOfPath(const char* path);
// Has the system delete a file, or remove a folder that is empty then, at the next restart
// (the means for what a running program holds); false when that cannot be arranged.
bool DeleteAtRestart(const char* path);
// Creates every missing folder above the path, not the path itself. Returns 0 or the system
// error of the creation that failed.
unsigned long EnsureParentFolders(const char* path);
