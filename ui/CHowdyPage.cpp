#include "ui/CHowdyPage.h"

#include "framework/LImagePane.h"
#include "framework/LMessageNames.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "resources/LStrList.h"
#include "ui/CParentFolderChoice.h"
#include "ui/CTargetFrame.h"

CHowdyPage::CHowdyPage(LFrame* window)
    : CLayoutPage(window, "HOWDY")
{
    LStrList texts("HOWDY", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_install = new (std::nothrow) LPushButton(this, texts.Get(0).Text(), font);
    m_title = new (std::nothrow) LTextPane(this, 2, "", LFont::Get(0, 2, 0, -1));
    m_text = new (std::nothrow) LTextPane(this, 2, "", font);
    m_icon = new (std::nothrow) LImagePane(this, LIcon());
    m_target = new (std::nothrow) CTargetFrame(this);
}

void CHowdyPage::SetTitle(const char* title)
{
    if (m_title)
        m_title->SetText(title);
}

void CHowdyPage::SetText(const char* text)
{
    if (m_text)
        m_text->SetText(text);
}

void CHowdyPage::SetIcon(const LIcon& icon)
{
    if (m_icon)
        m_icon->SetIcon(icon);
}

void CHowdyPage::SetParentFolder(const LString& folder)
{
    m_parentFolder = folder;
    Refresh();
}

void CHowdyPage::SetRequirement(uint32_t entryCount, uint64_t totalBytes)
{
    m_entryCount = entryCount;
    m_totalBytes = totalBytes;
    m_counted = true;
    Refresh();
}

void CHowdyPage::Refresh()
{
    if (m_target)
        m_target->Refresh(m_parentFolder, m_entryCount, m_totalBytes, m_counted);
}

void CHowdyPage::ChangeFolder()
{
    // The shipped list has no chooser title, so the platform shows its own.
    LStrList texts("HOWDY", LStrList::kStrings);
    if (CParentFolderChoice::Choose(NativeWindow(), texts.Get(2), m_parentFolder))
        Refresh();
}

LMessage CHowdyPage::Handle(const LMessage& m)
{
    if (m.Is(LStdCtl_Selected) && m_target && m.param == m_target->ChangeButton() && m.param) {
        ChangeFolder();
        return Consumed();
    }
    return CLayoutPage::Handle(m);
}
