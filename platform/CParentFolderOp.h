#pragma once

#include "platform/CFileOp.h"

// The parent folder of a path, only if it exists as a folder.
class CParentFolderOp : public CFileOp {
public:
    explicit CParentFolderOp(const char* path);
};
