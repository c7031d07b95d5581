#pragma once

#include "platform/CFileOp.h"

// Creates an empty file that did not exist (CREATE_NEW); the result path is the file created
// or, with UseExisting, the existing file.
class CCreateFileOp : public CFileOp {
public:
    CCreateFileOp(const char* path, ConflictMode mode);
};
