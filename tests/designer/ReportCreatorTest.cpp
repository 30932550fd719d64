// The label stock table and the report creator: each report style built on
// a designer's report, bands and elements where the layout rules put them,
// and a label sheet made from a stock entry.
#include "../engine/EngineTestSupport.h"
#include "designer/DesignVexa.h"
#include "designer/LabelFormats.h"
#include "designer/ReportCreator.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "model/PropertyAccess.h"
#include "model/VxBandSize.h"
#include "model/VxCustomBand.h"
#include "model/VxCustomLabel.h"
#include "model/VxFont.h"
#include "model/VxPage.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

TEST(LabelStock, ManufacturersAndTheirSheets)
{
    const QStringList expected = {
        "AOne", "APLI", "Avery Standard", "Avery A4/A5", "Devauzet", "ERO", "Formtec", "Herma", "Hisago", "Kokuyo",
        "MACO/Wilson Jones Standard", "Sigel", "Pimaco", "Rank Xerox", "UNISTAT", "RAJA", QStringLiteral("Str\u00e5lfors"),
        "Zweckform", "May+Spies", "MACtac", "Leitz", "Inmac", "HP", "Herlitz", "Guilbert", "Durable", "Boeder",
        "ALFAC-DECAdry", "Agipa", "AE"};
    EXPECT_EQ(LabelManufacturers(), expected);
    // Only sheets with checked measurements are listed; every one reads.
    const QStringList herma = LabelFormatLinesOf(QStringLiteral("Herma"));
    EXPECT_EQ(herma.size(), 4);
    for (const QString &name : expected) {
        for (const QString &line : LabelFormatLinesOf(name)) {
            LabelFormatRec rec;
            EXPECT_TRUE(GetLabelValues(line, rec)) << line.toStdString();
        }
    }
    EXPECT_TRUE(LabelFormatLinesOf(QStringLiteral("Nobody")).isEmpty());
    // The table is Windows-1252 with CR LF line ends.
    EXPECT_TRUE(LabelFormatsResource().contains("Str\xE5lfors\r\n"));
}

TEST(LabelStock, ASheetLineReadsFieldByField)
{
    const QString line = LabelFormatLinesOf(QStringLiteral("Herma")).filter(QRegularExpression("^28171;")).value(0);
    ASSERT_EQ(line, QStringLiteral("28171;2;1,65;9,02;4,23;2;6;4,23;9,27;;"));
    LabelFormatRec r;
    ASSERT_TRUE(GetLabelValues(line, r));
    EXPECT_EQ(r.Name, QStringLiteral("28171"));
    EXPECT_DOUBLE_EQ(r.TopMargin, 2);
    EXPECT_DOUBLE_EQ(r.LeftMargin, 1.65);
    EXPECT_DOUBLE_EQ(r.Width, 9.02);
    EXPECT_DOUBLE_EQ(r.Height, 4.23);
    EXPECT_EQ(r.Columns, 2);
    EXPECT_EQ(r.Rows, 6);
    EXPECT_DOUBLE_EQ(r.VDistance, 4.23);
    EXPECT_DOUBLE_EQ(r.HDistance, 9.27);
    EXPECT_EQ(r.Papersize, TVxPaperSize::Default);
    EXPECT_FALSE(r.Landscape);
    EXPECT_EQ(LabelFormatCaption(r), QStringLiteral("28171 (%1 x %2)")
                                         .arg(QLocale().toString(9.02), QLocale().toString(4.23)));

    // Empty pitches are the label's own size.
    ASSERT_TRUE(GetLabelValues(QStringLiteral("28441A;2,5;3,1;14,8;2;1;12;2;;;"), r));
    EXPECT_DOUBLE_EQ(r.VDistance, 2);
    EXPECT_DOUBLE_EQ(r.HDistance, 14.8);
    EXPECT_EQ(r.Name, QStringLiteral("28441A"));
    ASSERT_TRUE(GetLabelValues(QStringLiteral("Big_One;0;0;7,42;4,2;4;5;4,2;7,42;A4Q;"), r));
    EXPECT_EQ(r.Name, QStringLiteral("Big One"));
}

