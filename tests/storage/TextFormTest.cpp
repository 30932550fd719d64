// The text form of one object block: parsing, writing, normalisation and
// syntax errors.
#include "storage/ETextFormError.h"
#include "storage/TextFormReader.h"
#include "storage/TextFormWriter.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QByteArray Normalise(const QByteArray &text)
{
    TTextFormReader reader(text);
    return TTextFormWriter::Write(reader.ReadObject());
}

// One property line "  P = <value>" inside an object, normalised.
QByteArray NormaliseValue(const QByteArray &value)
{
    const QByteArray block = "object A: TX\r\n  P = " + value + "\r\nend\r\n";
    const QByteArray written = Normalise(block);
    const int start = int(written.indexOf("P = ")) + 4;
    const int end = int(written.lastIndexOf("\r\nend"));
    return written.mid(start, end - start);
}

} // namespace

TEST(TextForm, WriterFormRoundTripsByteForByte)
{
    const QByteArray text =
        "object Vexa: TDesignVexa\r\n"
        "  Frame.Color = clBlack\r\n"
        "  DataSet = DatabaseOwner.RovevarurezDataSet\r\n"
        "  Font.Height = -13\r\n"
        "  Font.Name = 'Arial'\r\n"
        "  Font.Style = []\r\n"
        "  Functions.Strings = (\r\n"
        "    'PAGENUMBER'\r\n"
        "    'COLUMNNUMBER')\r\n"
        "  Functions.DATA = (\r\n"
        "    '0'\r\n"
        "    #39#39)\r\n"
        "  Options = [FirstPageHeader, LastPageFooter]\r\n"
        "  Page.Values = (\r\n"
        "    100.000000000000000000\r\n"
        "    2970.000000000000000000\r\n"
        "    370.416666666666700000)\r\n"
        "  ReportTitle = 'Kop'#257'summa'\r\n"
        "  UserData = {\r\n"
        "    0102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F20\r\n"
        "    FF}\r\n"
        "  Empty = {}\r\n"
        "  Columns = <\r\n"
        "    item\r\n"
        "      Width = 10\r\n"
        "    end\r\n"
        "    item\r\n"
        "    end>\r\n"
        "  Ratio = 1.5s\r\n"
        "  Price = 12.25c\r\n"
        "  object DetailBand1: TTesmolaBand\r\n"
        "    BandType = rbDetail\r\n"
        "    object Nosaukums: TTesmolaDBText\r\n"
        "      Left = -4\r\n"
        "    end\r\n"
        "  end\r\n"
        "end\r\n";
    EXPECT_EQ(Normalise(text).toStdString(), text.toStdString());
}

