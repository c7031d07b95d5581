#include "framework/LDrawContext.h"

LDrawContext::~LDrawContext()
{
    Release();
}

void LDrawContext::Release()
{
    if (!m_ownsDC || !m_dc)
        return;
    if (m_paint) {
        if (m_oldPalette)
            SelectPalette(m_dc, m_oldPalette, TRUE);
        EndPaint(m_window, &m_ps);
    } else {
        ReleaseDC(m_window, m_dc);
    }
    m_dc = nullptr;
    m_ownsDC = false;
}

void LDrawContext::SetWindow(HWND window)
{
    Release();
    m_window = window;
    m_paint = false;
    m_origin.x = m_origin.y = 0;
}

bool LDrawContext::BeginPaint(HWND window, HPALETTE palette)
{
    Release();
    m_window = window;
    m_origin.x = m_origin.y = 0;
    LRegion update = LRegion::Empty();
    if (update.Handle())
        GetUpdateRgn(window, update.Handle(), FALSE);
    RECT client;
    GetClientRect(window, &client);
    m_clip = update.Intersect(LRegion::FromRect(client));
    m_dc = ::BeginPaint(window, &m_ps);
    if (!m_dc)
        return false;
    m_ownsDC = true;
    m_paint = true;
    if (palette) {
        m_oldPalette = SelectPalette(m_dc, palette, TRUE);
        RealizePalette(m_dc);
    }
    return true;
}

void LDrawContext::InheritFrom(const LDrawContext& parent)
{
    Release();
    m_window = parent.m_window;
    m_dc = parent.m_dc;
    m_ownsDC = false;
    m_paint = parent.m_paint;
    m_origin = parent.m_origin;
    m_clip = parent.m_clip;
    m_background = parent.m_background;
    m_brushOrigin = parent.m_brushOrigin;
}

HDC LDrawContext::DC()
{
    if (!m_dc) {
        m_dc = GetDC(m_window);
        m_ownsDC = m_dc != nullptr;
    }
    return m_dc;
}

void LDrawContext::MoveOrigin(int dx, int dy)
{
    m_origin.x += dx;
    m_origin.y += dy;
}

void LDrawContext::IntersectClip(const RECT& local)
{
    RECT inWindow = local;
    OffsetRect(&inWindow, m_origin.x, m_origin.y);
    m_clip = m_clip.Intersect(LRegion::FromRect(inWindow));
}

bool LDrawContext::Apply()
{
    HDC dc = DC();
    if (!dc || m_clip.IsEmpty())
        return false;
    SetWindowOrgEx(dc, -m_origin.x, -m_origin.y, nullptr);
    // Clip regions are in device units; with the text mapping mode those are the window's
    // client pixels, which is what the clip holds.
    SelectClipRgn(dc, m_clip.Handle());
    return true;
}
