#include "FormatTestPrinting.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace zelmio;

TEST(CodePage, WindowsCodePagesAreThere)
{
    for (int number = 1250; number <= 1258; ++number) {
        SCOPED_TRACE(number);
        const TCodePage *cp = TCodePage::find(number);
        ASSERT_NE(cp, nullptr);
        EXPECT_EQ(cp->number(), number);
        EXPECT_EQ(cp->name(), QStringLiteral("windows-%1").arg(number));
        EXPECT_EQ(cp->toUnicode('A'), u'A');
        // Every defined byte comes back as itself.
        for (int b = 0; b < 256; ++b) {
            const char16_t c = cp->toUnicode(static_cast<unsigned char>(b));
            unsigned char back = 0;
            if (c != 0xFFFD) {
                EXPECT_TRUE(cp->fromUnicode(c, back)) << b;
                EXPECT_EQ(back, b);
            }
        }
    }
    EXPECT_EQ(TCodePage::find(437), nullptr);
}

TEST(CodePage, DecodesAndEncodesLatvianText)
{
    const TCodePage *cp = TCodePage::find(1257);
    ASSERT_NE(cp, nullptr);
    const QByteArray bytes("\xC2\x62ols \xDE\xE2 \x80 \xEF\xFE");
    const QString text = QStringLiteral("Ābols Žā € ļž");
    EXPECT_EQ(cp->decode(bytes), text);
    EXPECT_EQ(cp->encode(text), bytes);
    std::string utf8;
    cp->decodeToUtf8(bytes, utf8);
    EXPECT_EQ(QString::fromStdString(utf8), text);

    // Characters the code page lacks become the replacement, one per character.
    EXPECT_EQ(cp->encode(QStringLiteral("Молоко 😀!")), QByteArray("?????? ?!"));
    EXPECT_EQ(cp->encode(QStringLiteral("Ж"), '_'), QByteArray("_"));
    EXPECT_FALSE(cp->canEncode(QStringLiteral("Ж")));
    EXPECT_TRUE(cp->canEncode(QStringLiteral("Ķēķis")));
    EXPECT_EQ(TCodePage::find(1251)->encode(QStringLiteral("Молоко")), QByteArray("\xCC\xEE\xEB\xEE\xEA\xEE"));
    EXPECT_EQ(TCodePage::find(1252)->decode("\x80\x9F\xE9"), QStringLiteral("€Ÿé"));
}

TEST(CodePage, FindsEncodingNames)
{
    const struct {
        const char *name;
        int number;
    } rows[] = {
        {"windows-1257", 1257}, {"WINDOWS-1257", 1257}, {"cp1257", 1257}, {"x-cp1250", 1250},
        {"windows_1252", 1252}, {"iso-8859-13", 28603}, {"ISO8859-1", 28591}, {"latin1", 28591},
        {"windows-874", 874},   {"koi8-r", 0},          {"", 0},            {"utf-8", 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        const TCodePage *cp = TCodePage::fromName(QString::fromLatin1(r.name));
        EXPECT_EQ(cp ? cp->number() : 0, r.number);
    }
}
