#include "install/CInstDesc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const unsigned kJapanese = 1041;
const unsigned kEnglishUS = 1033;
const unsigned kEnglishUK = 2057;
const unsigned kFrench = 1036;

struct Parsed {
    CInstDesc desc;
    Parsed(const std::string& text, unsigned language) { desc.Parse(text.data(), text.size(), language); }
    std::string Text(DescText field) const { return desc.Text(field).Text(); }
    std::string Lines(DescList list) const
    {
        std::string all;
        for (int i = 0; i < desc.List(list).Count(); ++i)
            all += std::string(desc.List(list).At(i).Text()) + "|";
        return all;
    }
};

} // namespace

TEST(CInstDesc, SampleDescriptionWithCarriageReturns)
{
    std::string text = "<InsWin>\rSample Tool Installer\r\r<Folder>\r\"Sample Tool\"\r\r"
                       "<InsText>\rThis application installs Sample Tool on your computer.\r\r"
                       "<InsText>1041\r\x82\xb1\x82\xcc\r";
    Parsed english(text, kEnglishUS);
    EXPECT_EQ(english.Text(kDescInsWin), "Sample Tool Installer");
    EXPECT_EQ(english.Text(kDescFolder), "\"Sample Tool\"");
    EXPECT_EQ(english.Text(kDescInsText), "This application installs Sample Tool on your computer.");
    Parsed japanese(text, kJapanese);
    EXPECT_EQ(japanese.Text(kDescInsText), "\x82\xb1\x82\xcc");
    EXPECT_EQ(japanese.Text(kDescInsWin), "Sample Tool Installer");
}

TEST(CInstDesc, LanguageChoiceIndependentOfOrder)
{
    for (bool japaneseFirst : {false, true}) {
        std::string ja = "<InsTitle>1041\nJA\n";
        std::string en = "<InsTitle>\nEN\n";
        std::string text = japaneseFirst ? ja + en : en + ja;
        EXPECT_EQ(Parsed(text, kJapanese).Text(kDescInsTitle), "JA") << japaneseFirst;
        EXPECT_EQ(Parsed(text, kEnglishUK).Text(kDescInsTitle), "EN") << japaneseFirst;
        EXPECT_EQ(Parsed(text, kFrench).Text(kDescInsTitle), "EN") << japaneseFirst;
    }
    // The user's own English comes before the American.
    EXPECT_EQ(Parsed("<InsTitle>\nUS\n<InsTitle>2057\nUK\n", kEnglishUK).Text(kDescInsTitle), "UK");
    // A section for neither the user's language nor English is never used.
    EXPECT_EQ(Parsed("<InsTitle>1041\nJA\n", kFrench).Text(kDescInsTitle), "");
}

TEST(CInstDesc, LanguageNumberSyntax)
{
    // Blanks before the number are allowed; trailing text is ignored; no digits mean 1033.
    EXPECT_EQ(Parsed("<InsWin>  1041 x\nJA\n", kJapanese).Text(kDescInsWin), "JA");
    EXPECT_EQ(Parsed("<InsWin>abc\nEN\n", kFrench).Text(kDescInsWin), "EN");
    EXPECT_EQ(Parsed("<InsWin>-1041\nX\n", kJapanese).Text(kDescInsWin), "");
    EXPECT_EQ(Parsed("<InsWin>99999999999999999999\nX\n", kFrench).Text(kDescInsWin), "");
}

TEST(CInstDesc, TiesKeepTheFirstAndEmptyValuesChangeNothing)
{
    EXPECT_EQ(Parsed("<InsText>\nfirst\n<InsText>\nsecond\n", kEnglishUS).Text(kDescInsText), "first");
    // An empty better section does not take the field: the English text stays.
    EXPECT_EQ(Parsed("<InsText>\nEN\n<InsText>1041\n\n", kJapanese).Text(kDescInsText), "EN");
    // ... and does not raise the best score either, so a later Japanese text still wins.
    EXPECT_EQ(Parsed("<InsText>1041\n<InsText>\nEN\n<InsText>1041\nJA\n", kJapanese).Text(kDescInsText), "JA");
}

