#pragma once

#include "platform/CFileOp.h"

// Renames a file or folder within its folder (MoveFileExA without flags). A change of letter
// case alone is not carried out. When the new name is taken, UseExisting reports a conflict and
// every other mode renumbers the new name. The result path is the path after the rename.
class CRenameOp : public CFileOp {
public:
    CRenameOp(const char* path, const char* newName, ConflictMode mode);
};
