#pragma once

#include "platform/CFileOp.h"

// The path of a child of an existing folder: the folder joined with the name made safe for a
// file name. Fails (and leaves the path empty) unless the folder exists as a folder.
class CChildPathOp : public CFileOp {
public:
    CChildPathOp(const char* folder, const char* name);
    // A name given with its length may hold NUL bytes; they are replaced like other bad bytes.
    CChildPathOp(const char* folder, const char* name, size_t nameLength);
};
