#include "ui/CUninsPage.h"

#include "framework/LImagePane.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "resources/LStrList.h"

CUninsPage::CUninsPage(LFrame* window)
    : CLayoutPage(window, "UNINS")
{
    LStrList texts("UNINS", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_uninstall = new (std::nothrow) LPushButton(this, texts.Get(0).Text(), font);
    m_folder = new (std::nothrow) LTextPane(this, 0, "", font);
    m_title = new (std::nothrow) LTextPane(this, 2, "", LFont::Get(0, 2, 0, -1));
    m_text = new (std::nothrow) LTextPane(this, 2, "", font);
    m_icon = new (std::nothrow) LImagePane(this, LIcon());
}

void CUninsPage::SetFolder(const char* folder)
{
    if (m_folder)
        m_folder->SetText(folder);
}

void CUninsPage::SetTitle(const char* title)
{
    if (m_title)
        m_title->SetText(title);
}

void CUninsPage::SetText(const char* text)
{
    if (m_text)
        m_text->SetText(text);
}

void CUninsPage::SetIcon(const LIcon& icon)
{
    if (m_icon)
        m_icon->SetIcon(icon);
}
