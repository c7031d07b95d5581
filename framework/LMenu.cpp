#include "framework/LMenu.h"

#include "framework/LMessageNames.h"

#include <string>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MENUITEMINFOA) == 48, "MENUITEMINFOA is 48 bytes");
#endif

namespace {

LMenu::Loader g_loader = nullptr;

// Splits a resource string into its line-end separated fields (LF, CR or both end a field).
std::vector<std::string> Fields(const char* text)
{
    std::vector<std::string> fields;
    std::string field;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' || *p == '\r') {
            if (*p == '\r' && p[1] == '\n')
                ++p;
            fields.push_back(field);
            field.clear();
        } else {
            field += *p;
        }
    }
    if (!field.empty())
        fields.push_back(field);
    return fields;
}

std::string FieldAt(const std::vector<std::string>& fields, size_t index)
{
    return index < fields.size() ? fields[index] : std::string();
}

} // namespace

void LMenu::SetLoader(Loader loader) { g_loader = loader; }

bool LMenu::Load(const char* name, std::vector<LString>* strings)
{
    strings->clear();
    return g_loader && g_loader(name, strings);
}

LMenu::LMenu(LHandler* next, const std::vector<LString>& strings)
    : LHandler(next)
{
    if (!strings.empty()) {
        const std::vector<std::string> header = Fields(strings[0].Text());
        m_name = LString(FieldAt(header, 0).c_str());
        m_title = LString(FieldAt(header, 1).c_str());
    }
    m_popup = CreatePopupMenu();
    for (size_t i = 1; i < strings.size(); ++i)
        AddItem(strings[i]);
}

LMenu::~LMenu()
{
    Send(LMessage(LMenu_Destructing, this, Next()));
    while (LMenuItem* item = m_items.PopFront())
        delete item;
    if (m_popup)
        DestroyMenu(m_popup);
}

void LMenu::AddItem(const LString& source)
{
    const std::vector<std::string> fields = Fields(source.Text());
    LMenuItem* item = new (std::nothrow) LMenuItem(this);
    if (!item)
        return;
    item->AddCommand(FieldAt(fields, 0).c_str());
    item->SetDefaultLabel(LString(FieldAt(fields, 1).c_str()));
    item->SetShortcut(FieldAt(fields, 2).c_str());
    const std::string submenuName = FieldAt(fields, 3);
    std::vector<LString> submenu;
    if (!submenuName.empty() && Load(submenuName.c_str(), &submenu) && !submenu.empty())
        item->SetSubmenu(new (std::nothrow) LMenu(this, submenu));
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
