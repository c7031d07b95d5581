#pragma once

#include "framework/LHandler.h"
#include "framework/LList.h"
#include "framework/LString.h"

#include <windows.h>

#include <vector>

class LMenuItem;

// A pop-up menu built from a menu resource: string 0 holds the name and title (two lines),
// each further string one item (command name, label, shortcut, submenu name). Its next is its
// menu bar, or the menu of the item it opens from.
class LMenu : public LHandler, public LListNode {
public:
    // Reads a menu resource's strings by name; false when there is none. Set by start-up code
    // to the resource chain; without a loader every menu is empty.
    using Loader = bool (*)(const char* name, std::vector<LString>* strings);
    static void SetLoader(Loader loader);
    static bool Load(const char* name, std::vector<LString>* strings);

    LMenu(LHandler* next, const std::vector<LString>& strings);
    ~LMenu() override;

    HMENU Handle() const { return m_popup; }
    const LString& Name() const { return m_name; }
    const LString& Title() const { return m_title; }
    LListOf<LMenuItem>& Items() { return m_items; }
    int positionOffset = 0;

    // Every item of this menu and its submenus, depth first.
    template <class F>
    void ForEachItem(F f);
    LMenuItem* FindById(WORD id);
    // Writes enabled, checked, labels and submenus to the native menu.
    void WriteNative();

private:
    void AddItem(const LString& source);

    HMENU m_popup = nullptr;
    LString m_name;
    LString m_title;
    LListOf<LMenuItem> m_items;
};

#include "framework/LMenuItem.h"

template <class F>
void LMenu::ForEachItem(F f)
{
    for (LMenuItem* item : m_items) {
        f(item);
        if (item->Submenu())
            item->Submenu()->ForEachItem(f);
    }
}
