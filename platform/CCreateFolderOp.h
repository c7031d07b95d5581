#pragma once

#include "platform/CFileOp.h"

// Creates a folder (CreateDirectoryA); the result path is the folder created or used.
class CCreateFolderOp : public CFileOp {
public:
    CCreateFolderOp(const char* path, ConflictMode mode);
};
