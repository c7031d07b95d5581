#pragma once

#include "platform/CFileOp.h"

// Removes an empty folder (RemoveDirectoryA): Ok or Failed.
class CRemoveFolderOp : public CFileOp {
public:
    explicit CRemoveFolderOp(const char* path);
};
