// Band kinds, band management, relation rules, print order and layout.
#include "ModelTestSupport.h"
#include "expr/VxEvEnvironment.h"
#include "model/ClassRegistry.h"
#include "model/PropertyAccess.h"
#include "model/Vexa.h"
#include "model/VexaBands.h"
#include "model/VxBand.h"
#include "model/VxChildBand.h"
#include "model/VxController.h"
#include "model/VxGroup.h"
#include "model/VxLoopBand.h"
#include "model/VxStringsBand.h"
#include "model/VxSubDetail.h"
#include "model/VxUnits.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// A report on a form, as templates and the designer build it.
struct Fixture {
    ScopedMeasurementSystem metric{false};
    TComponent form;
    TVexa *report = new TVexa(&form);

    Fixture() { report->Page()->SetPaperSize(TVxPaperSize::A4); }

    template <class Band>
    Band *Add(const QString &name)
    {
        auto *band = new Band(&form);
        band->SetName(name);
        band->SetParent(report);
        return band;
    }
    TVxBand *AddBand(const QString &name, TVxBandType kind)
    {
        auto *band = Add<TVxBand>(name);
        band->SetBandType(kind);
        return band;
    }
    QStringList Order() const
    {
        QStringList names;
        for (TVxCustomBand *band : report->BandList())
            names.append(band->Name().isEmpty() ? QStringLiteral("(child of %1)").arg(
                                                      qobject_cast<TVxChildBand *>(band)->ParentBand()->Name())
                                                : band->Name());
        return names;
    }
};

} // namespace

TEST(BandKinds, DisplayNamesAndNameStems)
{
    const struct {
        TVxBandType kind;
        const char *display;
        const char *stem;
    } rows[] = {
        {TVxBandType::rbTitle, "Title", "TitleBand"},
        {TVxBandType::rbPageHeader, "Page Header", "PageHeaderBand"},
        {TVxBandType::rbDetail, "Detail", "DetailBand"},
        {TVxBandType::rbPageFooter, "Page Footer", "PageFooterBand"},
        {TVxBandType::rbSummary, "Summary", "SummaryBand"},
        {TVxBandType::rbGroupHeader, "Group Header", "GroupHeaderBand"},
        {TVxBandType::rbGroupFooter, "Group Footer", "GroupFooterBand"},
        {TVxBandType::rbSubDetail, "Sub Detail", "SubDetailBand"},
        {TVxBandType::rbColumnHeader, "Column Header", "ColumnHeaderBand"},
        {TVxBandType::rbOverlay, "Overlay", "OverlayBand"},
        {TVxBandType::rbWild, "Wild", "WildBand"},
        {TVxBandType::rbChild, "Child", "ChildBand"},
    };
    TVxBand band;
    for (const auto &row : rows) {
        band.SetBandType(row.kind);
        EXPECT_EQ(band.BandTypeName(), QLatin1String(row.display));
        EXPECT_EQ(band.BandComponentName(), QLatin1String(row.stem));
    }
    TVxLoopBand loop;
    EXPECT_EQ(loop.BandType(), TVxBandType::rbSubDetail);
    EXPECT_EQ(loop.BandTypeName(), QStringLiteral("LoopBand"));
    EXPECT_EQ(loop.BandComponentName(), QStringLiteral("Loop Band"));
    TVxStringsBand strings;
    EXPECT_EQ(strings.BandTypeName(), QStringLiteral("StringsBand"));
    EXPECT_EQ(strings.BandComponentName(), QStringLiteral("Strings Band"));
    EXPECT_EQ(TVxGroup().BandType(), TVxBandType::rbGroupHeader);
    EXPECT_EQ(TVxChildBand().BandType(), TVxBandType::rbChild);
    EXPECT_EQ(TVxSubDetail().BandType(), TVxBandType::rbSubDetail);
}

TEST(BandManagement, CreateBandNamesWithTheSmallestFreeNumber)
{
    Fixture f;
    auto *taken = new TComponent(&f.form);
    taken->SetName(QStringLiteral("TitleBand1"));
    TVxBand *title = f.report->CreateBand(TVxBandType::rbTitle);
    EXPECT_EQ(title->Name(), QStringLiteral("TitleBand2"));
    EXPECT_EQ(title->Owner(), &f.form);
    EXPECT_EQ(title->Parent(), f.report);
    EXPECT_EQ(title->BandType(), TVxBandType::rbTitle);
    EXPECT_EQ(f.report->CreateBand(TVxBandType::rbDetail)->Name(), QStringLiteral("DetailBand1"));
    delete taken;
    EXPECT_EQ(f.report->CreateBand(TVxBandType::rbTitle)->Name(), QStringLiteral("TitleBand1"));

    // Without an owner the report owns its bands.
    TVexa lone;
    EXPECT_EQ(lone.CreateBand(TVxBandType::rbSummary)->Owner(), &lone);
}

