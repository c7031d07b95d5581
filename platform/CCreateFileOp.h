#pragma once

#include "platform/CFileOp.h"

// Creates an empty file that did not exist (CREATE_NEW); the result path is the file created
// or, with UseExisting, the existing file.
class CCreateFileOp : public CFileOp {
public:
    CCreateFileOp(const char* path, ConflictMode mode);
    // Keeps the new file open (reading and writing, and whatever `extraAccess` adds; nobody
    // else may open it) and hands its handle to `kept`, which the caller then owns; an
    // existing file used instead is not opened, and `kept` stays null.
    CCreateFileOp(const char* path, ConflictMode mode, void*& kept, unsigned long extraAccess = 0);
};
