#pragma once

#include "framework/LString.h"
#include "platform/FileStatus.h"

#include <cstddef>

// Base of the file-system operation objects: the constructor of each kind performs the
// operation; the caller then reads the status and, where the kind produces one, the path.
class CFileOp {
public:
    FileStatus Status() const { return m_status; }
    bool Succeeded() const { return m_status == FileStatus::Ok; }
    // The path the operation produced; empty until set.
    const LString& ResultPath() const { return m_path; }

    // The path with the number inserted before the extension of its last component
    // (setup.tmp and 2 give setup2.tmp; readme gives readme2).
    static LString NumberedPath(const char* path, long number);

protected:
    CFileOp() = default;
    ~CFileOp() = default;

    // Errors 2 and 3 are NotFound, 32 and 33 InUse, everything else Failed.
    static FileStatus StatusOfError(unsigned long error);
    // Errors 80 and 183: the name exists.
    static bool IsNameConflict(unsigned long error);

    // Creates an item with conflict handling: `attempt` tries one name (with the caller's
    // context) and returns 0 or the system error; numbered names are always formed from the
    // requested path.
    using Attempt = unsigned long (*)(const char* path, void* context);
    void CreateItem(const char* path, ConflictMode mode, Attempt attempt, bool wantFolder, void* context = nullptr);

    FileStatus m_status = FileStatus::Failed;
    LString m_path;
};