TEST(BandManagement, BandsSwitchesCreateAndFreeBands)
{
    Fixture f;
    TVexaBands *bands = f.report->Bands();
    EXPECT_FALSE(bands->HasDetail());
    SetBooleanProperty(f.report, QStringLiteral("Bands.HasDetail"), true);
    ASSERT_TRUE(bands->HasDetail());
    EXPECT_EQ(bands->DetailBand()->Name(), QStringLiteral("DetailBand1"));
    bands->SetHasDetail(true);   // already there
    EXPECT_EQ(f.report->BandList().size(), 1);
    QPointer<TVxCustomBand> detail = bands->DetailBand();
    bands->SetHasDetail(false);
    EXPECT_TRUE(detail.isNull());
    EXPECT_TRUE(f.report->BandList().isEmpty());
}

TEST(BandManagement, ABandPlacedOnABandGoesToTheReport)
{
    Fixture f;
    TVxBand *detail = f.AddBand(QStringLiteral("DetailBand1"), TVxBandType::rbDetail);
    TVxBand *other = f.AddBand(QStringLiteral("Other"), TVxBandType::rbWild);
    other->SetParent(detail);
    EXPECT_EQ(other->Parent(), f.report);
    EXPECT_EQ(other->ParentReport(), f.report);
    other->SetParent(nullptr);
    EXPECT_EQ(other->ParentReport(), nullptr);
    EXPECT_FALSE(f.report->BandList().contains(other));
}

TEST(BandRelations, HasChildCreatesOneChildAndKeepsAGrandchild)
{
    Fixture f;
    TVxBand *detail = f.AddBand(QStringLiteral("DetailBand1"), TVxBandType::rbDetail);
    detail->SetHasChild(true);
    detail->SetHasChild(true);
    ASSERT_TRUE(detail->HasChild());
    auto *child = qobject_cast<TVxChildBand *>(detail->GetChild());
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->Name().isEmpty());
    EXPECT_EQ(child->Owner(), &f.form);
    EXPECT_EQ(f.report->BandList().size(), 2);

    child->SetHasChild(true);
    QPointer<TVxCustomBand> grandchild = child->GetChild();
    ASSERT_FALSE(grandchild.isNull());
    SetBooleanProperty(detail, QStringLiteral("HasChild"), false);
    ASSERT_FALSE(grandchild.isNull());
    EXPECT_EQ(detail->GetChild(), grandchild.data());
    EXPECT_EQ(qobject_cast<TVxChildBand *>(grandchild.data())->ParentBand(), detail);
    EXPECT_EQ(f.report->BandList().size(), 2);
}

TEST(BandRelations, LinkAndParentChainsThatLoopAreRefused)
{
    Fixture f;
    TVxBand *a = f.AddBand(QStringLiteral("A"), TVxBandType::rbDetail);
    TVxBand *b = f.AddBand(QStringLiteral("B"), TVxBandType::rbGroupFooter);
    TVxBand *c = f.AddBand(QStringLiteral("C"), TVxBandType::rbSummary);
    b->SetLinkBand(a);
    a->SetLinkBand(b);
    EXPECT_EQ(b->LinkBand(), a);
    EXPECT_EQ(a->LinkBand(), nullptr);
    c->SetLinkBand(b);
    a->SetLinkBand(c);   // c -> b -> a
    EXPECT_EQ(a->LinkBand(), nullptr);
    a->SetLinkBand(a);
    EXPECT_EQ(a->LinkBand(), nullptr);

    auto *child1 = f.Add<TVxChildBand>(QStringLiteral("Child1"));
    auto *child2 = f.Add<TVxChildBand>(QStringLiteral("Child2"));
    child1->SetParentBand(a);
    child2->SetParentBand(child1);
    child1->SetParentBand(child2);
    EXPECT_EQ(child1->ParentBand(), a);
    child1->SetParentBand(child1);
    EXPECT_EQ(child1->ParentBand(), a);

    // Only on a report.
    TVxChildBand loose;
    loose.SetParentBand(a);
    EXPECT_EQ(loose.ParentBand(), nullptr);
}

