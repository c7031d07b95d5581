// Arbitrary bytes as a program file: trailer search, then every record the reader finds,
// read the way the installer reads them. Must stop cleanly on any input.
#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "package/PackageTrailer.h"
#include "platform/CUrl.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    CMemoryStream file;
    file.Write(data, static_cast<int32_t>(size));
    uint32_t start = 0;
    uint32_t end = 0;
    FindPackage(file, start, end);
    if (start > end || end > size)
        __builtin_trap();
    CPackageReader reader(file, start, end);
    reader.Rewind();
    CUrl base = ParseUrl("file:///C:/Dest");
    for (int records = 0; reader.NextTag() != CPackageReader::kTagEnd && records < 1000; ++records) {
        CUrl url;
        uint8_t times[8];
        switch (reader.LastTag()) {
        case CPackageReader::kTagDescription: {
            CMemoryStream description;
            if (reader.ReadRecordHeader())
                reader.ReadDataInto(description);
            break;
        }
        case CPackageReader::kTagFolder:
            reader.ReadEntry(base, url);
            break;
        case CPackageReader::kTagFile:
            if (reader.ReadEntry(base, url) && reader.ReadTimes(times))
                reader.MeasureData();
            break;
        default:
            return 0;
        }
        (void)reader.RecordIntact();
        if (reader.SourcePosition() > end)
            __builtin_trap();
    }
    return 0;
}