TEST(LabelStock, PaperCodesAndBrokenLines)
{
    struct Row {
        const char *code;
        TVxPaperSize paper;
        bool landscape;
        double width, height;
    };
    const Row rows[] = {
        {"", TVxPaperSize::Default, false, 0, 0},     {"0", TVxPaperSize::A4, false, 0, 0},
        {"a4", TVxPaperSize::A4, false, 0, 0},        {"A4Q", TVxPaperSize::A4, true, 0, 0},
        {"L", TVxPaperSize::Letter, false, 0, 0},     {"LQ", TVxPaperSize::Letter, true, 0, 0},
        {"P", TVxPaperSize::Custom, false, 10.0, 14.8}, {"MQ", TVxPaperSize::Custom, true, 10.48, 12.7},
        {"A5Q", TVxPaperSize::A5, true, 0, 0},        {"B5", TVxPaperSize::B5, false, 0, 0},
        {"B4 JISQ", TVxPaperSize::B4, true, 0, 0},    {"X9", TVxPaperSize::Default, false, 0, 0},
    };
    for (const Row &row : rows) {
        LabelFormatRec r;
        ASSERT_TRUE(GetLabelValues(QStringLiteral("C;1;1;5;2;2;3;2;5;%1;").arg(QLatin1String(row.code)), r)) << row.code;
        EXPECT_EQ(r.Papersize, row.paper) << row.code;
        EXPECT_EQ(r.Landscape, row.landscape) << row.code;
        EXPECT_DOUBLE_EQ(r.PageWidth, row.width) << row.code;
        EXPECT_DOUBLE_EQ(r.PageHeight, row.height) << row.code;
    }
    for (const char *bad : {"C;1;1;5;2;x;3;2;5;A4;", "C;1;1;5;2;2;3;2;5", "C;1;1.5;5;2;2;3;2;5;A4;",
                            "C;1;1;5;2;0;3;2;5;A4;", "C;1;1;0;2;2;3;2;5;A4;", ";1;1;5;2;2;3;2;5;A4;"}) {
        LabelFormatRec r;
        r.Name = QStringLiteral("kept");
        EXPECT_FALSE(GetLabelValues(QString::fromLatin1(bad), r)) << bad;
        EXPECT_EQ(r.Name, QStringLiteral("kept"));
    }
}

// A designer's report (millimetres, A4) with a price list record set.
struct CreatorFixture {
    ScopedMeasurementSystem metric{false};
    QObject application;
    TClientDataSet *prices = new TClientDataSet(&application);
    TReportPrintForm form{&application, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
    TVxDReportCreator creator{form.Report(), designer};
    QList<TVxControl *> announced;
    TVxFont captionFont;
    TVxFont dataFont;

    CreatorFixture()
    {
        prices->setObjectName(QStringLiteral("Prices"));
        prices->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                           "<FIELD attrname=\"PRECE\" fieldtype=\"string\" WIDTH=\"12\"/>"
                           "<FIELD attrname=\"CENA\" fieldtype=\"r8\"/>"
                           "<FIELD attrname=\"SVITR_KODS\" fieldtype=\"string\" WIDTH=\"13\"/>"
                           "</FIELDS></METADATA><ROWDATA><ROW PRECE=\"Maize\" CENA=\"1.2\" SVITR_KODS=\"4750001\"/>"
                           "</ROWDATA></DATAPACKET>");
        prices->Open();
        designer->SetFieldDisplayLabels({QStringLiteral("PRECE=Prece"), QStringLiteral("CENA=Cena_EUR")});
        designer->SetAfterReportComponentCreated([this](TVxControl *c) { announced << c; });
        captionFont.SetSize(10);
        captionFont.SetStyle(TFontStyle::fsBold);
        dataFont.SetSize(10);
    }
    TCreatorOptions Options() const
    {
        TCreatorOptions o;
        o.labelFont = &captionFont;
        o.dataFieldFont = &dataFont;
        o.reportTitle = QStringLiteral("Cenas");
        return o;
    }
    TVxControl *Find(const QString &name) const
    {
        return qobject_cast<TVxControl *>(form.FindComponent(name));
    }
    QStringList Bands() const
    {
        QStringList names;
        for (TVxControl *band : form.Report()->ControlList())
            names << band->Name();
        names.sort();
        return names;
    }
    QStringList Elements(const QString &band) const
    {
        QStringList out;
        for (TVxControl *c : Find(band)->ControlList())
            out << c->Name();
        return out;
    }
    static QString Text(TVxControl *c)
    {
        auto *label = qobject_cast<TVxCustomLabel *>(c);
        return label ? label->Caption() : QString();
    }
};

