#include "tools/mkinstaller/InspectCommands.h"

#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CExtractTarget.h"
#include "tools/mkinstaller/CPackageWalk.h"
#include "tools/mkinstaller/CProgressBar.h"
#include "tools/mkinstaller/ToolError.h"

#include <cinttypes>
#include <cstdio>
#include <ctime>

namespace {

std::string TimeText(uint32_t packageTime)
{
    const int64_t seconds = CPackageWalk::UnixTime(packageTime);
    // Days and seconds of the day, then the civil date (proleptic Gregorian), without relying
    // on the C library's range of time_t.
    int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const int64_t rest = seconds - days * 86400;
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", int(year), int(month), int(day),
                  int(rest / 3600), int(rest / 60 % 60), int(rest % 60));
    return text;
}

// The description's lines end in carriage returns; a terminal wants line feeds.
void PrintDescription(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            std::fputc('\n', stdout);
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            std::fputc(c, stdout);
        }
    }
    if (!text.empty() && text.back() != '\r' && text.back() != '\n')
        std::fputc('\n', stdout);
}

class CListing : public CPackageVisitor {
public:
    explicit CListing(unsigned codePage) : m_codePage(codePage) {}
    bool Description(const std::string& text) override
    {
        std::printf("description (%zu bytes):\n", text.size());
        PrintDescription(CDescText::FromPackage(text, m_codePage));
        std::printf("\n%-6s %12s  %-19s  %-19s  %s\n", "kind", "size", "created (UTC)", "written (UTC)", "name");
        return true;
    }
    bool Folder(const WalkedEntry& entry) override
    {
        std::printf("%-6s %12s  %-19s  %-19s  %s\n", "folder", "", "", "", entry.path.empty() ? "." : entry.path.c_str());
        return true;
    }
    bool EndFile(const WalkedEntry& entry) override
    {
        std::printf("%-6s %12" PRIu64 "  %-19s  %-19s  %s\n", "file", entry.size, TimeText(entry.created).c_str(),
                    TimeText(entry.written).c_str(), entry.path.c_str());
        ++m_files;
        return true;
    }
    unsigned m_codePage;
    int m_files = 0;
};

class CCounting : public CPackageVisitor {
public:
    bool Folder(const WalkedEntry&) override { return ++m_folders, true; }
    bool EndFile(const WalkedEntry&) override { return ++m_files, true; }
    int m_folders = 0;
    int m_files = 0;
};

} // namespace

int ListPackage(const std::string& file, unsigned codePage)
{
    CListing listing(codePage);
    CPackageWalk walk;
    const bool walked = walk.Walk(file, listing, codePage);
    std::fflush(stdout);
    if (!walked)
        return ToolError(walk.Error());
    std::printf("\n%d files, %" PRIu64 " bytes, in a package of %u bytes; names in code page %u\n", listing.m_files,
                walk.DataBytes(), walk.PackageEnd() - walk.PackageStart(), walk.CodePage());
    return 0;
}

int VerifyPackage(const std::string& file, unsigned codePage)
{
    CCounting counting;
    CPackageWalk walk;
    if (!walk.Walk(file, counting, codePage))
        return ToolError(walk.Error());
    std::printf("%s: good: %d folders, %d files, %" PRIu64 " bytes", file.c_str(), counting.m_folders,
                counting.m_files, walk.DataBytes());
    if (walk.UncheckedRecords() > 0)
        std::printf(" (%d of %d records carry no check sum)", walk.UncheckedRecords(), walk.Records());
    std::printf("\n");
    return 0;
}

int ExtractPackage(const std::string& file, const std::string& folder, unsigned codePage)
{
    // A first pass proves the whole package sound, so that a damaged one writes nothing.
    CPackageVisitor nothing;
    CPackageWalk walk;
    if (!walk.Walk(file, nothing, codePage))
        return ToolError(walk.Error());

    CProgressBar progress(stderr, walk.DataBytes());
    CExtractTarget target(folder, &progress);
    if (!target.Prepare()) {
        target.Undo();
        return ToolError(target.Error());
    }
    if (!walk.Walk(file, target, codePage)) {
        target.Undo();
        return ToolError(walk.Error());
    }
    return 0;
}
