#pragma once

#include "framework/LString.h"
#include "package/CFileStream.h"
#include "platform/FileStatus.h"

// A new empty file in a folder, named after a base name with the current tick count inserted
// before its extension ("ins" becomes "ins123456", "unins.bat" "unins123456.bat"; a taken name
// gets 2, 3 ... after the tick value). The file stays open through the handle that created it,
// so that its contents (and times) need no second open; nobody else can open it meanwhile.
// The object deletes the file when it ends unless Keep() was called.
class CTempFile {
public:
    CTempFile(const char* folder, const char* baseName);
    // No file until Create.
    CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    ~CTempFile();

    // Makes exactly this file, new, empty and open, when the object has none yet; Conflict when
    // the name is in use, Failed when it names a device.
    FileStatus Create(const char* path);

    bool Created() const { return !m_path.IsEmpty(); }
    const LString& Path() const { return m_path; }
    // The file, open for reading and writing until Close.
    CFileStream& Contents() { return m_contents; }
    // Closes the file, as another program needs; whether it is deleted stays.
    void Close() { m_contents.Close(); }
    // Gives the file a new name in its folder and closes it: through its handle where the
    // system can rename an open file, otherwise by its path once it is closed. Conflict when
    // the name is taken; the file keeps its old name then.
    FileStatus RenameTo(const char* name);
    // The file stays when the object ends.
    void Keep() { m_owned = false; }

private:
    LString m_path; // before m_contents: the creation sets it
    CFileStream m_contents;
    bool m_owned;
};
