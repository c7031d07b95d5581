#pragma once

#include "framework/LString.h"

// Where an installation in progress is marked: a key under HKEY_LOCAL_MACHINE, which only
// administrators can change, holding a sub-key per product (its folder name) and in it one
// value per destination being installed. The mark is set before the installation's first
// change and removed by its commit or rollback; the next start of the installer trusts no
// other record of where an installation was cut off.
extern const char kInstallMarksKey[];

class CInstallMarks {
public:
    // `key` below HKEY_LOCAL_MACHINE (kInstallMarksKey; tests give their own).
    CInstallMarks(const char* key, const LString& product);

    bool Set(const LString& destination);
    void Remove(const LString& destination);
    // The destinations marked for the product, one a line ('\n' cannot stand in a path);
    // empty when there are none.
    LString List() const;

private:
    LString m_key;
};
