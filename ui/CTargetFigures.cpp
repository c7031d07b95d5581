#include "ui/CTargetFigures.h"

#include "platform/CDiskSpace.h"
#include "ui/CSpaceFigures.h"

CTargetFigures::CTargetFigures(const LString& parentFolder, uint32_t entryCount, uint64_t totalBytes)
    : m_folder(parentFolder)
{
    // A drive that cannot be queried counts as 512-byte units, none of them free.
    CDiskSpace space(parentFolder.Text());
    uint32_t unitSize = space.GetStatus() == CDiskSpace::kDone ? space.UnitSize() : 512;
    uint32_t freeUnits = space.GetStatus() == CDiskSpace::kDone ? space.FreeUnits() : 0;
    m_available = CSpaceFigures::MegabytesText(CSpaceFigures::AvailableMegabytes(unitSize, freeUnits));
    m_required = CSpaceFigures::MegabytesText(CSpaceFigures::RequiredMegabytes(entryCount, unitSize, totalBytes));
}
