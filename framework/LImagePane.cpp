#include "framework/LImagePane.h"

#include "framework/LDrawContext.h"
#include "framework/LFrame.h"

LImagePane::LImagePane(LFrame* parent, const LIcon& icon, int mode)
    : LPane(parent, parent), m_icon(icon), m_mode(mode)
{
}

void LImagePane::SetIcon(const LIcon& icon)
{
    m_icon = icon;
    InvalidateRect(Bounds());
}

int LImagePane::PreferredWidth(int) { return m_icon.Width(); }
int LImagePane::PreferredHeight(int) { return m_icon.Height(); }

void LImagePane::Draw(LDrawContext& context)
{
    HDC dc = context.DC();
    if (!dc || m_icon.IsNull())
        return;
    const RECT& r = Bounds();
    if (m_mode == 1) {
        const int x = r.left + (Width() - m_icon.Width()) / 2;
        const int y = r.top + (Height() - m_icon.Height()) / 2;
        DrawIconEx(dc, x, y, m_icon.Handle(), m_icon.Width(), m_icon.Height(), 0, nullptr, DI_NORMAL);
    } else {
        DrawIconEx(dc, r.left, r.top, m_icon.Handle(), Width(), Height(), 0, nullptr, DI_NORMAL);
    }
}
