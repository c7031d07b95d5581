#pragma once

#include "framework/LBrush.h"
#include "framework/LPalette.h"
#include "framework/LRegion.h"

#include <windows.h>

// What a pane draws with: the native window and its device context, the pane's origin in the
// window's client coordinates and the clip (what of the pane is visible, in window
// coordinates), plus the background brush of the enclosing frame with its origin. Frames build
// contexts for their children by moving the origin and narrowing the clip.
class LDrawContext {
public:
    LDrawContext() = default;
    LDrawContext(const LDrawContext&) = delete;
    LDrawContext& operator=(const LDrawContext&) = delete;
    ~LDrawContext();

    // A context over a window that fetches a device context only when one is asked for.
    void SetWindow(HWND window);
    // A paint context: the update region (within the client area) becomes the clip.
    bool BeginPaint(HWND window, HPALETTE palette);
    // A context for a child area that shares the parent's device context.
    void InheritFrom(const LDrawContext& parent);

    HWND Window() const { return m_window; }
    // The device context (the window's, or the screen's when there is no window, so that
    // measuring works before windows exist). Null only when the platform gives none.
    HDC DC();
    POINT Origin() const { return m_origin; }
    void MoveOrigin(int dx, int dy);
    const LRegion& Clip() const { return m_clip; }
    void SetClip(const LRegion& clip) { m_clip = clip; }
    // Narrows the clip to a rectangle given in the current pane coordinates.
    void IntersectClip(const RECT& local);
    // The clip in the current pane coordinates.
    LRegion LocalClip() const { return m_clip.Offset(-m_origin.x, -m_origin.y); }
    bool IsPaint() const { return m_paint; }

    void SetBackground(const LBrush& brush) { m_background = brush; m_brushOrigin = m_origin; }
    const LBrush& Background() const { return m_background; }
    POINT BrushOrigin() const { return m_brushOrigin; }

    // Makes the pane's origin (0, 0) of the device context and selects the clip; false when
    // nothing of the pane remains visible.
    bool Apply();

private:
    void Release();

    HWND m_window = nullptr;
    HDC m_dc = nullptr;
    bool m_ownsDC = false;
    bool m_paint = false;
    PAINTSTRUCT m_ps = {};
    HPALETTE m_oldPalette = nullptr;
    POINT m_origin = {0, 0};
    LRegion m_clip;
    LBrush m_background;
    POINT m_brushOrigin = {0, 0};
};