TEST(BandRelations, MastersMustBeReportsOrControllerBandsWithoutCycles)
{
    Fixture f;
    auto *outer = f.Add<TVxSubDetail>(QStringLiteral("Outer"));
    auto *inner = f.Add<TVxSubDetail>(QStringLiteral("Inner"));
    EXPECT_EQ(outer->Master(), f.report);   // placed on a report without master
    inner->SetMaster(outer);
    EXPECT_EQ(inner->Master(), outer);
    outer->SetMaster(inner);
    EXPECT_EQ(outer->Master(), f.report);
    outer->SetMaster(outer);
    EXPECT_EQ(outer->Master(), f.report);

    auto *group = f.Add<TVxGroup>(QStringLiteral("Group1"));
    EXPECT_EQ(group->Master(), f.report);
    TVxBand *plain = f.AddBand(QStringLiteral("Plain"), TVxBandType::rbDetail);
    group->SetMaster(plain);
    EXPECT_EQ(group->Master(), f.report);
    group->SetMaster(inner);
    EXPECT_EQ(group->Master(), inner);

    // Freeing a master clears the reference.
    delete inner;
    EXPECT_EQ(group->Master(), nullptr);
}

TEST(BandRelations, DeletingAGroupFooterLeavesTheGroupWithoutFooter)
{
    Fixture f;
    auto *group = f.Add<TVxGroup>(QStringLiteral("Group1"));
    TVxBand *footer = f.AddBand(QStringLiteral("Footer1"), TVxBandType::rbWild);
    group->SetFooterBand(footer);
    EXPECT_EQ(footer->BandType(), TVxBandType::rbGroupFooter);
    delete footer;
    EXPECT_EQ(group->FooterBand(), nullptr);
    EXPECT_EQ(f.Order(), (QStringList{"Group1"}));
}

TEST(PrintOrder, StandardBandsAndAChildChain)
{
    Fixture f;
    // Created in an order unlike the print order.
    f.AddBand(QStringLiteral("PageFooter"), TVxBandType::rbPageFooter);
    f.AddBand(QStringLiteral("Summary"), TVxBandType::rbSummary);
    TVxBand *detail = f.AddBand(QStringLiteral("Detail"), TVxBandType::rbDetail);
    f.AddBand(QStringLiteral("ColumnHeader"), TVxBandType::rbColumnHeader);
    f.AddBand(QStringLiteral("Title"), TVxBandType::rbTitle);
    f.AddBand(QStringLiteral("PageHeader"), TVxBandType::rbPageHeader);
    detail->SetHasChild(true);
    EXPECT_EQ(f.Order(), (QStringList{"PageHeader", "Title", "ColumnHeader", "Detail", "(child of Detail)",
                                      "Summary", "PageFooter"}));
    // The data controller knows its bands.
    TVxController *controller = f.report->DataController();
    EXPECT_EQ(controller->Detail(), detail);
    EXPECT_EQ(controller->Header()->Name(), QStringLiteral("Title"));
    EXPECT_EQ(controller->Footer()->Name(), QStringLiteral("Summary"));
}

TEST(PrintOrder, GroupsSubDetailsAndTheirFootersNest)
{
    Fixture f;
    f.AddBand(QStringLiteral("Summary"), TVxBandType::rbSummary);
    f.AddBand(QStringLiteral("Wild"), TVxBandType::rbWild);
    f.AddBand(QStringLiteral("Detail"), TVxBandType::rbDetail);
    auto *outer = f.Add<TVxGroup>(QStringLiteral("OuterGroup"));
    auto *inner = f.Add<TVxGroup>(QStringLiteral("InnerGroup"));
    outer->SetFooterBand(f.AddBand(QStringLiteral("OuterFooter"), TVxBandType::rbWild));
    inner->SetFooterBand(f.AddBand(QStringLiteral("InnerFooter"), TVxBandType::rbWild));
    auto *before = f.Add<TVxSubDetail>(QStringLiteral("Before"));
    before->SetPrintBefore(true);
    auto *after = f.Add<TVxSubDetail>(QStringLiteral("After"));
    after->Bands()->SetHasHeader(true);
    after->Bands()->SetHasFooter(true);
    auto *loop = f.Add<TVxLoopBand>(QStringLiteral("Loop"));
    loop->SetMaster(after);

    ASSERT_NE(after->HeaderBand(), nullptr);
    EXPECT_EQ(after->HeaderBand()->BandType(), TVxBandType::rbGroupHeader);
    EXPECT_EQ(after->FooterBand()->BandType(), TVxBandType::rbGroupFooter);
    const QString afterHeader = after->HeaderBand()->Name();
    const QString afterFooter = after->FooterBand()->Name();
    EXPECT_EQ(afterHeader, QStringLiteral("GroupHeaderBand1"));
    EXPECT_EQ(f.Order(), (QStringList{"OuterGroup", "InnerGroup", "Before", "Detail", afterHeader, "After",
                                      "Loop", afterFooter, "InnerFooter", "OuterFooter", "Summary", "Wild"}));

    // Freeing the switch's band again.
    after->Bands()->SetHasFooter(false);
    EXPECT_EQ(after->FooterBand(), nullptr);
    EXPECT_FALSE(f.Order().contains(afterFooter));
}

