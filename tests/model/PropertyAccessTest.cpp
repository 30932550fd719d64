// Property tables (names, order, writing rules) and property access by name.
#include "ModelTestSupport.h"

#include "model/PropertyAccess.h"
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxChildBand.h"
#include "model/VxGroup.h"
#include "model/VxLoopBand.h"
#include "model/VxPrinterSettings.h"
#include "model/VxStringsBand.h"
#include "model/VxSubDetail.h"
#include "model/VxUnits.h"

#include <gtest/gtest.h>

using namespace zelmio;
using zelmio::test::PropertyNames;
using zelmio::test::StoredLines;

namespace {

const QStringList kBandBase = {
    "Name", "Tag", "Left", "Top", "Width", "Height", "Frame", "Enabled", "ForceNewPage",
    "ForceNewColumn", "AlignToBottom", "KeepOnOnePage", "PreCaluculateBandHeight", "TransparentBand",
    "LinkBand", "Size", "Color", "Font", "ParentFont", "BeforePrint", "AfterPrint", "HasChild"};

} // namespace

TEST(PropertyTables, ReportPropertiesInDeclarationOrderBaseFirst)
{
    const QStringList expected = {
        "Name", "Tag", "Left", "Top", "Width", "Height", "Frame", "Bands", "DataSet", "Description",
        "Font", "Functions", "Options", "Page", "PrinterSettings", "PrintIfEmpty", "ReportTitle",
        "ShowProgress", "SnapToGrid", "Units", "Zoom", "BackImageControl", "BackgroundColor",
        "CreateInBGThread", "StartNewPageInComposite", "PrevFormStyle", "PreviewInitialState",
        "PreviewWidth", "PreviewHeight", "PreviewLeft", "PreviewTop", "PagesInPreview", "PrevShowThumbs",
        "PrevShowSearch", "PrevInitialZoom", "PreviewDefaultSaveType", "ShowingPreview", "PreviewController",
        "BeforePrint", "AfterPrint", "AfterPreview", "OnPreviewShowing", "OnStartPage", "OnEndPage",
        "OnNeedData", "OnPreview", "OnExport", "OnGetPrinterSettings", "OnApplyPrinterSettings",
        "OnPrevXEvent", "OnStandPrevEvent", "onStandPrevMouseEvent"};
    EXPECT_EQ(PropertyNames(&TVexa::staticMetaObject), expected);
}

