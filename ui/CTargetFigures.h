#pragma once

#include "framework/LString.h"

#include <cstdint>

// The three value texts of the target folder frame for a destination parent folder and an
// installation of `entryCount` entries and `totalBytes` bytes: the folder itself, the space
// free on its drive and the space the installation needs there.
class CTargetFigures {
public:
    CTargetFigures(const LString& parentFolder, uint32_t entryCount, uint64_t totalBytes);

    const LString& FolderText() const { return m_folder; }
    const LString& AvailableText() const { return m_available; }
    const LString& RequiredText() const { return m_required; }

private:
    LString m_folder;
    LString m_available;
    LString m_required;
};
