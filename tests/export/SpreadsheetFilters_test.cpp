// The spreadsheet filters driven as the engine drives them: pages of
// positioned texts in, files out, read back byte by byte (.XLS records) and
// by other readers.
#include "SpreadsheetCells.h"

#include "export/VxExportFilterLibrary.h"
#include "export/spreadsheet/VxCSVFilter.h"
#include "export/spreadsheet/VxXLSFilter.h"
#include "export/spreadsheet/VxXLSXFilter.h"
#include "expr/VxEvEnvironment.h"
#include "model/Vexa.h"
#include "model/VxFont.h"
#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/VxError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <bit>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <memory>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// A text at grid position (column, line), 1-based: 10 mm a column, 5 mm a
// line; column names the element's spreadsheet column (0 = none).
struct GridText {
    int col;
    int line;
    QString text;
    int xlColumn = 0;
};
using Page = std::vector<GridText>;

void RunPages(TVxSpreadsheetFilter &filter, const std::vector<Page> &pages)
{
    TVxFont font;
    filter.Start(2100, 2970, &font);
    for (const Page &page : pages) {
        filter.NewPage();
        for (const GridText &t : page)
            filter.TextOutColumn(TPaperPos(100.0L * t.col, 50.0L * t.line), &font, clNone,
                                 TAlignment::taLeftJustify, t.text, t.xlColumn);
        filter.EndPage();
    }
    filter.Finish();
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One record of an .XLS file.
struct Record {
    int type = 0;
    QByteArray data;
    int Row() const { return qFromLittleEndian<quint16>(data.constData()); }
    int Col() const { return qFromLittleEndian<quint16>(data.constData() + 2); }
    double Number() const { return std::bit_cast<double>(qFromLittleEndian<quint64>(data.constData() + 7)); }
    QByteArray Text() const { return data.mid(8, quint8(data.at(7))); }
};

std::vector<Record> Records(const QByteArray &file)
{
    std::vector<Record> records;
    qsizetype at = 0;
    while (at + 4 <= file.size()) {
        const int type = qFromLittleEndian<quint16>(file.constData() + at);
        const int length = qFromLittleEndian<quint16>(file.constData() + at + 2);
        records.push_back({type, file.mid(at + 4, length)});
        at += 4 + length;
    }
    EXPECT_EQ(at, file.size()) << "the records do not fill the file";
    return records;
}

// The cell records of an .XLS file as cells; texts decoded from code page 1257.
std::vector<SheetCell> XlsCells(const QByteArray &file)
{
    std::vector<SheetCell> cells;
    for (const Record &r : Records(file)) {
        if (r.type == 0x0003)
            cells.push_back(Num(r.Row(), r.Col(), r.Number()));
        else if (r.type == 0x0004)
            cells.push_back(Txt(r.Row(), r.Col(), TCodePage::find(1257)->decode(r.Text())));
    }
    return cells;
}

class SpreadsheetFilters : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        TVxSpreadsheetFilter::SetUseXLColumns(false);
    }
    void TearDown() override { TVxSpreadsheetFilter::SetUseXLColumns(false); }
    QString Path(const QString &name) const { return dir.filePath(name); }

    ScopedFormatSettings settings{TFormatSettings::latvian()};
    QTemporaryDir dir;
};

} // namespace

TEST_F(SpreadsheetFilters, XlsRecordsOfASmallSheet)
{
    ScopedFormatSettings english(TFormatSettings::usEnglish());
    const QString file = Path(QStringLiteral("small.xls"));
    TVxXLSFilter xls(file);
    RunPages(xls, {{{2, 1, QStringLiteral("12.5")}, {1, 1, QStringLiteral("Cena")}, {1, 2, QStringLiteral("Āboli")}}});

    const QByteArray expected = QByteArray::fromHex(
        "0908 0600 0000 1000 0000"                       // beginning of file: worksheet
        "4200 0200 e904"                                 // code page 1257
        "0002 0a00 0000 0000 0000 0000 0000"             // dimensions
        "0400 0c00 0000 0000 000000 04 43656e61"         // A1 "Cena"
        "0300 0f00 0000 0100 000000 0000000000002940"    // B1 12.5
        "0400 0d00 0100 0000 000000 05 c2626f6c69"       // A2 "Āboli", Ā = 0xC2
        "0a00 0000");                                    // end of file
    EXPECT_EQ(ReadAll(file).toHex(' '), expected.toHex(' '));
}

