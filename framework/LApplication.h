#pragma once

#include "framework/LHandler.h"
#include "framework/LPtrArray.h"

#include <windows.h>

// The root of every handler chain and the owner of the event loop and the mode stack. One
// instance. Derived applications override the hooks; the installer's shutdown on log-off runs
// through EndSession.
class LApplication : public LHandler {
public:
    LApplication();
    ~LApplication() override;
    static LApplication* Instance();

    LMessage Handle(const LMessage& message) override;

    // Fetches and dispatches one message; 0 when the quit message arrived outside any mode.
    int PumpOne();
    // Runs PumpOne until it returns 0.
    void Run();
    void RunIdle();
    void ArmIdleTimer();
    // The handler that receives keyboard and menu input now.
    LHandler* FocusTarget();
    void UpdateCursor();

    virtual void Idle() {}
    virtual void Quit() { PostQuitMessage(0); }
    virtual void Activated(int /*active*/) {}
    virtual int RawMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*) { return 0; }
    virtual int QueryShutdown() { return 1; }
    // The session ends (log-off or shutdown was confirmed): the application shuts down.
    virtual void EndSession() {}

    int ModeDepth() const { return m_modes.Count(); }
    LHandler* CurrentMode() const { return m_modes.Last(); }
    bool FocusInFloating() const { return m_focusInFloating != 0; }
    HWND HiddenWindow() const { return m_hidden; }
    DWORD ThreadId() const { return m_thread; }

    // Brings an already running instance (a top-level window of this class) to the front;
    // returns its window, or null when there is none.
    static HWND FindRunningInstance(const char* className);

private:
    static LRESULT CALLBACK HiddenWindowProc(HWND, UINT, WPARAM, LPARAM);
    static void CALLBACK IdleTimerProc(HWND, UINT, UINT_PTR, DWORD);
    static void ArmFromTimerStart();

    int m_focusInFloating = 0;
    LPtrArray<LHandler> m_modes;
    HWND m_hidden = nullptr;
    DWORD m_thread = 0;
    UINT_PTR m_idleTimer = 0;
    bool m_registered = false;
};