TEST(PrintOrder, RotationMovesTheFirstBandToTheEnd)
{
    Fixture f;
    f.AddBand(QStringLiteral("Detail"), TVxBandType::rbDetail);
    f.AddBand(QStringLiteral("PageHeader"), TVxBandType::rbPageHeader);
    f.AddBand(QStringLiteral("Summary"), TVxBandType::rbSummary);
    f.report->SetRotateBands(1);
    EXPECT_EQ(f.Order(), (QStringList{"Detail", "Summary", "PageHeader"}));
    f.report->SetRotateBands(0);
    EXPECT_EQ(f.Order(), (QStringList{"PageHeader", "Detail", "Summary"}));
}

TEST(ControllerBands, NamesBecomeReportVariables)
{
    Fixture f;
    TVxEvEnvironment *functions = f.report->Functions();
    auto *loop = f.Add<TVxLoopBand>(QStringLiteral("Rows"));
    auto *strings = f.Add<TVxStringsBand>(QStringLiteral("Lines"));
    f.Add<TVxSubDetail>(QStringLiteral("Items"));
    ASSERT_GE(functions->IndexOf(QStringLiteral("ROWS")), 0);
    EXPECT_EQ(functions->Expression(functions->IndexOf(QStringLiteral("Rows"))), QStringLiteral("0"));
    EXPECT_EQ(functions->Expression(functions->IndexOf(QStringLiteral("Lines"))), QStringLiteral("''"));
    EXPECT_EQ(functions->IndexOf(QStringLiteral("Items")), -1);
    EXPECT_EQ(functions->Count(), 5);

    loop->SetName(QStringLiteral("Labels"));
    EXPECT_EQ(functions->IndexOf(QStringLiteral("Rows")), -1);
    EXPECT_GE(functions->IndexOf(QStringLiteral("Labels")), 0);
    delete strings;
    EXPECT_EQ(functions->IndexOf(QStringLiteral("Lines")), -1);
    loop->SetParent(nullptr);
    EXPECT_EQ(functions->IndexOf(QStringLiteral("Labels")), -1);
    EXPECT_EQ(functions->Count(), 3);

    SetIntegerProperty(loop, QStringLiteral("PrintCount"), 0);
    EXPECT_EQ(loop->PrintCount(), 0);
}

TEST(Layout, BandsStackFromTheTopMarginWithColumnWidths)
{
    Fixture f;
    f.report->Page()->SetColumns(3);
    f.report->Page()->SetColumnSpace(2);   // mm
    TVxBand *title = f.AddBand(QStringLiteral("Title"), TVxBandType::rbTitle);
    TVxBand *detail = f.AddBand(QStringLiteral("Detail"), TVxBandType::rbDetail);
    TVxBand *summary = f.AddBand(QStringLiteral("Summary"), TVxBandType::rbSummary);
    title->SetHasChild(true);
    detail->SetHasChild(true);
    detail->SetHeight(60);

    // 794 px wide, margins 10 mm (38 px each, 76 together), space 8 px.
    const int printable = 794 - 76;
    const int column = (printable - 2 * 8) / 3;
    EXPECT_EQ(title->BoundsRect(), QRect(38, 38, printable, 40));
    EXPECT_EQ(title->GetChild()->BoundsRect(), QRect(38, 78, printable, 40));
    EXPECT_EQ(detail->BoundsRect(), QRect(38, 118, column, 60));
    EXPECT_EQ(detail->GetChild()->BoundsRect(), QRect(38, 178, column, 40));
    EXPECT_EQ(summary->BoundsRect(), QRect(38, 218, printable, 40));
    // The pixel width is the band's width.
    EXPECT_NEAR(double(detail->Size()->InternalValue(TVxBandSize::WidthIndex)), column * 254.0 / 96.0, 1e-9);
    EXPECT_TRUE(f.report->Modified());   // the user resized the detail band

    f.report->SetHideBands(true);
    EXPECT_EQ(detail->Top(), f.report->Height());
    EXPECT_EQ(summary->Top(), f.report->Height());
}

