#pragma once

#include <cstdint>

class CInstDesc;
class CPackageReader;

// Rewinds the reader and reads the description records in front of the entries. The first
// one is parsed into the description (once per run: `loaded` is set then and never cleared);
// a later one is read and ignored. Afterwards the reader stands on the first entry's tag,
// where the pre-scan and the file installation begin.
void LoadDescription(CPackageReader& reader, CInstDesc& description, bool& loaded, unsigned userLanguage);

// What the install page shows the user needs: the number of files and their unpacked bytes,
// plus the uninstaller copy (the program file itself). A damaged entry stops the walk: the
// files counted so far stay counted and the total is 0, since nothing sound can be said.
struct PackageRequirement {
    uint32_t entryCount = 0;
    uint32_t totalBytes = 0; // held at 0xFFFFFFFF rather than wrapping around
};
PackageRequirement PreScan(CPackageReader& reader, uint32_t ownFileSize);
