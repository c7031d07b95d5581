#pragma once

#include "framework/LString.h"
#include "install/CInstallMarks.h"

#include <cstdint>

class CEntrySource;
class CInstDesc;
class CVariables;

// Free bytes on the drive of a path; false when the drive cannot be queried.
using FreeSpaceQuery = bool (*)(const char* path, uint64_t& bytes);
// The system's answer (CDiskSpace).
bool QueryFreeSpace(const char* path, uint64_t& bytes);

// The state of the installer run that the install and uninstall procedures work on.
struct CProcedureRun {
    CEntrySource* entries = nullptr;     // standing on the first entry's tag
    uint32_t packageStart = 0;           // offsets of the package in the program file
    uint32_t packageEnd = 0;
    const CInstDesc* description = nullptr;
    CVariables* variables = nullptr;     // "DEST" and "START" for the integration steps
    LString parentFolder;                // install: the folder chosen in the target folder frame
    LString destination;                 // the product folder: found by the installation, given to the uninstallation
    uint32_t requiredBytes = 0;          // the pre-scan total: the files and the uninstaller copy
    LString ownPath;                     // the running program file, package included
    LString tempFolder;                  // where the self-removal batch goes
    const char* marksKey = kInstallMarksKey; // installations in progress, under HKEY_LOCAL_MACHINE
    FreeSpaceQuery freeSpace = &QueryFreeSpace;

    uint32_t PackageLength() const { return packageEnd > packageStart ? packageEnd - packageStart : 0; }
};