TEST(CInstDesc, SeveralLinesJoinedWithCrLf)
{
    Parsed parsed("<InsText>\r\nline 1\r\nline 2\nline 3\r\r\n\r\n<UniWin>\nU\n", kEnglishUS);
    EXPECT_EQ(parsed.Text(kDescInsText), "line 1\r\nline 2\r\nline 3");
    EXPECT_EQ(parsed.Text(kDescUniWin), "U");
    // Empty lines after the tag line stay as leading breaks.
    EXPECT_EQ(Parsed("<InsDone>\n\n\ntext\n", kEnglishUS).Text(kDescInsDone), "\r\n\r\ntext");
    // A one-line value keeps only its first line.
    EXPECT_EQ(Parsed("<InsWin>\nfirst\nsecond\n", kEnglishUS).Text(kDescInsWin), "first");
    // A '<' inside a line is text.
    EXPECT_EQ(Parsed("<InsText>\na <b> c\n<d\n", kEnglishUS).Text(kDescInsText), "a <b> c");
    // A value at the very end of the text without a line end.
    EXPECT_EQ(Parsed("<RegText>\nlast", kEnglishUS).Text(kDescRegText), "last");
}

TEST(CInstDesc, ListsWithoutLanguageCollectEverySection)
{
    Parsed parsed("<WLinks>\na\nb\n\nignored\n<WLinks>1041\nc\n<WRegs>\nr1\n", kEnglishUS);
    EXPECT_EQ(parsed.Lines(kDescWLinks), "a|b|c|");
    EXPECT_EQ(parsed.Lines(kDescWRegs), "r1|");
}

TEST(CInstDesc, ListsWithLanguageKeepTheBestSection)
{
    std::string text = "<WLLinks>\nen1\nen2\n<WLLinks>1041\nja1\n<WLRegs>1041\nja\n<WLRegs>\nen\n";
    Parsed japanese(text, kJapanese);
    EXPECT_EQ(japanese.Lines(kDescWLLinks), "ja1|");
    EXPECT_EQ(japanese.Lines(kDescWLRegs), "ja|");
    Parsed english(text, kEnglishUS);
    EXPECT_EQ(english.Lines(kDescWLLinks), "en1|en2|");
    EXPECT_EQ(english.Lines(kDescWLRegs), "en|");
    // A better section without lines still replaces the list.
    EXPECT_EQ(Parsed("<WLLinks>\nen\n<WLLinks>1041\n\n", kJapanese).Lines(kDescWLLinks), "");
}

TEST(CInstDesc, KeysAreExactAndEmptyTagEndsTheParse)
{
    Parsed lower("<insText>\nlower\n<InsText >\nspace\n", kEnglishUS);
    EXPECT_EQ(lower.Text(kDescInsText), "");
    Parsed stopped("<InsWin>\nA\n<>\n<UniWin>\nB\n", kEnglishUS);
    EXPECT_EQ(stopped.Text(kDescInsWin), "A");
    EXPECT_EQ(stopped.Text(kDescUniWin), "");
    // A tag cut by a line end reads no value; the next section is still found.
    Parsed cut("<InsWin\nvalue\n<UniWin>\nB\n", kEnglishUS);
    EXPECT_EQ(cut.Text(kDescInsWin), "");
    EXPECT_EQ(cut.Text(kDescUniWin), "B");
    // Text before the first tag is ignored, and a '<' anywhere there starts a tag.
    Parsed preamble("junk x<InsWin>\nT\n", kEnglishUS);
    EXPECT_EQ(preamble.Text(kDescInsWin), "T");
}

TEST(CInstDesc, ParsingAgainReplacesTheSettings)
{
    CInstDesc desc;
    std::string text = "<WRegs>\nline\n<InsWin>\nT\n";
    desc.Parse(text.data(), text.size(), kEnglishUS);
    desc.Parse(text.data(), text.size(), kEnglishUS);
    EXPECT_EQ(desc.List(kDescWRegs).Count(), 1);
    desc.Parse(nullptr, 0, kEnglishUS);
    EXPECT_TRUE(desc.Text(kDescInsWin).IsEmpty());
    EXPECT_TRUE(desc.List(kDescWRegs).IsEmpty());
}

TEST(CInstDesc, NulByteEndsTheText)
{
    std::string text("<InsWin>\na", 10);
    text += '\0';
    text += "b\n<UniWin>\nU\n<WRegs>\n";
    text += '\0';
    text += "x\n";
    Parsed parsed(text, kEnglishUS);
    EXPECT_EQ(parsed.Text(kDescInsWin), "a");
    EXPECT_EQ(parsed.Text(kDescUniWin), "");
    EXPECT_TRUE(parsed.desc.List(kDescWRegs).IsEmpty());
}