TEST(Layout, SizeRecordDrivesTheBandHeight)
{
    Fixture f;
    TVxBand *detail = f.AddBand(QStringLiteral("Detail"), TVxBandType::rbDetail);
    TVxBand *summary = f.AddBand(QStringLiteral("Summary"), TVxBandType::rbSummary);
    SetFloatProperty(detail, QStringLiteral("Size.Height"), 25.4);   // mm: one inch
    EXPECT_EQ(detail->Height(), 96);
    EXPECT_EQ(summary->Top(), 38 + 96);
}

TEST(Report, RecordCountAndPrintIfEmptyLiveInTheController)
{
    TVexa report;
    EXPECT_EQ(report.GetRecordCount(), 1);   // no record set
    EXPECT_EQ(report.GetRecordNumber(), 0);
    EXPECT_TRUE(report.PrintIfEmpty());
    SetBooleanProperty(&report, QStringLiteral("PrintIfEmpty"), false);
    EXPECT_FALSE(report.DataController()->PrintIfEmpty());
}

TEST(Loading, LayoutWaitsUntilLoadedAndPixelHeightsSurvive)
{
    Fixture f;
    f.report->BeginLoading();
    auto *withValues = new TVxBand(&f.form);
    auto *pixelsOnly = new TVxBand(&f.form);
    for (TVxBand *band : {withValues, pixelsOnly}) {
        band->BeginLoading();
        band->SetParent(f.report);
        SetIntegerProperty(band, QStringLiteral("BandType"), int(TVxBandType::rbDetail));
        SetIntegerProperty(band, QStringLiteral("Height"), 140);
    }
    EXPECT_TRUE(f.report->BandList().contains(withValues));
    // "Size.Values" as a template gives it: Length 370.42 (140 px), Width 608.54.
    test::CollectingFiler filer;
    DefineObjectProperties(withValues->Size(), filer);
    test::ListValueReader reader({370.416666666666700000, 608.541666666666700000});
    filer.Find(QStringLiteral("Values"))->read(reader);
    SetIntegerProperty(pixelsOnly, QStringLiteral("BandType"), int(TVxBandType::rbTitle));

    f.report->Loaded();
    withValues->Loaded();
    pixelsOnly->Loaded();
    EXPECT_EQ(withValues->Height(), 140);
    EXPECT_EQ(pixelsOnly->Height(), 140);
    EXPECT_NEAR(double(pixelsOnly->Size()->InternalValue(TVxBandSize::LengthIndex)), 140 * 254.0 / 96.0, 1e-9);
    EXPECT_EQ(f.report->BandList(), (QList<TVxCustomBand *>{pixelsOnly, withValues}));
    EXPECT_EQ(pixelsOnly->Top(), 38);
    EXPECT_EQ(withValues->Top(), 38 + 140);
    EXPECT_FALSE(f.report->Modified());
}

TEST(Report, ModifyDropsTheCachedPageUntilTheNextPaint)
{
    TVexa report;
    QPicture page;
    report.SetPreviewPage(page);
    ASSERT_NE(report.PreviewPage(), nullptr);
    int repaints = 0;
    QObject::connect(&report, &TVxControl::RepaintRequested, [&repaints](TVxControl *) { ++repaints; });
    report.Modify();
    report.Modify();
    EXPECT_EQ(repaints, 1);   // a burst of changes asks for one repaint
    EXPECT_EQ(report.PreviewPage(), nullptr);
    EXPECT_TRUE(report.Modified());
    QImage image(report.Width(), report.Height(), QImage::Format_RGB32);
    QPainter painter(&image);
    report.PaintTo(painter);
    EXPECT_FALSE(report.Modified());
}

TEST(BandManagement, AddPrintablePlacesElementsSideBySide)
{
    RegisterClass<TVxControl>();   // stands in for an element class
    RegisterClass<TVxPreviewController>();
    Fixture f;
    TVxBand *band = f.AddBand(QStringLiteral("Detail"), TVxBandType::rbDetail);
    TVxControl *first = band->AddPrintable(QStringLiteral("TVxControl"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Owner(), &f.form);
    EXPECT_EQ(first->Parent(), band);
    EXPECT_EQ(first->Left(), 1);
    first->SetBounds(1, 0, 50, 10);
    TVxControl *second = band->AddPrintable(QStringLiteral("TVxControl"));
    EXPECT_EQ(second->Left(), 61);
    EXPECT_EQ(band->AddPrintable(QStringLiteral("TNoSuchElement")), nullptr);
    EXPECT_EQ(band->AddPrintable(QStringLiteral("TVxPreviewController")), nullptr);
}
