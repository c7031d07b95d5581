#include "framework/LMenu.h"

#include "framework/LMessageNames.h"

#include <new>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MENUITEMINFOA) == 48, "MENUITEMINFOA is 48 bytes");
#endif

namespace {

LMenu::Loader g_loader = nullptr;

// The field at index of a resource string whose fields are separated by line ends (LF, CR or
// both); the empty text past the last one.
LString FieldAt(const char* text, int index)
{
    const char* p = text ? text : "";
    for (int field = 0;; ++field) {
        const char* end = p;
        while (*end && *end != '\n' && *end != '\r')
            ++end;
        if (field == index)
            return LString(p, static_cast<size_t>(end - p));
        if (!*end)
            return LString();
        p = end + (end[0] == '\r' && end[1] == '\n' ? 2 : 1);
    }
}

} // namespace

void LMenu::SetLoader(Loader loader) { g_loader = loader; }

void LMenu::FreeStrings(Strings* strings)
{
    while (LString* text = strings->Pop())
        delete text;
}

bool LMenu::Load(const char* name, Strings* strings)
{
    FreeStrings(strings);
    return g_loader && g_loader(name, strings);
}

LMenu::LMenu(LHandler* next, const Strings& strings)
    : LHandler(next)
{
    if (!strings.IsEmpty()) {
        m_name = FieldAt(strings.At(0)->Text(), 0);
        m_title = FieldAt(strings.At(0)->Text(), 1);
    }
    m_popup = CreatePopupMenu();
    for (int i = 1; i < strings.Count(); ++i)
        AddItem(*strings.At(i));
}

LMenu::~LMenu()
{
    Send(LMenu_Destructing, this, Next());
    while (LMenuItem* item = m_items.PopFront())
        delete item;
    if (m_popup)
        DestroyMenu(m_popup);
}

void LMenu::AddItem(const LString& source)
{
    LMenuItem* item = new (std::nothrow) LMenuItem(this);
    if (!item)
        return;
    item->AddCommand(FieldAt(source.Text(), 0).Text());
    item->SetDefaultLabel(FieldAt(source.Text(), 1));
    item->SetShortcut(FieldAt(source.Text(), 2).Text());
    const LString submenuName = FieldAt(source.Text(), 3);
    Strings submenu;
    if (!submenuName.IsEmpty() && Load(submenuName.Text(), &submenu) && !submenu.IsEmpty())
        item->SetSubmenu(new (std::nothrow) LMenu(this, submenu));
    FreeStrings(&submenu);
    const int index = m_items.Count();
    m_items.Append(item);
    if (!m_popup)
        return;
    const UINT position = static_cast<UINT>(positionOffset + index);
    if (item->IsSeparator()) {
        InsertMenuA(m_popup, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    } else if (item->Submenu() && item->Submenu()->Handle()) {
        InsertMenuA(m_popup, position, MF_BYPOSITION | MF_POPUP,
                    reinterpret_cast<UINT_PTR>(item->Submenu()->Handle()), item->DisplayLabel().Text());
    } else {
        InsertMenuA(m_popup, position, MF_BYPOSITION, item->Id(), item->DisplayLabel().Text());
    }
}

void LMenu::ForEachItem(Visit visit, void* context)
{
    for (LMenuItem* item : m_items) {
        visit(context, item);
        if (LMenu* submenu = item->Submenu())
            submenu->ForEachItem(visit, context);
    }
}

LMenuItem* LMenu::FindById(WORD id)
{
    LMenuItem* found = nullptr;
    ForEachItem([&](LMenuItem* item) {
        if (!found && id != 0 && item->Id() == id)
            found = item;
    });
    return found;
}

void LMenu::WriteNative()
{
    if (!m_popup)
        return;
    UINT position = static_cast<UINT>(positionOffset);
    for (LMenuItem* item : m_items) {
        MENUITEMINFOA info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE;
        LString label = item->DisplayLabel();
        if (item->IsSeparator()) {
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask |= MIIM_STRING;
            info.wID = item->Id();
            info.dwTypeData = const_cast<char*>(label.Text());
            info.fState = (item->enabled ? 0 : MFS_DISABLED) | (item->checked ? MFS_CHECKED : 0);
            if (LMenu* submenu = item->Submenu()) {
                submenu->WriteNative();
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = submenu->Handle();
            }
        }
        SetMenuItemInfoA(m_popup, position++, TRUE, &info);
    }
}
