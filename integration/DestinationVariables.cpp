#include "integration/DestinationVariables.h"

#include "integration/CVariables.h"
#include "platform/CPlatformInfo.h"
#include "platform/CRegKey.h"

void SetDestinationVariables(CVariables& variables, const LString& destination)
{
    variables.Set("DEST", destination);
    CRegKey shellFolders(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         CRegKey::kOpenForReading);
    LString programs;
    if (shellFolders.ReadString("Programs", programs))
        variables.Set("START", programs);
}

LString RegisteredOwner()
{
    const char* versionKey = CPlatformInfo::Current().platformId == CPlatformInfo::kWindowsNTFamily
                                 ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                                 : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    CRegKey key(HKEY_LOCAL_MACHINE, versionKey, CRegKey::kOpenForReading);
    LString owner;
    key.ReadString("RegisteredOwner", owner);
    return owner;
}
