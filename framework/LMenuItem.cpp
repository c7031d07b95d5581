#include "framework/LMenuItem.h"

#include "framework/LMenu.h"
#include "framework/LMenuIds.h"
#include "framework/LMessageNames.h"

#include <string>

LMenuItem::LMenuItem(LMenu* menu)
    : LHandler(menu), m_id(LMenuIds::Allocate())
{
}

LMenuItem::~LMenuItem()
{
    RemoveShortcut();
    LMenuIds::Free(m_id);
    delete m_submenu;
}

bool LMenuItem::AnswersTo(const char* command) const
{
    for (const LString& name : m_commands)
        if (LSameName(name.Text(), command))
            return true;
    return false;
}

void LMenuItem::AddCommand(const char* command)
{
    if (!AnswersTo(command))
        m_commands.push_back(LString(command));
}

void LMenuItem::RemoveShortcut()
{
    if (!m_key)
        return;
    Send(LMessage(LMenuItem_DeleteStroke, this, Next()));
    m_key = 0;
    m_modifiers = 0;
    m_shortcutText = LString();
}

void LMenuItem::SetShortcut(const char* field)
{
    RemoveShortcut();
    std::string text;
    unsigned modifiers = 0;
    const char* p = field ? field : "";
    for (; *p >= 'a' && *p <= 'z'; ++p) {
        if (*p == 'a') {
            modifiers |= 0x10;
            text += "Alt+";
        } else if (*p == 'c') {
            modifiers |= 0x08;
            text += "Ctrl+";
        } else if (*p == 's') {
            modifiers |= 0x04;
            text += "Shift+";
        }
    }
    if (!*p)
        return;
    m_key = *p;
    m_modifiers = modifiers;
    text += *p;
    m_shortcutText = LString(text.c_str());
    Send(LMessage(LMenuItem_NewStroke, this, Next()));
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
    std::string text = m_label.Text();
    text += '\t';
    text += m_shortcutText.Text();
    return LString(text.c_str());
}
