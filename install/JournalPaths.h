#pragma once

#include "framework/LString.h"

#include <cstdint>

struct CJournalRecord;

// Where the files of a journal record lie, what they looked like when the record's change was
// made, and whether a record read back from a journal file stays inside its installation.

// The native path of the record's file or folder; false when it cannot be found (a folder on
// the way is gone). `knownFolder` as for FileUrlToPath: a walk over many records of one folder
// asks about the folder once.
bool NativePathOf(const CJournalRecord& record, LString& path, LString* knownFolder = nullptr);
// A backup or temporary name in the folder of `path`.
LString BackupPath(const LString& path, const LString& name);
// The path whose identity the record's "done" mark keeps: a replaced file's backup, a new
// file itself; empty for a folder or when it cannot be found.
LString IdentifiedPath(const CJournalRecord& record, LString* knownFolder = nullptr);

// Size and last-write time of a file; false when it is not a plain file that can be read.
struct CFileIdentity {
    uint64_t size = 0;
    uint64_t lastWrite = 0;
};
bool ReadFileIdentity(const char* path, CFileIdentity& identity);
// The same for a file open through `handle`, which spares the system a walk of its path.
bool ReadOpenFileIdentity(void* handle, CFileIdentity& identity);
// 32 hexadecimal digits, and back; false for any other text.
LString FormatIdentity(const CFileIdentity& identity);
bool ParseIdentity(const LString& text, CFileIdentity& identity);

// "tmp123456", "ins-42", "tmp1234562": the prefix, then the tick count the installer appends
// (a 32-bit number, with a sign), then a number it adds while a name is taken.
bool IsInstallerName(const LString& name, const char* prefix);
// The destination of a product: a full path whose last component is the product's folder name
// and which is not a junction or a symbolic link.
bool IsProductFolder(const LString& destination, const LString& product);
// `path` lies below `destination` (never the destination itself), and neither the destination
// nor any existing folder or file on the way down to it is a reparse point.
bool IsConfinedPath(const LString& path, const LString& destination);
