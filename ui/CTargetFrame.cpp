#include "ui/CTargetFrame.h"

#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LStrList.h"
#include "ui/CTargetFigures.h"
#include "ui/MeasuringTexts.h"

CTargetFrame::CTargetFrame(LFrame* page)
    : LFrame(page, page)
{
    LStrList texts("TGTFRM", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_change = new (std::nothrow) LPushButton(this, texts.Get(0).Text(), font);
    new (std::nothrow) LTextPane(this, 0, texts.Get(1).Text(), font);
    m_required = new (std::nothrow) LTextPane(this, 0, measuring::kLargeFigure, font);
    new (std::nothrow) LTextPane(this, 0, texts.Get(2).Text(), font);
    m_available = new (std::nothrow) LTextPane(this, 0, measuring::kLargeFigure, font);
    new (std::nothrow) LTextPane(this, 0, texts.Get(3).Text(), font);
    m_folder = new (std::nothrow) LTextPane(this, 0, measuring::CLongLine().Text(), font);
    // Measured and placed once; from here on the frame's size is its preferred size.
    SetBounds(LLayoutRun::Build(*this, LLayoutSections::FromResource("TGTFRM")));
}

void CTargetFrame::Refresh(const LString& parentFolder, uint32_t entryCount, uint64_t totalBytes, bool counted)
{
    const CTargetFigures figures(parentFolder, entryCount, totalBytes);
    if (m_folder)
        m_folder->SetText(figures.FolderText().Text());
    if (m_available)
        m_available->SetText(figures.AvailableText().Text());
    if (m_required)
        m_required->SetText(counted ? figures.RequiredText().Text() : "");
}
