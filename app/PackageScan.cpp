#include "app/PackageScan.h"

#include "install/CInstDesc.h"
#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "platform/CUrl.h"

namespace {

void AddSaturated(uint64_t& total, uint64_t amount)
{
    total += amount;
    if (total > 0xFFFFFFFFu)
        total = 0xFFFFFFFFu;
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
    const CUrl base;
    for (int tag = reader.LastTag();; tag = reader.NextTag()) {
        CUrl url;
        if (tag == CPackageReader::kTagFolder) {
            if (!reader.ReadEntry(base, url))
                return requirement;
        } else if (tag == CPackageReader::kTagFile) {
            uint8_t times[CPackageReader::kTimeBytes];
            if (!reader.ReadEntry(base, url) || !reader.ReadTimes(times))
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