TEST_F(SpreadsheetFilters, AnEmptyReportGivesTheLeadingRecordsAndTheEnd)
{
    TVxXLSFilter xls(Path(QStringLiteral("empty.xls")));
    RunPages(xls, {});
    EXPECT_EQ(ReadAll(Path(QStringLiteral("empty.xls"))).size(), 34);

    TVxCSVFilter csv(Path(QStringLiteral("empty.csv")));
    RunPages(csv, {});
    EXPECT_EQ(ReadAll(Path(QStringLiteral("empty.csv"))), QByteArray("\xEF\xBB\xBF"));

    TVxXLSXFilter xlsx(Path(QStringLiteral("empty.xlsx")));
    RunPages(xlsx, {});
    const ReadCells read = ReadSpreadsheet(Path(QStringLiteral("empty.xlsx")));
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_TRUE(read.cells.empty());
    EXPECT_TRUE(read.notes.contains(QStringLiteral("sheet\t0\tSheet1")));
}

TEST(SpreadsheetNumberTest, CellKindsOfTexts)
{
    struct Row {
        const char *text;
        bool number;
        double value;
    };
    const Row english[] = {
        {"1,234.50", true, 1234.5}, {"12.3.4", false, 0}, {"1e5", true, 1e5},     {"1e", false, 0},
        {"E5", false, 0},           {"-7", true, -7},     {"+3.25", true, 3.25},  {" 42 ", true, 42},
        {"1.5e-3", true, 0.0015},   {"1e2.5", false, 0},  {"-", false, 0},        {"", false, 0},
        {"12 kg", false, 0},        {"1e400", false, 0},  {"0012", true, 12},     {".5", true, 0.5},
    };
    for (const Row &row : english) {
        SCOPED_TRACE(row.text);
        double value = 0;
        EXPECT_EQ(SpreadsheetNumber(QString::fromUtf8(row.text), value, TFormatSettings::usEnglish()), row.number);
        if (row.number) {
            EXPECT_DOUBLE_EQ(value, row.value);
        }
    }
    // Latvian: comma decimals, blanks between thousands.
    double value = 0;
    EXPECT_TRUE(SpreadsheetNumber(QStringLiteral("1 234,50"), value, TFormatSettings::latvian()));
    EXPECT_DOUBLE_EQ(value, 1234.5);
    EXPECT_FALSE(SpreadsheetNumber(QStringLiteral("1.5"), value, TFormatSettings::latvian()));
    EXPECT_FALSE(SpreadsheetNumber(QStringLiteral("3,05 €"), value, TFormatSettings::latvian()));
}

