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
    // True when the line is applied at all, at installation and at removal alike: a known root,
    // and every placeholder of the line gave a value ("%X%\Sample" with X unset names
    // "\Sample", which is not the key the description meant).
    bool IsUsable() const { return m_root != RegistryRoot::Unknown && m_complete; }

private:
    RegistryRoot m_root = RegistryRoot::Unknown;
    LString m_key;
    LString m_name;
    LString m_data;
    bool m_complete = false;
};
