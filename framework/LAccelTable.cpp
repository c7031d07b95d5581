#include "framework/LAccelTable.h"

ACCEL LAccelTable::Record(BYTE modifiers, char key, WORD command)
{
    ACCEL record;
    record.fVirt = static_cast<BYTE>(modifiers | FVIRTKEY);
    // The shift state VkKeyScanA reports is not part of the shortcut.
    record.key = static_cast<WORD>(LOBYTE(VkKeyScanA(key)));
    record.cmd = command;
    return record;
}

int LAccelTable::Find(const ACCEL& record) const
{
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].fVirt == record.fVirt && m_records[i].key == record.key && m_records[i].cmd == record.cmd)
            return static_cast<int>(i);
    return -1;
}

void LAccelTable::DropNative()
{
    if (m_native)
        DestroyAcceleratorTable(m_native);
    m_native = nullptr;
}

void LAccelTable::Add(BYTE modifiers, char key, WORD command)
{
    const ACCEL record = Record(modifiers, key, command);
    if (Find(record) >= 0)
        return;
    m_records.push_back(record);
    DropNative();
}

void LAccelTable::Remove(BYTE modifiers, char key, WORD command)
{
    const int index = Find(Record(modifiers, key, command));
    if (index < 0)
        return;
    m_records.erase(m_records.begin() + index);
    DropNative();
}

HACCEL LAccelTable::Native()
{
    if (!m_native && !m_records.empty())
        m_native = CreateAcceleratorTableA(m_records.data(), static_cast<int>(m_records.size()));
    return m_native;
}
