#include "integration/CVariables.h"

#include <cstring>
#include <new>

CVariables::~CVariables()
{
    while (Pair* pair = m_pairs.Pop())
        delete pair;
}

CVariables::Pair* CVariables::Find(const char* name, size_t nameLength) const
{
    for (int i = 0; i < m_pairs.Count(); ++i) {
        Pair* pair = m_pairs.At(i);
        if (pair->name.Length() == nameLength && std::memcmp(pair->name.Text(), name, nameLength) == 0)
            return pair;
    }
    return nullptr;
}

bool CVariables::Set(const LString& name, const LString& value)
{
    if (Pair* known = Find(name.Text(), name.Length())) {
        known->value = value;
        return true;
    }
    Pair* pair = new (std::nothrow) Pair{name, value};
    if (!pair)
        return false;
    if (!m_pairs.Append(pair)) {
        delete pair;
        return false;
    }
    return true;
}

const LString& CVariables::Get(const char* name, size_t nameLength) const
{
    static const LString kUnset;
    const Pair* pair = Find(name, nameLength);
    return pair ? pair->value : kUnset;
}

const LString& CVariables::Get(const char* name) const
{
    return Get(name, std::strlen(name));
}

bool CVariables::IsSet(const char* name) const
{
    return Find(name, std::strlen(name)) != nullptr;
}