TEST(ReportCreator, AListReportPutsTheFieldsInColumnsUnderTheirCaptions)
{
    CreatorFixture f;
    TCreatorOptions o = f.Options();
    o.title = o.pageHeader = o.summary = true;
    o.horizontalLines = o.boxLines = o.verticalLines = true;
    f.creator.CreateListReport(f.prices, {QStringLiteral("Prece"), QStringLiteral("Cena_EUR")}, o);
    EXPECT_EQ(f.Bands(), (QStringList{"Columnheader", "Detailband", "Pageheader", "Summary", "Titleband"}));
    EXPECT_EQ(f.form.Report()->DataSet(), f.prices);

    TVxControl *detail = f.Find(QStringLiteral("Detailband"));
    EXPECT_EQ(detail->Height(), 19);   // round(17 x 1.1)
    TVxControl *prece = f.Find(QStringLiteral("VxDBText1"));
    TVxControl *cena = f.Find(QStringLiteral("VxDBText2"));
    ASSERT_TRUE(prece && cena);
    EXPECT_EQ(GetStringProperty(prece, QStringLiteral("DataField")), QStringLiteral("PRECE"));
    EXPECT_EQ(GetStringProperty(cena, QStringLiteral("DataField")), QStringLiteral("CENA"));
    EXPECT_EQ(GetPointerProperty(cena, QStringLiteral("DataSet")), f.prices);
    // Width 12 x 10 + 5 for PRECE, 10 x 10 + 5 for CENA: they fit.
    EXPECT_EQ(prece->BoundsRect(), QRect(3, 1, 120, 17));
    EXPECT_EQ(cena->BoundsRect(), QRect(128, 1, 100, 17));
    EXPECT_FALSE(GetBooleanProperty(cena, QStringLiteral("AutoSize")));
    EXPECT_EQ(f.Text(cena), QStringLiteral("Cena EUR"));

    // Captions above the columns, "_" as blanks.
    TVxControl *header = f.Find(QStringLiteral("Columnheader"));
    EXPECT_EQ(header->Height(), 54);
    QStringList captions;
    for (TVxControl *c : header->ControlList()) {
        if (qobject_cast<TVxCustomLabel *>(c)) {
            captions << f.Text(c);
            EXPECT_EQ(c->Top(), 28);   // round(8.5) + 20, ties to even
        }
    }
    EXPECT_EQ(captions, (QStringList{"Prece", "Cena EUR"}));
    EXPECT_EQ(f.Text(f.Find(QStringLiteral("VxLabel3"))), QStringLiteral("Cenas"));
    EXPECT_EQ(f.Find(QStringLiteral("VxLabel3"))->Font()->Size(), 18);

    // Lines: a rule under each row and the header, the box, one divider.
    auto shapes = [&](TVxControl *band) {
        QList<QPair<int, QRect>> out;
        for (TVxControl *c : band->ControlList())
            if (PropertyExists(c, QStringLiteral("Shape")))
                out.append({int(GetIntegerProperty(c, QStringLiteral("Shape"))), c->BoundsRect()});
        return out;
    };
    const int w = detail->Width();
    const int H = int(TVxShapeType::vxsHorLine), V = int(TVxShapeType::vxsVertLine);
    EXPECT_EQ(shapes(detail), (QList<QPair<int, QRect>>{{H, QRect(3, 16, w - 6, 5)},
                                                       {V, QRect(0, -1, 5, 20)},
                                                       {V, QRect(w - 5, -1, 5, 20)},
                                                       {V, QRect(123, -1, 5, 20)}}));
    EXPECT_EQ(shapes(header).size(), 5);
    // Every band and element went through the designer's hook.
    EXPECT_EQ(f.announced.size(), int(f.form.findChildren<TVxControl *>().size()) - 1);
}

