#include "framework/LMenuBar.h"

#include "framework/LMessageNames.h"

#include <new>

LMenuBar::LMenuBar(LHandler* next, const LMenu::Strings& menuNames)
    : LHandler(next)
{
    m_bar = CreateMenu();
    for (int i = 0; i < menuNames.Count(); ++i) {
        LMenu::Strings strings;
        LMenu::Load(menuNames.At(i)->Text(), &strings);
        LMenu* menu = new (std::nothrow) LMenu(this, strings);
        LMenu::FreeStrings(&strings);
        if (!menu)
            continue;
        m_menus.Append(menu);
        if (m_bar && menu->Handle())
            InsertMenuA(m_bar, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP,
                        reinterpret_cast<UINT_PTR>(menu->Handle()), menu->Title().Text());
    }
}

LMenuBar::~LMenuBar()
{
    if (m_window && GetMenu(m_window) == m_bar)
        SetMenu(m_window, nullptr);
    // Menus go before the native bar: their notices remove them from it first.
    while (LMenu* menu = m_menus.First()) {
        m_menus.Remove(menu);
        delete menu;
    }
    if (m_bar)
        DestroyMenu(m_bar);
}

void LMenuBar::EnableCommand(const char* command, const char* label, bool keepDisabled)
{
    for (LMenu* menu : m_menus)
        menu->ForEachItem([&](LMenuItem* item) {
            if (item->enabled || !item->AnswersTo(command))
                return;
            if (!keepDisabled)
                item->enabled = 1;
            if (label && *label)
                item->SetLabel(LString(label));
        });
}

LMenuItem* LMenuBar::FindById(WORD id)
{
    for (LMenu* menu : m_menus)
        if (LMenuItem* item = menu->FindById(id))
            return item;
    return nullptr;
}

void LMenuBar::Open(LHandler* focusTarget)
{
    for (LMenu* menu : m_menus)
        menu->ForEachItem([](LMenuItem* item) { item->Reset(); });
    Send(LMenuBar_Ready, this, focusTarget);
}

LMessage LMenuBar::Handle(const LMessage& m)
{
    if (m.Is(LMenuBar_Ready) && m.param == this) {
        for (LMenu* menu : m_menus)
            menu->WriteNative();
        if (m_window)
            DrawMenuBar(m_window);
        return Consumed();
    }
    if (m.Is(LMenuItem_NewStroke) || m.Is(LMenuItem_DeleteStroke)) {
        const LMenuItem* item = static_cast<const LMenuItem*>(m.param);
        if (m.Is(LMenuItem_NewStroke))
            m_accelerators.Add(static_cast<BYTE>(item->Modifiers()), item->Key(), item->Id());
        else
            m_accelerators.Remove(static_cast<BYTE>(item->Modifiers()), item->Key(), item->Id());
        return Consumed();
    }
    if (m.Is(LMenu_Destructing)) {
        LMenu* menu = static_cast<LMenu*>(m.param);
        m_menus.Remove(menu);
        if (m_bar) {
            const int count = GetMenuItemCount(m_bar);
            for (int i = 0; i < count; ++i) {
                if (GetSubMenu(m_bar, i) == menu->Handle()) {
                    RemoveMenu(m_bar, static_cast<UINT>(i), MF_BYPOSITION);
                    if (m_window)
                        DrawMenuBar(m_window);
                    break;
                }
            }
        }
        return LHandler::Handle(m);
    }
    return LHandler::Handle(m);
}
