#include "model/LineBreaker.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// Every character 10 pixels wide, plus the one pixel the report's
// measurement adds.
class MonospaceMeasure : public TTextMeasure {
public:
    int TextWidth(const QString &text) const override { return 10 * int(text.size()) + 1; }
};

QStringList Break(const QString &text, const TLineBreakOptions &options)
{
    MonospaceMeasure measure;
    QStringList lines;
    TLineBreaker(measure, options).BreakText(text, lines);
    return lines;
}

TLineBreakOptions Options(int width, bool autoSize = false, bool wordWrap = true,
                          TWrapStyle style = TWrapStyle::BreakOnSpaces)
{
    TLineBreakOptions options;
    options.width = width;
    options.autoSize = autoSize;
    options.wordWrap = wordWrap;
    options.wrapStyle = style;
    return options;
}

} // namespace

TEST(FormatLines, Cases)
{
    struct Row {
        const char *name;
        QString text;
        TLineBreakOptions options;
        QStringList lines;
    };
    const Row rows[] = {
        // AutoSize never wraps: the element widens instead.
        {"auto size keeps one line", QStringLiteral("two words"), Options(20, true),
         {QStringLiteral("two words")}},
        // "Hello " is 61 pixels, "Hello world" 111: the first line keeps its space.
        {"word wrap at the space", QStringLiteral("Hello world"), Options(70),
         {QStringLiteral("Hello "), QStringLiteral("world")}},
        // Only what is narrower than the width: "Abcd" is 41, "Abcde" 51.
        {"a word wider than the element is cut", QStringLiteral("Abcdefghij"), Options(45),
         {QStringLiteral("Abcd")}},
        // After a line, a too-wide word is cut to what is not wider (61 = 61).
        {"a long word after a line", QStringLiteral("ab verylongword"), Options(61),
         {QStringLiteral("ab "), QStringLiteral("verylo")}},
        {"break anywhere in threes", QStringLiteral("Abcdefg"), Options(31, false, true, TWrapStyle::BreakAnywhere),
         {QStringLiteral("Abc"), QStringLiteral("def"), QStringLiteral("g")}},
        {"break anywhere drops a blank rest", QStringLiteral("Abc   "), Options(31, false, true, TWrapStyle::BreakAnywhere),
         {QStringLiteral("Abc")}},
        {"carriage return and line feed", QStringLiteral("one\r\ntwo"), Options(200),
         {QStringLiteral("one"), QStringLiteral("two")}},
        {"line feeds alone are removed", QStringLiteral("one\ntwo"), Options(200),
         {QStringLiteral("onetwo")}},
        {"an empty piece is an empty line", QStringLiteral("a\r\rb"), Options(200),
         {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"auto size splits at carriage returns only", QStringLiteral("first line\r\nsecond"), Options(5, true),
         {QStringLiteral("first line"), QStringLiteral("second")}},
        {"hyphens end words", QStringLiteral("well-known fact"), Options(61),
         {QStringLiteral("well-"), QStringLiteral("known "), QStringLiteral("fact")}},
        // Without word wrap a word that does not fit is dropped and the line
        // finished; the words after it still fill lines.
        {"no word wrap", QStringLiteral("aaa bbb ccc ddd eee fff"), Options(81, false, false),
         {QStringLiteral("aaa bbb "), QStringLiteral("ddd eee ")}},
        {"no word wrap ends with the piece", QStringLiteral("aaa bbb ccc\rddd"), Options(81, false, false),
         {QStringLiteral("aaa bbb "), QStringLiteral("ddd")}},
        {"empty text", QString(), Options(100), {QString()}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Break(row.text, row.options), row.lines) << Break(row.text, row.options).join(u'|').toStdString();
    }
}

TEST(FormatLines, SurrogatePairsStayWhole)
{
    // A character outside the basic plane is two UTF-16 units but one
    // character: cutting must not split it.
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QStringList lines = Break(face + face + face, Options(42, false, true, TWrapStyle::BreakAnywhere));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], face + face);
    EXPECT_EQ(lines[1], face);
}

TEST(FormatLines, SplitWords)
{
    EXPECT_EQ(TLineBreaker::SplitWords(QStringLiteral("a  b-c d")),
              (QStringList{QStringLiteral("a "), QStringLiteral(" "), QStringLiteral("b-"),
                           QStringLiteral("c "), QStringLiteral("d")}));
}