TEST(TextForm, ValuesNormaliseToTheWritersForm)
{
    struct Row {
        const char *name;
        QByteArray input;
        QByteArray expected;
    };
    const Row rows[] = {
        {"integer", "42", "42"},
        {"negative integer", "-7", "-7"},
        {"hex integer", "$FF", "255"},
        {"extended", "2970.0", "2970.000000000000000000"},
        {"exponent", "1.5E+003", "1500.000000000000000000"},
        {"small extended", "0.1", "0.100000000000000000"},
        {"tiny extended rounds at 18 decimals", "1.25E-18", "0.000000000000000001"},
        {"16 significant digits", "370.41666666666666666", "370.416666666666700000"},
        {"negative extended", "-0.5", "-0.500000000000000000"},
        {"single", "0.5S", "0.5s"},
        {"date", "45000.25d", "45000.25d"},
        {"identifier keeps its spelling", "rbDetail", "rbDetail"},
        {"reference", "Owner.Name", "Owner.Name"},
        {"doubled apostrophe", "'It''s'", "'It'#39's'"},
        {"pieces joined by plus", "'ab' +\r\n   'cd'", "'abcd'"},
        {"control characters", "'a'#13#10'b'", "'a'#13#10'b'"},
        {"hex character code", "#$41", "'A'"},
        {"wide character", "'z'#299'mes'", "'z'#299'mes'"},
        {"code point above the BMP", "#128512", "#55357#56832"},
        {"raw UTF-8 in a string", "'z\xC4\xABmes'", "'z'#299'mes'"},
        {"raw Windows-1257 byte in a string", "'z\xEEmes'", "'z'#299'mes'"},
        {"empty string", "''", "''"},
        {"set with blanks", "[ fsBold ,fsItalic ]", "[fsBold, fsItalic]"},
        {"empty set", "[ ]", "[]"},
        {"empty list", "( )", "()"},
        {"nested list", "((1 2) 'x')", "(\r\n    (\r\n      1\r\n      2)\r\n    'x')"},
        {"binary in any case and layout", "{ 0a 0B\r\n ff }", "{\r\n    0A0BFF}"},
        {"empty collection", "< >", "<>"},
        {"collection item index", "<item [3] X = 1 end>", "<\r\n    item [3]\r\n      X = 1\r\n    end>"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(NormaliseValue(row.input).toStdString(), row.expected.toStdString());
    }
}

TEST(TextForm, LongStringsBreakIntoPiecesOf64Characters)
{
    const QString text = QString(70, QLatin1Char('a')) + QChar(0x101) + QString(60, QLatin1Char('b'));
    TTextObject object;
    object.className = QStringLiteral("TX");
    object.properties.push_back(TTextProperty{QStringLiteral("Caption"), TTextValue::MakeString(text), 0});
    const QByteArray written = TTextFormWriter::Write(object);
    const QByteArray expected = "object TX\r\n"
                                "  Caption = \r\n"
                                "    '" + QByteArray(64, 'a') + "' +\r\n"
                                "    '" + QByteArray(6, 'a') + "'#257'" + QByteArray(57, 'b') + "' +\r\n"
                                "    'bbb'\r\n"
                                "end\r\n";
    EXPECT_EQ(written.toStdString(), expected.toStdString());
    TTextFormReader reader(written);
    EXPECT_EQ(reader.ReadObject().properties.at(0).value.text, text);
}

TEST(TextForm, NonAsciiNamesGiveAUtf8Block)
{
    TTextObject object;
    object.name = QStringLiteral("Cena\u0101");
    object.className = QStringLiteral("TTesmolaLabel");
    const QByteArray written = TTextFormWriter::Write(object);
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF" "object Cena\xC4\x81: TTesmolaLabel"));
    TTextFormReader reader(written);
    EXPECT_EQ(reader.ReadObject().name, object.name);
}

TEST(TextForm, ReadsExactlyOneBlockAndTracksLines)
{
    const QByteArray text = "object A: TX\r\n  P = 1\r\nend\r\nobject B: TY\r\n  object C: TZ\r\n  end\r\nend\r\n";
    TTextFormReader reader(text);
    const TTextObject first = reader.ReadObject();
    EXPECT_EQ(first.name, QStringLiteral("A"));
    EXPECT_EQ(first.properties.at(0).line, 2);
    EXPECT_EQ(text.mid(reader.Position(), 4), QByteArray("\r\nob"));
    const TTextObject second = reader.ReadObject();
    EXPECT_EQ(second.className, QStringLiteral("TY"));
    EXPECT_EQ(second.children.at(0).line, 5);
    EXPECT_EQ(TTextFormReader::SkipWhiteSpace(text, reader.Position()), text.size());
}

TEST(TextForm, AcceptsOtherSpellingsOfTheSameForm)
{
    const QByteArray text = "OBJECT A: TX [2]\n  P = 1\n  inherited B: TY\n  END\n  Q = 'x'\nEnd";
    TTextFormReader reader(text);
    const TTextObject object = reader.ReadObject();
    EXPECT_EQ(object.index, 2);
    EXPECT_EQ(object.properties.size(), 2u);
    EXPECT_EQ(object.children.at(0).head, TTextObjectHead::Inherited);
    EXPECT_EQ(object.children.at(0).name, QStringLiteral("B"));
}

TEST(TextForm, SyntaxErrorsNameTheirPlace)
{
    struct Row {
        const char *name;
        QByteArray text;
        const char *message;
    };
    const Row rows[] = {
        {"empty input", "", "line 1, column 1: expected an object, found the end of the input"},
        {"not an object", "hello", "line 1, column 1: expected 'object', found 'hello'"},
        {"truncated", "object A: TX\r\n  P = 1\r\n", "line 3, column 1: the end of the input before 'end' of object A"},
        {"missing equals", "object A: TX\n  P 1\nend", "line 2, column 5: expected '=' after the property name, found '1'"},
        {"missing value", "object A: TX\n  P =\nend", "line 3, column 1: expected a value, found 'end'"},
        {"unterminated string", "object A: TX\n  P = 'abc\nend", "line 2, column 7: unterminated string"},
        {"bad binary", "object A: TX\n  P = {0G}\nend", "line 2, column 9: bad character 'G' in binary data"},
        {"odd binary", "object A: TX\n  P = {ABC}\nend", "line 2, column 7: odd number of hexadecimal digits in binary data"},
        {"integer overflow", "object A: TX\n  P = 99999999999999999999\nend", "line 2, column 7: integer out of range"},
        {"bad number", "object A: TX\n  P = 12ab\nend", "line 2, column 9: bad character 'a' in a number"},
        {"character code too big", "object A: TX\n  P = #1114112\nend", "character code out of range"},
        {"plus without string", "object A: TX\n  P = 'a' + 1\nend", "expected a string after '+', found '1'"},
        {"unclosed list", "object A: TX\n  P = (1 2", "the end of the input inside a list"},
        {"binary garbage", QByteArray("\x01\x02\x03", 3), "line 1, column 1: expected 'object', found byte 0x01"},
        {"set without comma", "object A: TX\n  P = [a b]\nend", "expected ',' or ']' in a set, found 'b'"},
        {"collection without item", "object A: TX\n  P = <x>\nend", "expected 'item', found 'x'"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        try {
            TTextFormReader reader(row.text);
            reader.ReadObject();
            ADD_FAILURE() << "no error";
        } catch (const ETextFormError &e) {
            EXPECT_NE(e.message().indexOf(QLatin1String(row.message)), -1) << e.message().toStdString();
        }
    }
}

TEST(TextForm, DeepNestingIsRefusedNotOverflowed)
{
    QByteArray text = "object A: TX\n  P = ";
    text += QByteArray(100000, '(');
    try {
        TTextFormReader reader(text);
        reader.ReadObject();
        ADD_FAILURE() << "no error";
    } catch (const ETextFormError &e) {
        EXPECT_NE(e.message().indexOf(QLatin1String("nesting deeper than")), -1);
    }
}
