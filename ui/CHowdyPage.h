#pragma once

#include "framework/LIcon.h"
#include "framework/LString.h"
#include "ui/CLayoutPage.h"

#include <cstdint>

class CTargetFrame;
class LImagePane;
class LPushButton;
class LTextPane;

// The install page: the icon, the product's title and text, the target folder frame and the
// Install button. It keeps what the frame shows: the destination's parent folder (the
// product's folder is joined to it at installation time) and the size of the installation.
class CHowdyPage : public CLayoutPage {
public:
    explicit CHowdyPage(LFrame* window);

    LMessage Handle(const LMessage& message) override;

    void SetTitle(const char* title);
    void SetText(const char* text);
    void SetIcon(const LIcon& icon);
    void SetParentFolder(const LString& folder);
    void SetRequirement(uint32_t entryCount, uint64_t totalBytes);

    const LString& ParentFolder() const { return m_parentFolder; }
    uint32_t EntryCount() const { return m_entryCount; }
    uint64_t TotalBytes() const { return m_totalBytes; }

    LPushButton* InstallButton() const { return m_install; }
    LTextPane* TitlePane() const { return m_title; }
    LTextPane* TextPane() const { return m_text; }
    CTargetFrame* TargetFrame() const { return m_target; }

private:
    void ChangeFolder();
    void Refresh();

    LPushButton* m_install = nullptr;
    LTextPane* m_title = nullptr;
    LTextPane* m_text = nullptr;
    LImagePane* m_icon = nullptr;
    CTargetFrame* m_target = nullptr;
    LString m_parentFolder;
    uint32_t m_entryCount = 0;
    uint64_t m_totalBytes = 0;
    // The size is counted while the window is built, and may come after the page is shown.
    bool m_counted = false;
};
