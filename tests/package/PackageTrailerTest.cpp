#include "package/CMemoryStream.h"
#include "package/PackageTrailer.h"
#include "TestEncoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::BigEndian;

void Find(const std::string& file, uint32_t& start, uint32_t& end)
{
    CMemoryStream s;
    s.Write(file.data(), static_cast<int32_t>(file.size()));
    start = end = 12345;
    FindPackage(s, start, end);
}

TEST(PackageTrailer, FindsPackageAtTheEnd)
{
    uint32_t start, end;
    Find(testsupport::ProgramFile("MZimage", {1, 2, 3}), start, end);
    EXPECT_EQ(start, 7u);
    EXPECT_EQ(end, 10u);
}

TEST(PackageTrailer, BytesAfterTheTrailerAreTolerated)
{
    uint32_t start, end;
    Find(testsupport::ProgramFile("MZimage", {1, 2, 3}) + "signature block", start, end);
    EXPECT_EQ(start, 7u);
    EXPECT_EQ(end, 10u);
}

TEST(PackageTrailer, MagicWhoseLengthDoesNotFitIsPassedOver)
{
    uint32_t start, end;
    std::string file = testsupport::ProgramFile("MZ", {9, 9}) + "QXPK" + BigEndian(1000);
    Find(file, start, end);
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 4u);
}

TEST(PackageTrailer, NoPackageGivesZeroOffsets)
{
    for (std::string file : {std::string(), std::string("QXPK"), std::string("QXPK\0\0\0", 7),
                             std::string(600, 'z'), std::string("QXPK") + BigEndian(1)}) {
        uint32_t start, end;
        Find(file, start, end);
        EXPECT_EQ(start, 0u) << file.size();
        EXPECT_EQ(end, 0u) << file.size();
    }
}

TEST(PackageTrailer, EmptyPackageRightAfterTheImage)
{
    uint32_t start, end;
    Find(std::string("QXPK") + BigEndian(0), start, end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    Find(std::string("MZ") + "QXPK" + BigEndian(0), start, end);
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);
}

} // namespace
