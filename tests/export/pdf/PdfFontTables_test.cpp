#include "export/pdf/GlyphNames.h"
#include "export/pdf/PdfDictionary.h"
#include "export/pdf/PdfFontTables.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace zelmio;

TEST(Dictionary, FirstMatchIgnoringCaseWins)
{
    TDictionary dictionary;
    dictionary.Add(QStringLiteral("Arial,Bold"), QStringLiteral("first"));
    dictionary.Add(QStringLiteral("Courier"), QStringLiteral("c"));
    dictionary.Add(QStringLiteral("ARIAL,BOLD"), QStringLiteral("second"));
    EXPECT_EQ(dictionary.Count(), 3);
    EXPECT_EQ(dictionary.Value(QStringLiteral("arial,bold")), "first");
    EXPECT_EQ(dictionary.Value(QStringLiteral("Times")), "");
    EXPECT_TRUE(dictionary.KeyExists(QStringLiteral("courier")));

    dictionary.RemoveKey(QStringLiteral("Arial,Bold"));
    EXPECT_EQ(dictionary.Count(), 2);
    EXPECT_EQ(dictionary.Value(QStringLiteral("Arial,Bold")), "second");
    EXPECT_EQ(dictionary.Key(0), "Courier");
    EXPECT_EQ(dictionary.Values(), QStringList({"c", "second"}));
    dictionary.RemoveKey(QStringLiteral("Times")); // no match: nothing happens
    dictionary.Clear();
    EXPECT_EQ(dictionary.Count(), 0);
}

TEST(GlyphNames, NamesTheLettersOfTheReports)
{
    const std::pair<char16_t, const char *> cases[] = {
        {u'A', "A"}, {u' ', "space"}, {0x00A0, "space"}, {0x00AD, "hyphen"}, {u'-', "hyphen"},
        {0x0101, "amacron"}, {0x010D, "ccaron"}, {0x0113, "emacron"}, {0x0123, "gcommaaccent"},
        {0x012B, "imacron"}, {0x0137, "kcommaaccent"}, {0x013C, "lcommaaccent"}, {0x0146, "ncommaaccent"},
        {0x0161, "scaron"}, {0x016B, "umacron"}, {0x017E, "zcaron"}, {0x20AC, "Euro"},
        {0x0410, "afii10017"}, {0x044F, "afii10097"}, {0x2116, "afii61352"}, {0x00E9, "eacute"},
    };
    for (const auto &[unicode, name] : cases)
        EXPECT_EQ(GlyphName(unicode), name) << int(unicode);
    EXPECT_TRUE(GlyphName(0x4E00).isEmpty());
}

TEST(GlyphNames, TableIsSortedByNameAndCoversTheCodePagesInUse)
{
    for (int i = 1; i < kGlyphNameCount; ++i)
        EXPECT_LE(qstrcmp(kGlyphNames[i - 1].Name, kGlyphNames[i].Name), 0) << kGlyphNames[i].Name;
    for (int number : {1250, 1251, 1252, 1257}) {
        const TCodePage *codePage = TCodePage::find(number);
        ASSERT_NE(codePage, nullptr) << number;
        for (int byte = 0x20; byte < 0x100; ++byte) {
            const char16_t ch = codePage->toUnicode(uchar(byte));
            if (byte == 0x7F || ch == 0xFFFD || (ch >= 0x80 && ch < 0xA0))
                continue; // control characters and unassigned bytes
            EXPECT_FALSE(GlyphName(ch).isEmpty()) << number << " byte " << byte;
        }
    }
}

TEST(PdfFontTables, CodePageOfCharset)
{
    const std::pair<int, int> cases[] = {
        {128, 932}, {134, 936}, {136, 950}, {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255},
        {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {0, 1252}, {1, 1252}, {2, 1252},
    };
    for (const auto &[charset, codePage] : cases)
        EXPECT_EQ(CodePageOfCharset(charset), codePage) << charset;
    EXPECT_EQ(CodePageOfCharset(255), SystemOemCodePage());
}
