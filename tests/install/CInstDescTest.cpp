#include "install/CInstDesc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned kJapanese = 1041;
const unsigned kEnglishUS = 1033;
const unsigned kEnglishUK = 2057;
const unsigned kFrench = 1036;

std::string Lines(const CInstDesc& desc, DescList list)
{
    std::string all;
    for (int i = 0; i < desc.List(list).Count(); ++i)
        all += std::string(desc.List(list).At(i).Text()) + "|";
    return all;
}

const char kSample[] = "<InsWin>\rSample Tool Installer\r\r<Folder>\r\"Sample Tool\"\r\r"
                       "<InsText>\rThis installs Sample Tool.\r\r<InsText>1041\r\x82\xb1\x82\xcc\r";
const char kJaThenEn[] = "<InsTitle>1041\nJA\n<InsTitle>\nEN\n";
const char kEnThenJa[] = "<InsTitle>\nEN\n<InsTitle>1041\nJA\n";
const char kLines[] = "<InsText>\r\nline 1\r\nline 2\nline 3\r\r\n\r\n<UniWin>\nU\n";

} // namespace

TEST(CInstDesc, TextsTakeTheBestLanguageAndTheirLines)
{
    const struct {
        const char* text;
        unsigned language;
        DescText field;
        const char* expected;
    } cases[] = {
        {kSample, kEnglishUS, kDescInsWin, "Sample Tool Installer"},
        {kSample, kEnglishUS, kDescInsText, "This installs Sample Tool."},
        {kSample, kJapanese, kDescInsText, "\x82\xb1\x82\xcc"},
        {kSample, kJapanese, kDescInsWin, "Sample Tool Installer"},
        // The order of the sections does not matter; the user's own English before the American.
        {kJaThenEn, kJapanese, kDescInsTitle, "JA"},
        {kEnThenJa, kJapanese, kDescInsTitle, "JA"},
        {kJaThenEn, kEnglishUK, kDescInsTitle, "EN"},
        {kEnThenJa, kFrench, kDescInsTitle, "EN"},
        {"<InsTitle>\nUS\n<InsTitle>2057\nUK\n", kEnglishUK, kDescInsTitle, "UK"},
        {"<InsTitle>1041\nJA\n", kFrench, kDescInsTitle, ""},
        // Blanks before the number are allowed, trailing text ignored; no digits mean 1033.
        {"<InsWin>  1041 x\nJA\n", kJapanese, kDescInsWin, "JA"},
        {"<InsWin>abc\nEN\n", kFrench, kDescInsWin, "EN"},
        {"<InsWin>-1041\nX\n", kJapanese, kDescInsWin, ""},
        {"<InsWin>99999999999999999999\nX\n", kFrench, kDescInsWin, ""},
        // Ties keep the first; an empty better section neither takes the field nor raises the score.
        {"<InsText>\nfirst\n<InsText>\nsecond\n", kEnglishUS, kDescInsText, "first"},
        {"<InsText>\nEN\n<InsText>1041\n\n", kJapanese, kDescInsText, "EN"},
        {"<InsText>1041\n<InsText>\nEN\n<InsText>1041\nJA\n", kJapanese, kDescInsText, "JA"},
        // Lines joined with CR LF; leading empty lines kept; a one-line value keeps its first.
        {kLines, kEnglishUS, kDescInsText, "line 1\r\nline 2\r\nline 3"},
        {kLines, kEnglishUS, kDescUniWin, "U"},
        {"<InsDone>\n\n\ntext\n", kEnglishUS, kDescInsDone, "\r\n\r\ntext"},
        {"<InsWin>\nfirst\nsecond\n", kEnglishUS, kDescInsWin, "first"},
        {"<InsText>\na <b> c\n<d\n", kEnglishUS, kDescInsText, "a <b> c"},
        {"<RegText>\nlast", kEnglishUS, kDescRegText, "last"},
        // Keys are exact; an empty tag ends the parse; a tag cut by a line end reads no value.
        {"<insText>\nlower\n<InsText >\nspace\n", kEnglishUS, kDescInsText, ""},
        {"<InsWin>\nA\n<>\n<UniWin>\nB\n", kEnglishUS, kDescUniWin, ""},
        {"<InsWin\nvalue\n<UniWin>\nB\n", kEnglishUS, kDescInsWin, ""},
        {"<InsWin\nvalue\n<UniWin>\nB\n", kEnglishUS, kDescUniWin, "B"},
        {"junk x<InsWin>\nT\n", kEnglishUS, kDescInsWin, "T"},
    };
    for (const auto& c : cases) {
        CInstDesc desc;
        desc.Parse(c.text, std::char_traits<char>::length(c.text), c.language);
        EXPECT_EQ(std::string(desc.Text(c.field).Text()), c.expected) << c.text << " for " << c.language;
    }
}

TEST(CInstDesc, ListsWithoutLanguageCollectEverySectionTheOthersKeepTheBest)
{
    const char* const links = "<WLinks>\na\nb\n\nignored\n<WLinks>1041\nc\n<WRegs>\nr1\n";
    const char* const localized = "<WLLinks>\nen1\nen2\n<WLLinks>1041\nja1\n<WLRegs>1041\nja\n<WLRegs>\nen\n";
    const struct {
        const char* text;
        unsigned language;
        DescList list;
        const char* expected;
    } cases[] = {
        {links, kEnglishUS, kDescWLinks, "a|b|c|"},
        {links, kEnglishUS, kDescWRegs, "r1|"},
        {localized, kJapanese, kDescWLLinks, "ja1|"},
        {localized, kJapanese, kDescWLRegs, "ja|"},
        {localized, kEnglishUS, kDescWLLinks, "en1|en2|"},
        {localized, kEnglishUS, kDescWLRegs, "en|"},
        // A better section without lines still replaces the list.
        {"<WLLinks>\nen\n<WLLinks>1041\n\n", kJapanese, kDescWLLinks, ""},
    };
    for (const auto& c : cases) {
        CInstDesc desc;
        desc.Parse(c.text, std::char_traits<char>::length(c.text), c.language);
        EXPECT_EQ(Lines(desc, c.list), c.expected) << c.text << " for " << c.language;
    }
}

TEST(CInstDesc, ParsingAgainReplacesTheSettingsAndANulByteEndsTheText)
{
    CInstDesc desc;
    const char text[] = "<WRegs>\nline\n<InsWin>\na\0b\n<UniWin>\nU\n<WRegs>\n\0x\n";
    desc.Parse(text, sizeof text - 1, kEnglishUS);
    desc.Parse(text, sizeof text - 1, kEnglishUS);
    EXPECT_EQ(Lines(desc, kDescWRegs), "line|");
    EXPECT_EQ(std::string(desc.Text(kDescInsWin).Text()), "a");
    EXPECT_TRUE(desc.Text(kDescUniWin).IsEmpty());
    desc.Parse(nullptr, 0, kEnglishUS);
    EXPECT_TRUE(desc.Text(kDescInsWin).IsEmpty());
    EXPECT_TRUE(desc.List(kDescWRegs).IsEmpty());
}