TEST(ReportCreator, ColumnsThatDoNotFitShrinkByATenthInTurnDownToOneCharacter)
{
    CreatorFixture f;
    QStringList many;
    for (int i = 0; i < 8; ++i)
        many << QStringLiteral("SVITR_KODS");   // 13 x 10 + 5 = 135 each
    f.creator.CreateListReport(f.prices, many, f.Options());
    const int bandWidth = f.Find(QStringLiteral("Detailband"))->Width();
    int right = 0;
    for (int i = 1; i <= 8; ++i) {
        TVxControl *text = f.Find(QStringLiteral("VxDBText%1").arg(i));
        ASSERT_TRUE(text);
        right = text->Left() + text->Width() + 5;
        EXPECT_LT(text->Width() + 5, 135);
    }
    EXPECT_LE(right - 3, bandWidth);

    // Far too many: every column ends at one character (10 + 5).
    QStringList lots;
    for (int i = 0; i < 150; ++i)
        lots << QStringLiteral("PRECE");
    f.creator.CreateListReport(f.prices, lots, f.Options());
    EXPECT_EQ(f.Find(QStringLiteral("VxDBText1"))->Width(), 10);
    EXPECT_EQ(f.Find(QStringLiteral("VxDBText150"))->Width(), 10);
    EXPECT_EQ(f.Find(QStringLiteral("VxDBText151")), nullptr);
    // The report was cleared first: no element of the first run is left.
    EXPECT_EQ(f.Bands(), (QStringList{"Columnheader", "Detailband"}));
}

TEST(ReportCreator, TabularAndFormStylesPutOneFieldOnEachLine)
{
    CreatorFixture f;
    TCreatorOptions o = f.Options();
    o.title = o.pageHeader = true;
    o.boxLines = true;
    f.creator.CreateTabularReport(f.prices, {QStringLiteral("Prece"), QStringLiteral("Cena_EUR")}, -1, true, o);
    EXPECT_EQ(f.Bands(), (QStringList{"Detailband", "Pageheader", "Titleband"}));
    TVxControl *detail = f.Find(QStringLiteral("Detailband"));
    // m = 17: (2 + 1) x 34 high, rows of (102 - 34) / 2 = 34.
    EXPECT_EQ(detail->Height(), 102);
    EXPECT_TRUE(GetBooleanProperty(detail, QStringLiteral("ForceNewPage")));
    EXPECT_TRUE(GetBooleanProperty(f.Find(QStringLiteral("Pageheader")), QStringLiteral("NotOnFirstPage")));
    TVxControl *c1 = f.Find(QStringLiteral("VxLabel1"));
    TVxControl *c2 = f.Find(QStringLiteral("VxLabel2"));
    TVxControl *t1 = f.Find(QStringLiteral("VxDBText1"));
    TVxControl *t2 = f.Find(QStringLiteral("VxDBText2"));
    ASSERT_TRUE(c1 && c2 && t1 && t2);
    EXPECT_EQ(c1->Parent(), detail);
    EXPECT_EQ(QPoint(c1->Left(), c1->Top()), QPoint(17, 29));   // round(17 + 12 + 0)
    EXPECT_EQ(QPoint(c2->Left(), c2->Top()), QPoint(17, 63));
    const int captionsRight = 34 + std::max(c1->Width(), c2->Width());
    EXPECT_EQ(QPoint(t1->Left(), t1->Top()), QPoint(captionsRight, 29));
    EXPECT_EQ(t2->Top(), 63);
    EXPECT_EQ(f.Text(c2), QStringLiteral("Cena EUR"));

    // The tabular style: no page break, a band of a given height in mm.
    f.creator.CreateTabularReport(f.prices, {QStringLiteral("Prece")}, 30, false, f.Options());
    detail = f.Find(QStringLiteral("Detailband"));
    EXPECT_FALSE(GetBooleanProperty(detail, QStringLiteral("ForceNewPage")));
    EXPECT_NEAR(double(qobject_cast<TVxCustomBand *>(detail)->Size()->Height()), 30, 0.3);
    EXPECT_EQ(f.Bands(), QStringList{"Detailband"});

    // A single form: one page-high title band with the pairs.
    f.creator.CreateSingleFormReport(f.prices, {QStringLiteral("Prece"), QStringLiteral("Cena_EUR")}, f.Options());
    EXPECT_EQ(f.Bands(), QStringList{"Titleband"});
    TVxControl *form = f.Find(QStringLiteral("Titleband"));
    EXPECT_GT(form->Height(), 900);
    EXPECT_EQ(f.Elements(QStringLiteral("Titleband")).size(), 5);
}

