#include "framework/LMenuItem.h"

#include "framework/LMenu.h"
#include "framework/LMenuIds.h"
#include "framework/LMessageNames.h"

#include <cstdlib>
#include <cstring>
#include <new>

LMenuItem::LMenuItem(LMenu* menu)
    : LHandler(menu), m_id(LMenuIds::Allocate())
{
}

LMenuItem::~LMenuItem()
{
    RemoveShortcut();
    LMenuIds::Free(m_id);
    delete m_submenu;
    while (LString* name = m_commands.Pop())
        delete name;
}

bool LMenuItem::AnswersTo(const char* command) const
{
    for (int i = 0; i < m_commands.Count(); ++i)
        if (LSameName(m_commands.At(i)->Text(), command))
            return true;
    return false;
}

void LMenuItem::AddCommand(const char* command)
{
    if (AnswersTo(command))
        return;
    LString* name = new (std::nothrow) LString(command);
    if (name && !m_commands.Append(name))
        delete name;
}

void LMenuItem::RemoveShortcut()
{
    if (!m_key)
        return;
    Send(LMenuItem_DeleteStroke, this, Next());
    m_key = 0;
    m_modifiers = 0;
    m_shortcutText = LString();
}

void LMenuItem::SetShortcut(const char* field)
{
    RemoveShortcut();
    // Each modifier is named once, in the order the field gives them.
    char text[sizeof "Alt+Ctrl+Shift+" + 1];
    size_t length = 0;
    unsigned modifiers = 0;
    auto add = [&](unsigned bit, const char* name) {
        if (!(modifiers & bit)) {
            const size_t count = std::strlen(name);
            std::memcpy(text + length, name, count);
            length += count;
        }
        modifiers |= bit;
    };
    const char* p = field ? field : "";
    for (; *p >= 'a' && *p <= 'z'; ++p) {
        if (*p == 'a')
            add(0x10, "Alt+");
        else if (*p == 'c')
            add(0x08, "Ctrl+");
        else if (*p == 's')
            add(0x04, "Shift+");
    }
    if (!*p)
        return;
    m_key = *p;
    m_modifiers = modifiers;
    text[length++] = *p;
    m_shortcutText = LString(text, length);
    Send(LMenuItem_NewStroke, this, Next());
}

void LMenuItem::Reset()
{
    enabled = 0;
    checked = 0;
    m_label = m_defaultLabel;
}

LString LMenuItem::DisplayLabel() const
{
    if (m_label.IsEmpty() || m_shortcutText.IsEmpty())
        return m_label;
    const size_t label = m_label.Length();
    const size_t length = label + 1 + m_shortcutText.Length();
    char* text = static_cast<char*>(std::malloc(length + 1));
    if (!text)
        return m_label;
    std::memcpy(text, m_label.Text(), label);
    text[label] = '\t';
    std::memcpy(text + label + 1, m_shortcutText.Text(), m_shortcutText.Length() + 1);
    LString display(text, length);
    std::free(text);
    return display;
}
