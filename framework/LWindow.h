#pragma once

#include "framework/LHandler.h"
#include "framework/LList.h"
#include "framework/LPalette.h"

#include <windows.h>

class LFrame;
class LMenuBar;
class LWindowDef;

// A native top-level window of the framework. Its next is its frame. Every LWindow sits in one
// process-wide list (newest first); the native window's user data also points at it.
class LWindow : public LHandler, public LListNode {
public:
    LWindow(LFrame* frame, LWindowDef* definition);
    ~LWindow() override;

    int Kind() const { return m_kind; }
    HWND Handle() const { return m_handle; }
    LFrame* Frame() const { return m_frame; }
    LWindowDef* Definition() const { return m_definition; }
    const LPalette& Palette() const { return m_palette; }
    void RebuildPalette();

    LMenuBar* MenuBar() const { return m_menuBar; }
    // Puts the bar (not owned) on the window; null takes the menu away.
    void AttachMenuBar(LMenuBar* bar);
    // The accelerator table of the window's menu bar, or null.
    HACCEL Accelerators() const;

    // The handler that receives this window's keyboard and menu input: its frame's focused
    // pane, else the frame.
    LHandler* FocusTarget() const;

    // Sets the client area to a rectangle in screen coordinates.
    void SetContentRect(const RECT& content);
    void SetTitle(const char* title);

    // Called when the native window is being destroyed.
    void ForgetHandle() { m_handle = nullptr; }

    static LWindow* FromHandle(HWND handle);
    static LListOf<LWindow>& All();

private:
    int m_kind;
    HWND m_handle = nullptr;
    LFrame* m_frame;
    LWindowDef* m_definition;
    LPalette m_palette;
    LMenuBar* m_menuBar = nullptr;
};
