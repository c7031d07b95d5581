#pragma once

#include "framework/LFrame.h"
#include "framework/LString.h"

#include <cstdint>

class LPushButton;
class LTextPane;

// The part of the install page that tells where the product goes and whether it fits: the
// space needed, the space free on the destination's drive, the destination's parent folder
// and the "Change Folder..." button. It only displays; the page holds the values. Its size is
// measured once, from long stand-in texts, and kept whatever is shown later.
class CTargetFrame : public LFrame {
public:
    explicit CTargetFrame(LFrame* page);

    // Shows the parent folder, the free space of its drive and the space `entryCount` entries
    // of `totalBytes` bytes need there, or no figure for it while the entries are still being
    // counted. Redraws the values without measuring again.
    void Refresh(const LString& parentFolder, uint32_t entryCount, uint64_t totalBytes, bool counted);

    LPushButton* ChangeButton() const { return m_change; }
    LTextPane* RequiredPane() const { return m_required; }
    LTextPane* AvailablePane() const { return m_available; }
    LTextPane* FolderPane() const { return m_folder; }

private:
    LPushButton* m_change = nullptr;
    LTextPane* m_required = nullptr;
    LTextPane* m_available = nullptr;
    LTextPane* m_folder = nullptr;
};
