#include "app/PackageScan.h"

#include "install/CInstDesc.h"
#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"

namespace {

void AddSaturated(uint64_t& total, uint64_t amount)
{
    total += amount;
    if (total > 0xFFFFFFFFu)
        total = 0xFFFFFFFFu;
}

// The header and the name of an entry, read and dropped: the walk needs no names, and makes
// no text, so that it can run on a thread of its own (no shared text's count is touched).
bool SkipEntryName(CPackageReader& reader)
{
    if (!reader.ReadRecordHeader())
        return false;
    char c = 0;
    while (reader.ReadBytes(&c, 1) == 1 && c != 0) {
    }
    return true;
}

} // namespace

void LoadDescription(CPackageReader& reader, CInstDesc& description, bool& loaded, unsigned userLanguage)
{
    reader.Rewind();
    while (reader.NextTag() == CPackageReader::kTagDescription) {
        CMemoryStream data;
        reader.ReadRecordHeader();
        reader.ReadDataInto(data);
        if (loaded)
            continue;
        const char* text = reinterpret_cast<const char*>(data.Data());
        description.Parse(text ? text : "", data.Size(), userLanguage);
        loaded = true;
    }
}

PackageRequirement PreScan(CPackageReader& reader, uint32_t ownFileSize)
{
    PackageRequirement requirement;
    uint64_t total = 0;
    for (int tag = reader.LastTag();; tag = reader.NextTag()) {
        if (tag == CPackageReader::kTagFolder) {
            if (!SkipEntryName(reader))
                return requirement;
        } else if (tag == CPackageReader::kTagFile) {
            uint8_t times[CPackageReader::kTimeBytes];
            if (!SkipEntryName(reader) || !reader.ReadTimes(times))
                return requirement;
            ++requirement.entryCount;
            // Sizes alone: the installation checks every record as it writes it.
            AddSaturated(total, reader.MeasureDataUnchecked());
        } else {
            break;
        }
    }
    // Room for the uninstaller copy, which is the program file itself.
    ++requirement.entryCount;
    AddSaturated(total, ownFileSize);
    requirement.totalBytes = static_cast<uint32_t>(total);
    return requirement;
}
