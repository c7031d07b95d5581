#include "framework/LAccelTable.h"

#include <new>

LAccelTable::~LAccelTable()
{
    DropNative();
    while (ACCEL* record = m_records.Pop())
        delete record;
}

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
    for (int i = 0; i < m_records.Count(); ++i) {
        const ACCEL* entry = m_records.At(i);
        if (entry->fVirt == record.fVirt && entry->key == record.key && entry->cmd == record.cmd)
            return i;
    }
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
    ACCEL* entry = new (std::nothrow) ACCEL(record);
    if (!entry || !m_records.Append(entry)) {
        delete entry;
        return;
    }
    DropNative();
}

void LAccelTable::Remove(BYTE modifiers, char key, WORD command)
{
    const int index = Find(Record(modifiers, key, command));
    if (index < 0)
        return;
    delete m_records.At(index);
    m_records.RemoveAt(index);
    DropNative();
}

HACCEL LAccelTable::Native()
{
    if (m_native || m_records.IsEmpty())
        return m_native;
    const int count = m_records.Count();
    ACCEL* records = new (std::nothrow) ACCEL[static_cast<size_t>(count)];
    if (!records)
        return nullptr;
    for (int i = 0; i < count; ++i)
        records[i] = *m_records.At(i);
    m_native = CreateAcceleratorTableA(records, count);
    delete[] records;
    return m_native;
}