// The first page has 40 lines; line 2, column 3 of the second page is row
// 41, column 2. The row is carried in the report's environment, and also
// without a report to hold it.
TEST_F(SpreadsheetFilters, RowsFollowFromPageToPage)
{
    Page first;
    for (int line = 1; line <= 40; ++line)
        first.push_back({1, line, QStringLiteral("r%1").arg(line)});
    const Page second{{1, 1, QStringLiteral("a")}, {2, 2, QStringLiteral("b")}, {3, 2, QStringLiteral("X")}};

    for (const bool withReport : {true, false}) {
        SCOPED_TRACE(withReport ? "owner report" : "no owner");
        TComponent form;
        auto *report = new TVexa(&form);
        const QString file = Path(QStringLiteral("pages.xls"));
        TVxXLSFilter xls(file);
        if (withReport)
            xls.SetOwner(report);
        RunPages(xls, {first, second});
        const std::vector<SheetCell> cells = XlsCells(ReadAll(file));
        ASSERT_EQ(cells.size(), 43u);
        EXPECT_EQ(cells[39], Txt(39, 0, QStringLiteral("r40")));
        EXPECT_EQ(cells[40], Txt(40, 0, QStringLiteral("a")));
        EXPECT_EQ(cells[42], Txt(41, 2, QStringLiteral("X")));
        if (withReport) {
            const int index = report->Functions()->IndexOf(QStringLiteral("___XLGLOBROW"));
            ASSERT_GE(index, 0);
            EXPECT_EQ(report->Functions()->Expression(index), QStringLiteral("42"));
        }
    }
}

TEST_F(SpreadsheetFilters, LongTextsAreCutAndEmptyLinesTakeARow)
{
    const QString file = Path(QStringLiteral("cut.xls"));
    TVxXLSFilter xls(file);
    RunPages(xls, {{{1, 1, QString(300, u'ā')}, {1, 2, QString()}, {1, 3, QStringLiteral("c")}}});
    const std::vector<Record> records = Records(ReadAll(file));
    ASSERT_EQ(records.size(), 6u); // header, code page, dimensions, two cells, end
    EXPECT_EQ(records[3].type, 0x0004);
    EXPECT_EQ(records[3].data.size(), 263);
    EXPECT_EQ(records[3].Text(), QByteArray(255, '\xE2'));
    EXPECT_EQ(records[4].Row(), 2);
}