TEST(PropertyTables, BandClassesAddTheirPropertiesAfterTheCommonOnes)
{
    struct Row {
        const QMetaObject *metaObject;
        QStringList added;
    };
    const Row rows[] = {
        {&TVxBand::staticMetaObject, {"BandType"}},
        {&TVxChildBand::staticMetaObject, {"ParentBand", "PrintOrder"}},
        {&TVxGroup::staticMetaObject, {"Expression", "FooterBand", "Master", "ReprintOnNewPage"}},
        {&TVxSubDetail::staticMetaObject,
         {"Master", "DataSet", "HeaderBand", "FooterBand", "Bands", "OnNeedData", "PrintBefore", "PrintIfEmpty"}},
        {&TVxLoopBand::staticMetaObject, {"Master", "PrintCount", "PrintBefore"}},
        {&TVxStringsBand::staticMetaObject, {"Master", "Items", "PrintBefore"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.metaObject->className());
        EXPECT_EQ(PropertyNames(row.metaObject), kBandBase + row.added);
    }
    EXPECT_EQ(PropertyNames(&TVxPage::staticMetaObject),
              (QStringList{"BottomMargin", "Columns", "ColumnSpace", "LeftMargin", "Length", "Orientation",
                           "PaperSize", "RightMargin", "Ruler", "TopMargin", "Width", "Continuous"}));
    EXPECT_EQ(PropertyNames(&TVxFrame::staticMetaObject),
              (QStringList{"Color", "DrawTop", "DrawBottom", "DrawLeft", "DrawRight", "Style", "Width"}));
    EXPECT_EQ(PropertyNames(&TVxFont::staticMetaObject),
              (QStringList{"Charset", "Color", "Height", "Name", "Size", "Style"}));
}

// What a template writer driven by the tables writes for a new report: every
// "always" property, nothing at its default, sub-objects with dotted paths,
// defined properties last.
TEST(PropertyTables, NewReportWritesExactlyTheAlwaysWrittenProperties)
{
    ScopedMeasurementSystem metric(false);
    TVexa report;
    const QStringList expected = {
        "Left = 0", "Top = 0", "Width = 794", "Height = 1123",
        "Frame.Color = clBlack", "Frame.DrawTop = False", "Frame.DrawBottom = False",
        "Frame.DrawLeft = False", "Frame.DrawRight = False", "Frame.Style = psSolid", "Frame.Width = 1",
        "Font.Charset = DEFAULT_CHARSET", "Font.Color = clWindowText", "Font.Height = -13",
        "Font.Name = 'Arial'", "Font.Style = []",
        "Functions.Strings = ('PAGENUMBER', 'COLUMNNUMBER', 'REPORTTITLE')",
        "Functions.DATA = ('0', '0', '''')",
        "Options = [FirstPageHeader, LastPageFooter]",
        "Page.Columns = 1", "Page.Orientation = poPortrait", "Page.PaperSize = Default",
        "Page.Continuous = False",
        "Page.Values = (100.000000, 2970.000000, 100.000000, 2100.000000, 100.000000, 100.000000, 0.000000)",
        "PrinterSettings.Copies = 1", "PrinterSettings.Duplex = False", "PrinterSettings.OutputBin = Auto",
        "PrinterSettings.FirstPage = 0", "PrinterSettings.LastPage = 0",
        "PrinterSettings.PrintMetaFile = False", "PrinterSettings.UseStandardprinter = False",
        "PrinterSettings.ExtendedDuplex = 0", "PrinterSettings.Collate = 0",
        "PrinterSettings.ColorOption = 0", "PrinterSettings.UseCustomBinCode = False",
        "PrinterSettings.CustomBinCode = 0", "PrinterSettings.UseCustomPaperCode = False",
        "PrinterSettings.CustomPaperCode = 0",
        "PrintIfEmpty = True", "SnapToGrid = True", "Units = MM", "Zoom = 100",
        "PrevFormStyle = fsNormal", "PreviewInitialState = wsNormal", "PreviewWidth = 0",
        "PreviewHeight = 0", "PreviewLeft = 0", "PreviewTop = 0", "PrevInitialZoom = vxZoomToFit",
        "PreviewDefaultSaveType = stPDF", "ShowingPreview = False"};
    EXPECT_EQ(StoredLines(&report), expected);
}

TEST(PropertyTables, ValuesLeaveTheirDefaultsAndAreWritten)
{
    TComponent form;
    TVexa report(&form);
    report.SetName(QStringLiteral("Vexa"));
    auto *band = new TVxBand(&form);
    band->SetName(QStringLiteral("DetailBand1"));
    band->SetParent(&report);

    SetStringProperty(&report, QStringLiteral("ReportTitle"), QStringLiteral("Cenu z\u012Bmes"));
    SetBooleanProperty(&report, QStringLiteral("ShowProgress"), false);
    SetIntegerProperty(&report, QStringLiteral("BackgroundColor"), qint64(clYellow));
    SetIntegerProperty(band, QStringLiteral("BandType"), qint64(TVxBandType::rbDetail));
    SetBooleanProperty(band, QStringLiteral("Enabled"), false);
    SetIntegerProperty(band, QStringLiteral("Font.Size"), 12);

    const QStringList reportLines = StoredLines(&report);
    EXPECT_TRUE(reportLines.contains(QStringLiteral("ReportTitle = 'Cenu z\u012Bmes'")));
    EXPECT_TRUE(reportLines.contains(QStringLiteral("ShowProgress = False")));
    EXPECT_TRUE(reportLines.contains(QStringLiteral("BackgroundColor = clYellow")));

    const QStringList bandLines = StoredLines(band);
    EXPECT_TRUE(bandLines.contains(QStringLiteral("BandType = rbDetail")));
    EXPECT_TRUE(bandLines.contains(QStringLiteral("Enabled = False")));
    EXPECT_TRUE(bandLines.contains(QStringLiteral("Font.Height = -16")));
    EXPECT_TRUE(bandLines.contains(QStringLiteral("ParentFont = False")));
    EXPECT_FALSE(bandLines.contains(QStringLiteral("Color = clWhite")));   // same as the report's
    EXPECT_FALSE(bandLines.join(QLatin1Char('\n')).contains(QLatin1String("HasChild")));
    // The band's size goes through its "Values" only.
    EXPECT_TRUE(bandLines.filter(QStringLiteral("Size.")).size() == 1);
    EXPECT_TRUE(bandLines.contains(QStringLiteral("Size.Values = (105.833333, ") + QString::number(
                                       double(band->Size()->InternalValue(1)), 'f', 6) + QLatin1Char(')')));

    SetIntegerProperty(band, QStringLiteral("Color"), qint64(clSilver));
    EXPECT_TRUE(StoredLines(band).contains(QStringLiteral("Color = clSilver")));
}

TEST(PropertyTables, StoredDefaultsEqualInitialValuesSoValuesRoundTrip)
{
    // A value equal to the stored default is left out and must read back
    // the same after loading, so the default has to be the initial value.
    TVxPrinterSettings settings;
    EXPECT_FALSE(IsPropertyStored(&settings, FindPublishedProperty(settings.metaObject(), "MemoryLimit")));
    settings.SetMemoryLimit(250000);
    EXPECT_TRUE(IsPropertyStored(&settings, FindPublishedProperty(settings.metaObject(), "MemoryLimit")));
    settings.SetPrintQuality(600);
    EXPECT_TRUE(IsPropertyStored(&settings, FindPublishedProperty(settings.metaObject(), "PrintQuality")));

    TVxPreviewController preview;
    EXPECT_EQ(preview.prevInitHeight(), 640);
    EXPECT_FALSE(IsPropertyStored(&preview, FindPublishedProperty(preview.metaObject(), "prevInitHeight")));
    SetIntegerProperty(&preview, QStringLiteral("prevInitHeight"), 600);
    EXPECT_TRUE(IsPropertyStored(&preview, FindPublishedProperty(preview.metaObject(), "prevInitHeight")));
}

TEST(PropertyAccess, MissingPropertiesGiveNeutralResultsAndIgnoreWrites)
{
    TVexa report;
    const QString missing = QStringLiteral("NoSuchProperty");
    EXPECT_FALSE(PropertyExists(&report, missing));
    EXPECT_EQ(GetIntegerProperty(&report, missing), 0);
    EXPECT_FALSE(GetBooleanProperty(&report, missing));
    EXPECT_EQ(GetFloatProperty(&report, missing), 0);
    EXPECT_EQ(GetStringProperty(&report, missing), QString());
    EXPECT_EQ(GetPointerProperty(&report, missing), nullptr);
    EXPECT_EQ(GetPointerProperty(&report, QStringLiteral("Page.Nothing")), nullptr);
    SetIntegerProperty(&report, missing, 1);
    SetBooleanProperty(&report, missing, true);
    SetFloatProperty(&report, missing, 1);
    SetStringProperty(&report, missing, QStringLiteral("x"));
    SetPointerProperty(&report, missing, &report);
    SetMethodProperty(&report, missing, QVariant());
    SetBoolProp(nullptr, QStringLiteral("Enabled"), true);
    EXPECT_EQ(GetIntegerProperty(nullptr, QStringLiteral("Zoom")), 0);
    EXPECT_EQ(GetFontProperty(nullptr), nullptr);
    // A value of the wrong kind is no property of that kind.
    EXPECT_EQ(GetStringProperty(&report, QStringLiteral("Zoom")), QString());
}

TEST(PropertyAccess, NamesIgnoreCaseAndDottedPathsReachSubObjects)
{
    ScopedMeasurementSystem metric(false);
    TVexa report;
    SetIntegerProperty(&report, QStringLiteral("zoom"), 150);
    EXPECT_EQ(report.Zoom(), 150);
    SetIntegerProperty(&report, QStringLiteral("Page.Columns"), 3);
    EXPECT_EQ(report.Page()->Columns(), 3);
    EXPECT_DOUBLE_EQ(double(GetFloatProperty(&report, QStringLiteral("Page.Width"))), 210.0);
    EXPECT_EQ(GetPointerProperty(&report, QStringLiteral("Page")), report.Page());
    EXPECT_EQ(GetFontProperty(&report), report.Font());
    EXPECT_TRUE(PropertyExists(&report, QStringLiteral("printersettings.memorylimit")));
}

TEST(PropertyAccess, EnumerationsAndSetsThroughTheIntegerOperations)
{
    TVexa report;
    SetIntegerProperty(&report, QStringLiteral("Units"), 1);
    EXPECT_EQ(report.GetUnits(), TVxUnit::Inches);
    SetIntegerProperty(&report, QStringLiteral("Units"), 17);   // no such unit
    EXPECT_EQ(report.GetUnits(), TVxUnit::Inches);
    EXPECT_EQ(GetIntegerProperty(&report, QStringLiteral("Options")), 0x1 | 0x2);
    SetIntegerProperty(&report, QStringLiteral("Options"), 0x4);
    EXPECT_EQ(report.Options(), TVxReportOptions(TVxReportOption::Compression));
    SetIntegerProperty(&report, QStringLiteral("Options"), 0x40);   // no such member
    EXPECT_EQ(report.Options(), TVxReportOptions(TVxReportOption::Compression));
    // Character sets: any byte.
    SetIntegerProperty(&report, QStringLiteral("Font.Charset"), 186);
    EXPECT_EQ(report.Font()->Charset(), TFontCharset::BALTIC_CHARSET);
    SetIntegerProperty(&report, QStringLiteral("Font.Charset"), 5);
    EXPECT_EQ(int(report.Font()->Charset()), 5);
    // Colours are integers, system colours negative.
    EXPECT_EQ(GetIntegerProperty(&report, QStringLiteral("Font.Color")), qint64(qint32(0x80000008)));
}

TEST(PropertyAccess, BooleanTrueOnlyForOrdinalExactlyOne)
{
    TVexa report;
    TVxBand band;
    SetIntegerProperty(&band, QStringLiteral("Enabled"), 2);   // not a Boolean ordinal
    EXPECT_TRUE(band.Enabled());
    SetIntegerProperty(&band, QStringLiteral("Enabled"), 0);
    EXPECT_FALSE(GetBooleanProperty(&band, QStringLiteral("Enabled")));
    EXPECT_EQ(GetIntegerProperty(&band, QStringLiteral("Enabled")), 0);
    // Read as Boolean, an ordinal property holding 2 is false, 1 is true.
    SetIntegerProperty(&report, QStringLiteral("Page.Columns"), 2);
    EXPECT_FALSE(GetBooleanProperty(&report, QStringLiteral("Page.Columns")));
    SetIntegerProperty(&report, QStringLiteral("Page.Columns"), 1);
    EXPECT_TRUE(GetBooleanProperty(&report, QStringLiteral("Page.Columns")));
}

TEST(PropertyAccess, ReferencesAreCheckedForTheirClass)
{
    TComponent form;
    TVexa report(&form);
    auto *group = new TVxGroup(&form);
    group->SetParent(&report);
    auto *footer = new TVxBand(&form);
    footer->SetParent(&report);

    SetPointerProperty(group, QStringLiteral("FooterBand"), &report);   // not a band
    EXPECT_EQ(group->FooterBand(), nullptr);
    SetPointerProperty(group, QStringLiteral("FooterBand"), footer);
    EXPECT_EQ(group->FooterBand(), footer);
    EXPECT_EQ(footer->BandType(), TVxBandType::rbGroupFooter);
    EXPECT_EQ(GetPointerProperty(group, QStringLiteral("Master")), &report);
    SetPointerProperty(group, QStringLiteral("FooterBand"), nullptr);
    EXPECT_EQ(group->FooterBand(), nullptr);
    // A sub-object is assigned, never replaced.
    TVxFrame frame;
    frame.SetDrawTop(true);
    frame.SetWidth(3);
    SetPointerProperty(&report, QStringLiteral("Frame"), &frame);
    EXPECT_NE(report.Frame(), &frame);
    EXPECT_TRUE(report.Frame()->DrawTop());
    EXPECT_EQ(report.Frame()->Width(), 3);
}

TEST(PropertyAccess, HooksAreSetClearedAndCalledWithWritableParameters)
{
    TVxBand band;
    int calls = 0;
    TVxBandBeforePrintEvent veto([&calls](TVxCustomBand *, bool &print) {
        ++calls;
        print = false;
    });
    SetMethodProperty(&band, QStringLiteral("BeforePrint"), veto);
    EXPECT_TRUE(IsHookAssigned(&band, QStringLiteral("BeforePrint")));
    bool print = true;
    band.BeforePrint()(&band, print);
    EXPECT_FALSE(print);
    EXPECT_EQ(calls, 1);

    // A hook of another signature is not taken.
    SetMethodProperty(&band, QStringLiteral("AfterPrint"), veto);
    EXPECT_FALSE(IsHookAssigned(&band, QStringLiteral("AfterPrint")));
    SetMethodProperty(&band, QStringLiteral("BeforePrint"), QVariant());
    EXPECT_FALSE(band.BeforePrint().Assigned());

    // Keep, replace, chain, restore.
    TVexa report;
    bool kept = false;
    report.SetBeforePrint(TVxReportBeforePrintEvent([&kept](TCustomVexa *, bool &) { kept = true; }));
    const TVxReportBeforePrintEvent saved = report.BeforePrint();
    report.SetBeforePrint(TVxReportBeforePrintEvent([saved](TCustomVexa *sender, bool &go) { saved(sender, go); }));
    bool go = true;
    report.BeforePrint()(&report, go);
    EXPECT_TRUE(kept);
    report.SetBeforePrint(saved);
    EXPECT_TRUE(IsHookAssigned(&report, QStringLiteral("BeforePrint")));
}
