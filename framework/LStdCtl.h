#pragma once

#include "framework/LFont.h"
#include "framework/LPane.h"
#include "framework/LString.h"

#include <windows.h>

class LWinMsg;

// What native control to create: a class name and style (valid), or nothing (the subclass's
// own), and the font to give it.
struct LStdCtlSpec {
    int valid = 0;
    DWORD style = 0;
    LString className;
    LFont font;
};

// A pane that wraps a native child control: it is created hidden and zero-sized, then shown,
// sized, clipped, enabled and focused through the pane's state and frame. Notifications come
// back as "LWinMsg_Msg" through a raw-message filter that lives while any control does.
class LStdCtl : public LPane {
public:
    LStdCtl(LFrame* parent, const LStdCtlSpec& spec);
    ~LStdCtl() override;

    LMessage Handle(const LMessage& message) override;
    void StateChanged(int code) override;
    void BoundsChanged(const RECT& old) override;
    bool IntersectsRegion(const LRegion& region) override;

    // The rectangle (container coordinates) the native window occupies.
    virtual RECT NativeRect() const { return Bounds(); }
    // The rectangle used for the region test.
    virtual RECT RegionRect() const { return Bounds(); }

    HWND Control() const { return m_control; }
    const LFont& Font() const { return m_font; }
    void SetFont(const LFont& font);
    void SetText(const char* text);
    LString Text() const;
    bool IsBusy() const { return m_busy != 0; }
    // Places the native window on its rectangle, clipped to what of the pane is visible.
    void Place();

    static int LiveControls();

protected:
    // Measures in the control's font on the pane's device context.
    int LineHeight();
    int Ascent();
    int TextWidth(const char* text);

private:
    static int Filter(void*, HWND, UINT, WPARAM, LPARAM, LRESULT*);

    LFont m_font;
    HWND m_control = nullptr;
    int m_busy = 0;
};