// With UseXLColumns a text goes to its element's column, the last text of a
// cell wins; a text whose element names no column keeps its own.
TEST_F(SpreadsheetFilters, ElementColumnsWithUseXLColumns)
{
    const Page page{{1, 1, QStringLiteral("a")},
                    {2, 1, QStringLiteral("b"), 3},
                    {3, 1, QStringLiteral("c"), 3},
                    {3, 2, QStringLiteral("d")},
                    {1, 3, QStringLiteral("e"), 5}};
    struct Row {
        bool use;
        std::vector<SheetCell> expected;
    } rows[] = {
        {false, {Txt(0, 0, "a"), Txt(0, 1, "b"), Txt(0, 2, "c"), Txt(1, 2, "d"), Txt(2, 0, "e")}},
        {true, {Txt(0, 0, "a"), Txt(0, 2, "c"), Txt(1, 2, "d"), Txt(2, 4, "e")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.use ? "UseXLColumns" : "positions");
        TVxSpreadsheetFilter::SetUseXLColumns(row.use);
        const QString file = Path(QStringLiteral("columns.xls"));
        TVxXLSFilter xls(file);
        RunPages(xls, {page});
        EXPECT_EQ(XlsCells(ReadAll(file)), row.expected);
    }
}

// Several reports in one file: the .XLS and .CSV rows follow each other, the
// .XLSX gives each report a sheet of its own.
TEST_F(SpreadsheetFilters, ConcatenatedReports)
{
    const Page one{{1, 1, QStringLiteral("one")}, {2, 2, QStringLiteral("1")}};
    const Page two{{1, 1, QStringLiteral("two")}};
    auto run = [&](TVxSpreadsheetFilter &filter) {
        filter.Concatenating = true;
        RunPages(filter, {one, one});
        EXPECT_FALSE(QFile::exists(filter.Filename())) << "completed before EndConcat";
        RunPages(filter, {two});
        filter.EndConcat();
        EXPECT_FALSE(filter.Active());
    };
    TVxXLSFilter xls(Path(QStringLiteral("concat.xls")));
    run(xls);
    const QByteArray bytes = ReadAll(xls.Filename());
    int bof = 0, eof = 0;
    for (const Record &r : Records(bytes)) {
        bof += r.type == 0x0809;
        eof += r.type == 0x000A;
    }
    EXPECT_EQ(bof, 1);
    EXPECT_EQ(eof, 1);
    const std::vector<SheetCell> rowsFollow{Txt(0, 0, "one"), Num(1, 1, 1), Txt(2, 0, "one"), Num(3, 1, 1),
                                            Txt(4, 0, "two")};
    EXPECT_EQ(XlsCells(bytes), rowsFollow);

    TVxXLSXFilter xlsx(Path(QStringLiteral("concat.xlsx")));
    run(xlsx);
    const ReadCells book = ReadSpreadsheet(xlsx.Filename());
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    const std::vector<SheetCell> sheets{Txt(0, 0, "one"), Num(1, 1, 1), Txt(2, 0, "one"), Num(3, 1, 1),
                                        Txt(0, 0, "two", 1)};
    EXPECT_EQ(book.cells, sheets);

    TVxCSVFilter csv(Path(QStringLiteral("concat.csv")));
    run(csv);
    EXPECT_EQ(ReadAll(csv.Filename()), QByteArray("\xEF\xBB\xBFone,\r\n,1\r\none,\r\n,1\r\ntwo\r\n"));
}

// The same page through the three filters, read by other readers: the same
// cells, numbers as numbers in the spreadsheets, Latvian letters intact, the
// CSV's fields quoted where they must be.
TEST_F(SpreadsheetFilters, OtherReadersSeeTheSameCells)
{
    const Page page{{1, 1, QStringLiteral("Ķiršu ievārījums, 350 g")}, {2, 1, QStringLiteral("3,05")},
                    {3, 1, QStringLiteral("1 234,50")},               {1, 2, QStringLiteral("Rupjmaize \"Lāči\"")},
                    {3, 2, QStringLiteral("-7")},                     {1, 4, QStringLiteral("Žagars; Ēnas")}};
    const std::vector<SheetCell> expected{Txt(0, 0, "Ķiršu ievārījums, 350 g"), Num(0, 1, 3.05),
                                          Num(0, 2, 1234.5), Txt(1, 0, "Rupjmaize \"Lāči\""), Num(1, 2, -7),
                                          Txt(2, 0, "Žagars; Ēnas")};
    for (const QString &name : {QStringLiteral("cells.xls"), QStringLiteral("cells.xlsx"), QStringLiteral("cells.csv")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = Path(name);
        const TVxExportFilterClass classes[] = {TVxExportFilterClass::Of<TVxXLSFilter>("xls"),
                                                TVxExportFilterClass::Of<TVxXLSXFilter>("xlsx"),
                                                TVxExportFilterClass::Of<TVxCSVFilter>("csv")};
        const int k = name.endsWith(u"xls") ? 0 : name.endsWith(u"xlsx") ? 1 : 2;
        const std::unique_ptr<TVxExportFilter> filter = classes[k].Create(file);
        RunPages(static_cast<TVxSpreadsheetFilter &>(*filter), {page});
        const ReadCells read = ReadSpreadsheet(file);
        ASSERT_TRUE(read.ok) << read.error.toStdString();
        if (k < 2) {
            EXPECT_EQ(read.cells, expected);
        } else {
            // CSV has no kinds: numbers in the plain form.
            std::vector<SheetCell> texts;
            for (const SheetCell &c : expected)
                texts.push_back(c.number ? Txt(c.row, c.col, QString::number(c.value)) : c);
            EXPECT_EQ(read.cells, texts);
            EXPECT_TRUE(read.notes.contains(QStringLiteral("bom\tTrue")));
        }
        if (k == 0) {
            EXPECT_TRUE(read.notes.contains(QStringLiteral("encoding\tcp1257")));
        }
        if (k == 1) {
            // Column A is as wide as the gap to column B (10 mm, about 5
            // digits), the last column C as its longest text (8 characters).
            std::map<int, double> widths;
            for (const QString &note : read.notes)
                if (note.startsWith(u"width\t0\t"))
                    widths[note.section(u'\t', 2, 2).toInt()] = note.section(u'\t', 3, 3).toDouble();
            ASSERT_EQ(widths.size(), 3u) << read.notes.join(u' ').toStdString();
            EXPECT_NEAR(widths[0], 5.3, 0.8);
            EXPECT_NEAR(widths[2], 9, 0.8);
        }
    }
}

// A failed export raises an error naming the file and leaves an existing
// file of that name as it was, with no temporary file beside it.
TEST_F(SpreadsheetFilters, AFailedExportKeepsTheExistingFile)
{
    struct Row {
        QString name;
        int column; // an element column beyond the format's sheet
        const char *message;
    } rows[] = {
        {QStringLiteral("old.xls"), 65537, "sheet column 65537 is beyond the 65536 columns"},
        {QStringLiteral("old.xlsx"), 16385, "sheet column 16385 is beyond the 16384 columns"},
        {QStringLiteral("old.csv"), 65537, "sheet column 65537 is beyond"},
    };
    TVxSpreadsheetFilter::SetUseXLColumns(true);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        const QString file = Path(row.name);
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();
        {
            std::unique_ptr<TVxExportFilter> filter;
            if (row.name.endsWith(u"xls"))
                filter = std::make_unique<TVxXLSFilter>(file);
            else if (row.name.endsWith(u"xlsx"))
                filter = std::make_unique<TVxXLSXFilter>(file);
            else
                filter = std::make_unique<TVxCSVFilter>(file);
            try {
                RunPages(static_cast<TVxSpreadsheetFilter &>(*filter),
                         {{{1, 1, QStringLiteral("fits")}}, {{1, 1, QStringLiteral("too far"), row.column}}});
                ADD_FAILURE() << "no error";
            } catch (const EVxError &e) {
                EXPECT_TRUE(e.message().contains(file)) << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(QLatin1String(row.message))) << e.message().toStdString();
            }
        }
        EXPECT_EQ(ReadAll(file), QByteArray("old contents"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{row.name});
        QFile::remove(file);
    }

    // A folder that does not exist: the error names the file at Start.
    TVxCSVFilter csv(Path(QStringLiteral("missing/out.csv")));
    TVxFont font;
    try {
        csv.Start(2100, 2970, &font);
        ADD_FAILURE() << "no error";
    } catch (const EVxError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("missing/out.csv"))) << e.message().toStdString();
    }
}

