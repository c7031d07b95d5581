#pragma once

#include "framework/LAccelTable.h"
#include "framework/LHandler.h"
#include "framework/LList.h"
#include "framework/LMenu.h"

#include <windows.h>

// A window's menu bar: the menus named by a menu-bar resource, their native bar, and the
// accelerator table made from the items' shortcuts. Every command is disabled while the bar
// opens unless a handler on the focus chain enables it in answer to "LMenuBar_Ready".
class LMenuBar : public LHandler {
public:
    LMenuBar(LHandler* next, const LMenu::Strings& menuNames);
    ~LMenuBar() override;

    LMessage Handle(const LMessage& message) override;

    HMENU Handle() const { return m_bar; }
    HWND Window() const { return m_window; }
    void SetWindow(HWND window) { m_window = window; }
    LListOf<LMenu>& Menus() { return m_menus; }
    LAccelTable& Accelerators() { return m_accelerators; }

    // Enables every item that answers to the command and is not yet enabled, giving it a new
    // label when one is given; keepDisabled only relabels.
    void EnableCommand(const char* command, const char* label = nullptr, bool keepDisabled = false);
    LMenuItem* FindById(WORD id);
    // Resets every item, sends "LMenuBar_Ready" to the handler, and writes the result to the
    // native menus when the message comes back.
    void Open(LHandler* focusTarget);

private:
    HMENU m_bar = nullptr;
    HWND m_window = nullptr;
    LListOf<LMenu> m_menus;
    LAccelTable m_accelerators;
};
