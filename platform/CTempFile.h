#pragma once

#include "framework/LString.h"
#include "platform/FileStatus.h"

// A new empty file in a folder, named after a base name with the current tick count inserted
// before its extension ("ins" becomes "ins123456", "unins.bat" "unins123456.bat"; a taken name
// gets 2, 3 ... after the tick value). The object deletes the file when it ends unless Keep()
// was called.
class CTempFile {
public:
    CTempFile(const char* folder, const char* baseName);
    // No file until Create.
    CTempFile() = default;
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    ~CTempFile();

    // Makes exactly this file, new and empty, when the object has none yet; Conflict when the
    // name is in use.
    FileStatus Create(const char* path);

    bool Created() const { return !m_path.IsEmpty(); }
    const LString& Path() const { return m_path; }
    // The file stays when the object ends.
    void Keep() { m_owned = false; }

private:
    LString m_path;
    bool m_owned = false;
};