TEST(ReportCreator, ALabelSheetFromAStockEntrySetsThePageAndTheLabelGrid)
{
    CreatorFixture f;
    LabelFormatRec rec;
    ASSERT_TRUE(GetLabelValues(QStringLiteral("28204;0;0;7,42;4,2;4;5;4,2;7,42;A4Q;"), rec));
    const TLabelSheetLayout layout = LabelLayoutFromFormat(f.form.Report(), rec);
    EXPECT_EQ(layout.paperSize, TVxPaperSize::A4);
    EXPECT_EQ(layout.orientation, TPrinterOrientation::poLandscape);
    EXPECT_NEAR(double(layout.width), 74.2, 1e-9);
    EXPECT_NEAR(double(layout.height), 42, 1e-9);
    EXPECT_NEAR(double(layout.rightMargin), 297 - 4 * 74.2, 1e-9);
    EXPECT_NEAR(double(layout.bottomMargin), 210 - 5 * 42, 1e-9);
    EXPECT_EQ(layout.columnSpace, 0);
    EXPECT_EQ(layout.rowSpace, 0);

    ASSERT_TRUE(GetLabelValues(QStringLiteral("28171;2;1,65;9,02;4,23;2;6;4,23;9,27;A4;"), rec));
    TLabelSheetLayout sheet = LabelLayoutFromFormat(f.form.Report(), rec);
    sheet.rowSpace = 3;
    f.creator.CreateLabelReport(f.prices, {QStringLiteral("Prece"), QStringLiteral("Cena_EUR")}, sheet, f.Options());
    TVxPage *page = f.form.Report()->Page();
    EXPECT_EQ(page->PaperSize(), TVxPaperSize::A4);
    EXPECT_EQ(page->Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_EQ(page->Columns(), 2);
    EXPECT_NEAR(double(page->ColumnSpace()), 2.5, 0.01);
    EXPECT_NEAR(double(page->LeftMargin()), 16.5, 0.01);
    EXPECT_NEAR(double(page->TopMargin()), 20, 0.01);
    EXPECT_NEAR(double(page->RightMargin()), 210 - 16.5 - 2 * 90.2 - 2.5, 0.01);
    // The bottom margin keeps 3 mm clear of the printer's edge.
    EXPECT_NEAR(double(page->BottomMargin()), 297 - 20 - 6 * 42.3 - 3, 0.01);
    EXPECT_EQ(f.form.Report()->LabelSettings()->FirstLabel(), 1);
    EXPECT_EQ(f.Bands(), (QStringList{"Detailband", "RowSpace"}));
    auto *label = qobject_cast<TVxCustomBand *>(f.Find(QStringLiteral("Detailband")));
    EXPECT_NEAR(double(label->Size()->Height()), 42.3, 0.2);
    auto *space = f.Find(QStringLiteral("RowSpace"));
    EXPECT_EQ(space->ClassName(), QStringLiteral("TTesmolaChildBand"));
    EXPECT_EQ(GetPointerProperty(space, QStringLiteral("ParentBand")), label);
    EXPECT_FALSE(f.announced.contains(space));
    EXPECT_EQ(f.Elements(QStringLiteral("Detailband")).size(), 4);

    // Without a record set: a loop of rows x columns empty labels, and no
    // row space band for a sheet without gaps.
    ASSERT_TRUE(GetLabelValues(QStringLiteral("28441A;2,5;3,1;14,8;2;1;12;2;;;"), rec));
    f.creator.CreateLabelReport(nullptr, {}, LabelLayoutFromFormat(f.form.Report(), rec), f.Options());
    EXPECT_EQ(f.Bands(), QStringList{"LabelBand"});
    TVxControl *loop = f.Find(QStringLiteral("LabelBand"));
    EXPECT_EQ(loop->ClassName(), QStringLiteral("TTesmolaLoopband"));
    EXPECT_EQ(GetIntegerProperty(loop, QStringLiteral("PrintCount")), 12);
    EXPECT_EQ(f.form.Report()->LabelSettings()->LabelCount(), 12);
    EXPECT_EQ(f.form.Report()->DataSet(), nullptr);
}

} // namespace
