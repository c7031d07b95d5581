#pragma once

#include "framework/LPtrArray.h"

#include <windows.h>

// The accelerator records of a menu bar and the native table built from them on first use
// after a change.
class LAccelTable {
public:
    LAccelTable() = default;
    LAccelTable(const LAccelTable&) = delete;
    LAccelTable& operator=(const LAccelTable&) = delete;
    ~LAccelTable();

    // Modifiers are the FALT/FCONTROL/FSHIFT bits; the key is the shortcut character.
    void Add(BYTE modifiers, char key, WORD command);
    void Remove(BYTE modifiers, char key, WORD command);
    HACCEL Native();
    int Count() const { return m_records.Count(); }
    const ACCEL& At(int index) const { return *m_records.At(index); }

    static ACCEL Record(BYTE modifiers, char key, WORD command);

private:
    int Find(const ACCEL& record) const;
    void DropNative();

    LPtrArray<ACCEL> m_records; // owned
    HACCEL m_native = nullptr;
};
