#pragma once

#include "platform/CFileOp.h"

// Deletes a file (DeleteFileA): Ok, NotFound or Failed.
class CDeleteFileOp : public CFileOp {
public:
    explicit CDeleteFileOp(const char* path);
};
