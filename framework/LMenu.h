#pragma once

#include "framework/LHandler.h"
#include "framework/LList.h"
#include "framework/LPtrArray.h"
#include "framework/LString.h"

#include <windows.h>

class LMenuItem;

// A pop-up menu built from a menu resource: string 0 holds the name and title (two lines),
// each further string one item (command name, label, shortcut, submenu name). Its next is its
// menu bar, or the menu of the item it opens from.
class LMenu : public LHandler, public LListNode {
public:
    // Texts on the heap, owned by the array's holder, who frees them with FreeStrings.
    using Strings = LPtrArray<LString>;
    static void FreeStrings(Strings* strings);

    // Reads a menu resource's strings by name, appending them; false when there is none. Set
    // by start-up code to the resource chain; without a loader every menu is empty.
    using Loader = bool (*)(const char* name, Strings* strings);
    static void SetLoader(Loader loader);
    // Frees what strings held, then loads.
    static bool Load(const char* name, Strings* strings);

    LMenu(LHandler* next, const Strings& strings);
    ~LMenu() override;

    HMENU Handle() const { return m_popup; }
    const LString& Name() const { return m_name; }
    const LString& Title() const { return m_title; }
    LListOf<LMenuItem>& Items() { return m_items; }
    int positionOffset = 0;

    // Every item of this menu and its submenus, depth first. One walk serves every caller's
    // lambda, through a plain function that calls it.
    template <class F>
    void ForEachItem(F f)
    {
        ForEachItem([](void* context, LMenuItem* item) { (*static_cast<F*>(context))(item); }, &f);
    }
    using Visit = void (*)(void* context, LMenuItem* item);
    void ForEachItem(Visit visit, void* context);
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
