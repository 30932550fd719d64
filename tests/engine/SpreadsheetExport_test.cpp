// Reports run through the spreadsheet filters, read back by other readers.
#include "EngineTestSupport.h"
#include "SpreadsheetCells.h"

#include "export/spreadsheet/VxCSVFilter.h"
#include "export/spreadsheet/VxXLSFilter.h"
#include "export/spreadsheet/VxXLSXFilter.h"
#include "model/VxBrush.h"
#include "model/VxHRule.h"
#include "model/VxImage.h"
#include "model/VxPen.h"
#include "model/VxPicture.h"
#include "model/VxShape.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

class SpreadsheetExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        TVxSpreadsheetFilter::SetUseXLColumns(false);
    }
    void TearDown() override { TVxSpreadsheetFilter::SetUseXLColumns(false); }

    // A title with a rule, a shape and a picture, then a detail line per
    // record: a label, the record number and a price.
    void BuildPriceList(int records)
    {
        f.SetData(kNumberField, NumberedRows(records));
        TVxBand *title = f.AddBand(TVxBandType::rbTitle, 300);
        f.AddLabel(title, QStringLiteral("Ķiršu ievārījums 3,05 €"), 100, 20);
        auto *rule = f.AddElement<TVxHRule>(title, 100, 150, 1500, 10);
        rule->Pen()->SetWidth(2);
        auto *box = f.AddElement<TVxShape>(title, 100, 180, 500, 100);
        box->Brush()->SetColor(clYellow);
        auto *image = f.AddElement<TVxImage>(title, 700, 180, 200, 100);
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        image->Picture()->SetImage(picture);
        TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 60);
        f.AddLabel(detail, QStringLiteral("Šķiņķis"), 100, 0);
        number = f.AddField(detail, QStringLiteral("NR"), 800, 0);
        f.AddExpr(detail, QStringLiteral("'1 234,5'"), 1200, 0);
    }

    std::vector<SheetCell> Export(TVxSpreadsheetFilter &filter)
    {
        ExportReportToFilter(*f.report, filter);
        const ReadCells read = ReadSpreadsheet(filter.Filename());
        EXPECT_TRUE(read.ok) << read.error.toStdString();
        return read.cells;
    }

    ReportFixture f;
    TVxDBText *number = nullptr;
    QTemporaryDir dir;
};

std::vector<SheetCell> PriceListCells(int records, int firstRow = 0)
{
    std::vector<SheetCell> cells{Txt(firstRow, 0, QStringLiteral("Ķiršu ievārījums 3,05 €"))};
    for (int i = 1; i <= records; ++i) {
        cells.push_back(Txt(firstRow + i, 0, QStringLiteral("Šķiņķis")));
        cells.push_back(Num(firstRow + i, 1, i));
        cells.push_back(Num(firstRow + i, 2, 1234.5));
    }
    return cells;
}

} // namespace

// Graphics leave no trace; numbers are numbers, texts keep their letters.
TEST_F(SpreadsheetExport, PriceListAsOtherReadersSeeIt)
{
    BuildPriceList(3);
    TVxXLSFilter xls(dir.filePath(QStringLiteral("list.xls")));
    EXPECT_EQ(Export(xls), PriceListCells(3));
    TVxXLSXFilter xlsx(dir.filePath(QStringLiteral("list.xlsx")));
    EXPECT_EQ(Export(xlsx), PriceListCells(3));
    TVxCSVFilter csv(dir.filePath(QStringLiteral("list.csv")));
    std::vector<SheetCell> texts;
    for (const SheetCell &c : PriceListCells(3))
        texts.push_back(c.number ? Txt(c.row, c.col, QString::number(c.value)) : c);
    EXPECT_EQ(Export(csv), texts);
}

// A streaming filter gets the report as one endless page, however long; a
// second export of the same report starts again at row 0.
TEST_F(SpreadsheetExport, ALongReportAndASecondExport)
{
    BuildPriceList(500);
    for (int run = 0; run < 2; ++run) {
        TVxXLSFilter xls(dir.filePath(QStringLiteral("long.xls")));
        EXPECT_EQ(Export(xls), PriceListCells(500));
    }
}

// The element's spreadsheet column places its texts with UseXLColumns.
TEST_F(SpreadsheetExport, ElementColumnsWithUseXLColumns)
{
    BuildPriceList(2);
    number->SetXLColumn(5);
    TVxSpreadsheetFilter::SetUseXLColumns(true);
    TVxXLSFilter xls(dir.filePath(QStringLiteral("columns.xls")));
    std::vector<SheetCell> expected = PriceListCells(2);
    for (SheetCell &c : expected)
        if (c.number && c.col == 1)
            c.col = 4;
    std::sort(expected.begin(), expected.end(),
              [](const SheetCell &a, const SheetCell &b) { return std::pair(a.row, a.col) < std::pair(b.row, b.col); });
    EXPECT_EQ(Export(xls), expected);
}

// Two reports into one file: the second one's rows follow the first's.
TEST_F(SpreadsheetExport, ConcatenatedReportRuns)
{
    BuildPriceList(2);
    TVxXLSFilter xls(dir.filePath(QStringLiteral("both.xls")));
    xls.Concatenating = true;
    ExportReportToFilter(*f.report, xls);
    ExportReportToFilter(*f.report, xls);
    xls.EndConcat();
    const ReadCells read = ReadSpreadsheet(xls.Filename());
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    std::vector<SheetCell> expected = PriceListCells(2);
    for (const SheetCell &c : PriceListCells(2, 3))
        expected.push_back(c);
    EXPECT_EQ(read.cells, expected);
}
