#pragma once

#include "framework/LString.h"

class CVariables;

// The hives a registry line may name.
enum class RegistryRoot { Unknown, LocalMachine, CurrentUser, ClassesRoot };

// One registry line of the description after placeholder expansion: root, key, value name
// and the value's text (the rest of the line, taken literally). A line whose name and data are
// both empty names the key alone.
class CRegistryLine {
public:
    CRegistryLine(const CVariables& variables, const LString& line);

    // "HKLM", "HKCU" and "HKCR", upper case only; anything else is Unknown.
    static RegistryRoot RootOf(const LString& name);

    RegistryRoot Root() const { return m_root; }
    const LString& Key() const { return m_key; }
    const LString& Name() const { return m_name; }
    const LString& Data() const { return m_data; }
    bool IsKeyLine() const { return m_name.IsEmpty() && m_data.IsEmpty(); }
    // True when the line is applied at all: a known root and a complete expansion.
    bool IsUsable() const { return m_root != RegistryRoot::Unknown && !m_expansionFailed; }

    // Whether removing this key line may delete the key tree it names. Never a whole hive
    // (an empty key, or one ending in a separator, names no sub-key of its parent), and never
    // a key directly below the hive when a placeholder of the line gave nothing: "%X%\Sample"
    // with X unset names "\Sample", which is not the key the description meant.
    bool MayDeleteKeyTree() const;
    // Whether removing this value line may delete its value. Not when a placeholder of the
    // line gave nothing and the key is left naming the hive itself ("%X%" with X unset): the
    // value there is not the one the description meant.
    bool MayDeleteValue() const;

private:
    RegistryRoot m_root = RegistryRoot::Unknown;
    LString m_key;
    LString m_name;
    LString m_data;
    bool m_emptyPlaceholder = false;
    bool m_expansionFailed = false;
};