TEST(SpreadsheetComponents, RegisterTheirFiltersForTheirLifetime)
{
    struct Row {
        const char *extension;
        const char *name;
        std::function<std::unique_ptr<TComponent>()> make;
    } rows[] = {
        {"XLS", "Excel spreadsheet", [] { return std::make_unique<TVxExcelFilter>(); }},
        {"XLSX", "Excel workbook", [] { return std::make_unique<TVxExcelWorkbookFilter>(); }},
        {"csv", "CSV file", [] { return std::make_unique<TVxCSVFileFilter>(); }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.extension);
        {
            const std::unique_ptr<TComponent> component = row.make();
            const TVxExportFilterLibraryEntry *entry = VXExportFilterLibrary().GetFilterByExtension(row.extension);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->FilterName(), QLatin1String(row.name));
        }
        EXPECT_EQ(VXExportFilterLibrary().GetFilterByExtension(row.extension), nullptr);
    }
    TVxExcelFilter excel;
    excel.SetUseXLColumns(true);
    EXPECT_TRUE(TVxSpreadsheetFilter::UseXLColumns());
    excel.SetUseXLColumns(false);
    const TVxXLSFilter xls{QString()};
    EXPECT_EQ(xls.GetDescription(), QStringLiteral("Excel file format"));
    EXPECT_TRUE(xls.GetStreaming());
}
