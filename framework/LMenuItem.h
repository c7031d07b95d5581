#pragma once

#include "framework/LHandler.h"
#include "framework/LList.h"
#include "framework/LPtrArray.h"
#include "framework/LString.h"

#include <cstdint>

class LMenu;

// One entry of a menu: its command names, label, shortcut, optional submenu (owned) and native
// id. An item with an empty label is a separator. Enabled, checked and the label are reset
// before every "LMenuBar_Ready".
class LMenuItem : public LHandler, public LListNode {
public:
    explicit LMenuItem(LMenu* menu);
    ~LMenuItem() override;

    bool AnswersTo(const char* command) const;
    void AddCommand(const char* command);
    // Parses a shortcut field ("cZ", "asF4" ...): lower-case letters are modifiers.
    void SetShortcut(const char* field);
    void RemoveShortcut();
    void SetLabel(const LString& label) { m_label = label; }
    void SetDefaultLabel(const LString& label) { m_defaultLabel = label; m_label = label; }
    void Reset();
    // Label, a tab and the shortcut text; or the label alone.
    LString DisplayLabel() const;

    bool IsSeparator() const { return m_label.IsEmpty(); }
    int enabled = 0;
    int checked = 0;
    char Key() const { return m_key; }
    unsigned Modifiers() const { return m_modifiers; }
    uint16_t Id() const { return m_id; }
    const LString& Label() const { return m_label; }
    const LString& ShortcutText() const { return m_shortcutText; }
    LMenu* Submenu() const { return m_submenu; }
    void SetSubmenu(LMenu* submenu) { m_submenu = submenu; }

private:
    char m_key = 0;
    LString m_label;
    LString m_defaultLabel;
    LMenu* m_submenu = nullptr;
    unsigned m_modifiers = 0;
    uint16_t m_id;
    LString m_shortcutText;
    LPtrArray<LString> m_commands; // owned
};
