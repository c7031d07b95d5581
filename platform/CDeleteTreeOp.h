#pragma once

#include "platform/CFileOp.h"

// Deletes a file, or a folder with everything in it: Ok, NotFound (nothing of that name) or
// Failed (the final delete or remove failed). Read-only files are not made writable first.
class CDeleteTreeOp : public CFileOp {
public:
    explicit CDeleteTreeOp(const char* path);
};
