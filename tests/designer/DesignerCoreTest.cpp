// The designer core without a window: a template built through the
// designer's own commands loads, prints and resaves to the same text; undo,
// block flags, backups, paste rules and the enabling rules of the commands.
#include "../engine/EngineTestSupport.h"
#include "designer/DesignVexa.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/VxDLoader.h"
#include "model/PropertyAccess.h"
#include "model/VxCustomBand.h"
#include "model/VxFont.h"
#include "storage/DesignClipboard.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentMover.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;
using D = TRuntimeComponentMover::TDragStyle;

namespace {

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A designer window's core on a fresh report, with a private clipboard.
struct DesignerFixture {
    TReportPrintForm form{nullptr, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
    TMemoryClipboard clipboard;
    int questions = 0;

    DesignerFixture()
    {
        InstallDesignClipboard(&clipboard);
        designer->SetEnabled(true);
        designer->SetAutoEditAfterInsert(false);
        designer->SetOnAskQuestion([this](const QString &) { ++questions; return true; });
    }
    ~DesignerFixture() { InstallDesignClipboard(nullptr); }

    TVxControl *Band()
    {
        designer->SetTesmolaState(dsBand);
        return designer->ReportMouseDown(form.Report(), QPoint(0, 0));
    }
    TVxControl *Insert(int state, TVxControl *clicked, QPoint at)
    {
        designer->SetTesmolaState(state);
        return designer->ReportMouseDown(clicked, at);
    }
    void Select(std::initializer_list<TVxControl *> elements)
    {
        designer->Mover()->Detach();
        for (TVxControl *element : elements)
            designer->SelectElement(false, element);
    }
    QString Caption(TVxControl *element) { return GetStringProperty(element, QStringLiteral("Caption")); }
};

} // namespace

TEST(DesignerCore, ATemplateBuiltByCommandsLoadsPrintsAndResaves)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("built.vx2"));
    QByteArray saved;
    {
        DesignerFixture f;
        f.designer->SetUndoEnabled(true);
        TVxControl *band = f.Band();
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(GetIntegerProperty(band, QStringLiteral("BandType")), qint64(TVxBandType::rbTitle));
        EXPECT_EQ(band->Name(), QStringLiteral("BAND1"));
        EXPECT_EQ(f.designer->TesmolaState(), int(dsNormal));
        EXPECT_TRUE(f.designer->Changed());

        // Clicks snap to the 5-pixel grid; a click on an element inserts into its band.
        TVxControl *first = f.Insert(dsLabel, band, QPoint(13, 8));
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->Parent(), band);
        EXPECT_EQ(QPoint(first->Left(), first->Top()), QPoint(10, 5));
        EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{first});
        TVxControl *second = f.Insert(dsLabel, first, QPoint(47, 17));
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->Parent(), band);
        EXPECT_EQ(QPoint(second->Left(), second->Top()), QPoint(55, 20));
        SetStringProperty(first, QStringLiteral("Caption"), QStringLiteral("Alpha"));
        SetStringProperty(second, QStringLiteral("Caption"), QStringLiteral("Beta"));

        // A drag of (33, 12) moves the surface onto the grid.
        f.Select({second});
        EXPECT_TRUE(f.designer->Mover()->Drag(D::dsMove, 33, 12));
        EXPECT_EQ(QPoint(second->Left(), second->Top()), QPoint(85, 30));
        EXPECT_TRUE(f.designer->Mover()->Drag(D::dsSizeBottomRight, 14, 3));
        const int width = second->Width();
        EXPECT_EQ(width % 5, 0);
        f.Select({first, second});
        f.designer->TopAlignSelectedElements();
        EXPECT_EQ(second->Top(), 5);
        EXPECT_EQ(f.designer->GroupSelectedElements(), 1);
        f.designer->SendToBackSelectedElements();
        EXPECT_EQ(band->ControlList().first(), second);

        // Copy and paste: selecting one member brings its group; the copies
        // get new names and no group, in the same band.
        f.Select({first});
        ASSERT_EQ(f.designer->SelectedCount(), 2);
        ASSERT_TRUE(f.designer->CopyToClipboard());
        EXPECT_TRUE(f.clipboard.Text().startsWith(QLatin1String("object")));
        ASSERT_TRUE(f.designer->PasteFromClipboard());
        ASSERT_EQ(f.designer->SelectedCount(), 2);
        TVxControl *copy = f.designer->GetSelectedElement();
        EXPECT_EQ(copy->Parent(), band);
        EXPECT_NE(copy->Name(), first->Name());
        EXPECT_EQ(f.Caption(copy), QStringLiteral("Alpha"));
        EXPECT_EQ(f.designer->PropertyAddons()->GetIntProp(copy, QStringLiteral("GroupID")), 0);
        const QString copyName = copy->Name();
        f.designer->DeleteSelectedElements();
        EXPECT_EQ(f.form.FindComponent(copyName), nullptr);
        ASSERT_TRUE(f.designer->Undo());
        ASSERT_NE(f.form.FindComponent(copyName), nullptr);
        ASSERT_TRUE(f.designer->Redo());
        EXPECT_EQ(f.form.FindComponent(copyName), nullptr);
        // Undo and redo rebuild the report: its controls are new objects.
        band = qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("BAND1")));
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->ControlCount(), 2);
        EXPECT_EQ(qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("Reportlabel2")))->Width(), width);

        ASSERT_TRUE(f.designer->SaveReport(path)) << f.designer->LastError().toStdString();
        EXPECT_FALSE(f.designer->Changed());
        saved = FileBytes(path);
    }

    {
    // A print window loads it as it is and prints both labels.
    TReportPrintForm print(nullptr);
    print.Loader()->LoadCompsAndDatamoduleFromFile(path);
    EXPECT_TRUE(print.Loader()->LoadWarnings().isEmpty()) << print.Loader()->LoadWarnings().join('\n').toStdString();
    EXPECT_EQ(print.PrintLoader()->PropertyAddons()->GetIntProp(print.FindComponent(QStringLiteral("Reportlabel1")),
                                                                 QStringLiteral("GroupID")),
              1);
    RecordingExportFilter filter;
    ExportReportToFilter(*print.Report(), filter);
    QStringList texts = filter.rec.AllTexts();
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"Alpha", "Beta"}));
    }

    DesignerFixture again;
    ASSERT_TRUE(again.designer->LoadReport(path)) << again.designer->LastError().toStdString();
    QBuffer resaved;
    resaved.open(QIODevice::ReadWrite);
    ASSERT_TRUE(again.designer->SaveReport_ToStream(resaved));
    EXPECT_EQ(QString::fromUtf8(resaved.data()).toStdString(), QString::fromUtf8(saved).toStdString());
}

// Undo keeps UndoLevels snapshots; a snapshot carries the block flags, and
// a redo does not add the restored elements to the present ones.
TEST(DesignerCore, UndoKeepsItsLevelsAndTheBlockFlags)
{
    DesignerFixture f;
    f.designer->SetUndoEnabled(true);
    int undoStateChanges = 0;
    f.designer->SetOnUndoStateChanged([&](QObject *) { ++undoStateChanges; });
    TVxControl *band = f.Band();
    TVxControl *label = f.Insert(dsLabel, band, QPoint(0, 0));
    f.designer->PropertyAddons()->SetBoolProp(label, QStringLiteral("BlockEdit"), true);
    f.Select({label});
    for (int left : {100, 200, 300}) {
        f.designer->SetHasChanged(true);
        label->SetLeft(left);
    }
    EXPECT_EQ(f.designer->UndoCount(), 3);
    const auto left = [&] { return qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("Reportlabel1")))->Left(); };
    EXPECT_TRUE(f.designer->Undo());
    EXPECT_TRUE(f.designer->Undo());
    EXPECT_TRUE(f.designer->Undo());
    EXPECT_FALSE(f.designer->Undo());
    // Back to the state after the first kept change, block flag included.
    EXPECT_EQ(left(), 0);
    TVxControl *restored = qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("Reportlabel1")));
    EXPECT_TRUE(f.designer->GetBoolProp(restored, QStringLiteral("BlockEdit")));
    EXPECT_TRUE(f.designer->Redo());
    EXPECT_EQ(left(), 100);
    EXPECT_EQ(qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("BAND1")))->ControlCount(), 1);
    EXPECT_GT(undoStateChanges, 0);
    // A new change empties the redo list.
    f.designer->SetHasChanged(true);
    EXPECT_EQ(f.designer->RedoCount(), 0);
}

TEST(DesignerCore, BlockFlagsRefuseTheirEdits)
{
    DesignerFixture f;
    TVxControl *band = f.Band();
    TVxControl *a = f.Insert(dsLabel, band, QPoint(10, 10));
    TVxControl *b = f.Insert(dsLabel, band, QPoint(50, 30));
    TPropertyAddons *addons = f.designer->PropertyAddons();
    addons->SetBoolProp(b, QStringLiteral("BlockMove"), true);
    addons->SetBoolProp(b, QStringLiteral("BlockEdit"), true);

    f.Select({a, b});
    f.designer->LeftAlignSelectedElements();
    EXPECT_EQ(b->Left(), 50);
    EXPECT_FALSE(f.designer->Mover()->Drag(D::dsMove, 20, 0));
    EXPECT_EQ(a->Left(), 10);
    f.designer->SetSelectedElementsFontSize(20);
    EXPECT_EQ(a->Font()->Size(), 20);
    EXPECT_NE(b->Font()->Size(), 20);
    f.designer->TextCenter();
    EXPECT_EQ(GetIntegerProperty(a, QStringLiteral("Alignment")), 2);
    EXPECT_EQ(GetIntegerProperty(b, QStringLiteral("Alignment")), 0);
    // Font commands do nothing while the editor is disabled.
    f.designer->SetEnabled(false);
    f.designer->SetSelectedElementsFontSize(30);
    f.designer->SetEnabled(true);

    // A single band with BlockDelete: no question, nothing deleted.
    addons->SetBoolProp(band, QStringLiteral("BlockDelete"), true);
    f.Select({band});
    f.designer->DeleteSelectedElements();
    EXPECT_EQ(f.questions, 0);
    EXPECT_EQ(f.form.Report()->ControlCount(), 1);
    // An element with BlockDelete stays, the other goes.
    addons->SetBoolProp(b, QStringLiteral("BlockDelete"), true);
    f.Select({a, b});
    QPointer<TVxControl> gone = a;
    f.designer->DeleteSelectedElements();
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(band->ControlList(), QList<TVxControl *>{b});
    // A band with its selected element: the band is asked about and goes with it.
    addons->SetBoolProp(band, QStringLiteral("BlockDelete"), false);
    TVxControl *band2 = f.Band();
    QPointer<TVxControl> c = f.Insert(dsLabel, band2, QPoint(0, 0));
    QPointer<TVxControl> band2Alive = band2;
    f.Select({band2, c});
    ASSERT_EQ(f.designer->SelectedCount(), 1);   // an element of another parent replaces the band
    f.Select({band2});
    f.designer->DeleteSelectedElements();
    EXPECT_EQ(f.questions, 1);
    EXPECT_TRUE(band2Alive.isNull());
    EXPECT_TRUE(c.isNull());
}

TEST(DesignerCore, AlignmentAndSpacingFollowTheReference)
{
    DesignerFixture f;
    TVxControl *band = f.Band();
    band->SetHeight(100);
    TVxControl *a = f.Insert(dsShape, band, QPoint(10, 0));
    TVxControl *b = f.Insert(dsShape, band, QPoint(50, 40));
    TVxControl *c = f.Insert(dsShape, band, QPoint(20, 20));
    for (TVxControl *e : {a, b, c})
        e->SetBounds(e->Left(), e->Top(), 20, 10);

    f.Select({a, b, c});
    f.designer->HorizontalSpaceEqualSelectedElements();
    EXPECT_EQ((QList<int>{a->Left(), b->Left(), c->Left()}), (QList<int>{10, 30, 50}));
    f.designer->VerticalSpaceEqualSelectedElements();
    EXPECT_EQ((QList<int>{a->Top(), b->Top(), c->Top()}), (QList<int>{0, 20, 40}));
    b->SetWidth(40);
    f.Select({a, b});
    f.designer->RightAlignSelectedElements();
    EXPECT_EQ(b->Left(), 10 + 20 - 40);
    f.designer->HorizontalCenterSelectedElements();
    EXPECT_EQ(b->Left(), 10 + 10 - 20);

    // A surface 101 wide in a band as wide as the page (718): 308.5 rounds
    // to the even 308.
    a->SetBounds(0, 0, 96, 10);
    f.Select({a});
    ASSERT_EQ(f.designer->Mover()->BoundsRect().width(), 101);
    ASSERT_EQ(band->Width(), 718);
    f.designer->HorizontalParentCenterSelectedElements();
    EXPECT_EQ(f.designer->Mover()->BoundsRect().left(), 308);
    f.designer->VerticalParentCenterSelectedElements();
    EXPECT_EQ(f.designer->Mover()->BoundsRect().top(), 50 - 15 / 2);
}

TEST(DesignerCore, PastePlainTextAndBlocks)
{
    DesignerFixture f;
    TVxControl *band = f.Band();
    band->SetHeight(40);
    f.clipboard.SetText(QStringLiteral("ABC"));
    f.Select({band});
    ASSERT_TRUE(f.designer->PasteFromClipboard());
    TVxControl *label = f.designer->GetSelectedElement();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), band);
    EXPECT_EQ(f.Caption(label), QStringLiteral("ABC"));
    EXPECT_TRUE(GetBooleanProperty(label, QStringLiteral("AutoSize")));

    f.clipboard.SetText(QStringLiteral("A\r\nB"));
    ASSERT_TRUE(f.designer->PasteFromClipboard());   // label selected: into its band
    TVxControl *memo = f.designer->GetSelectedElement();
    EXPECT_EQ(memo->Parent(), band);
    EXPECT_EQ(memo->property("Lines").toStringList(), (QStringList{"A", "B"}));

    // Two blocks: both pasted, both named anew; one that sat below the
    // target's bottom is pulled up into it.
    label->SetTop(60);
    f.Select({label, memo});
    ASSERT_TRUE(f.designer->CopyToClipboard());
    ASSERT_TRUE(f.designer->PasteFromClipboard());
    const QList<TVxControl *> pasted = f.designer->GetSelectedElements();
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_NE(pasted.at(0)->Name(), label->Name());
    EXPECT_NE(pasted.at(1)->Name(), memo->Name());
    EXPECT_LT(pasted.at(0)->Top(), band->Height());

    // A broken block ends the paste with a clear error; what came before stays.
    f.clipboard.SetText(f.designer->ElementsText({label}) + QStringLiteral("object X: TTesmolaLabel\n  Left = \n"));
    f.Select({band});
    const int before = band->ControlCount();
    try {
        f.designer->PasteFromClipboard();
        ADD_FAILURE() << "a broken block was pasted";
    } catch (const std::exception &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String("block 2"))) << e.what();
    }
    EXPECT_EQ(band->ControlCount(), before + 1);
    // A class that is no element is refused.
    f.clipboard.SetText(QStringLiteral("object Foo: TPropertyAddons\nend\n"));
    EXPECT_THROW(f.designer->PasteFromClipboard(), std::exception);
}

TEST(DesignerCore, SavingOverAFileKeepsTheBackup)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tags.vx2"));
    DesignerFixture f;
    f.designer->SetSaveBackupFiles(true);
    f.Band();
    ASSERT_TRUE(f.designer->SaveReport(path));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("tags.BAK"))));
    const QByteArray first = FileBytes(path);
    f.Band();
    ASSERT_TRUE(f.designer->SaveReport(path));
    EXPECT_EQ(FileBytes(dir.filePath(QStringLiteral("tags.BAK"))), first);
    EXPECT_NE(FileBytes(path), first);
    // A failed save says why and reports false.
    EXPECT_FALSE(f.designer->SaveReport(dir.filePath(QStringLiteral("missing/x.vx2"))));
    EXPECT_TRUE(f.designer->LastError().contains(QLatin1String("missing"))) << f.designer->LastError().toStdString();
    EXPECT_FALSE(f.designer->LoadReport(dir.filePath(QStringLiteral("none.vx2"))));
    EXPECT_TRUE(f.designer->LastError().contains(QLatin1String("none.vx2")));
}

TEST(DesignerCore, ALoadedTemplateStartsNewGroupsAfterItsOwn)
{
    DesignerFixture f;
    ASSERT_TRUE(f.designer->LoadReport(QStringLiteral(ZELMIO_SOURCE_DIR "/tests/storage/data/price-tags.vx2")))
        << f.designer->LastError().toStdString();
    EXPECT_FALSE(f.designer->Changed());
    auto *name = qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("Nosaukums")));
    auto *price = qobject_cast<TVxControl *>(f.form.FindComponent(QStringLiteral("Cena")));
    ASSERT_TRUE(name && price);
    // Selecting a grouped element selects its group.
    f.Select({name});
    EXPECT_GE(f.designer->SelectedCount(), 1);
    f.Select({price});
    EXPECT_GT(f.designer->GroupSelectedElements(), 3);
}

// The commands' enabling rules for a table of selections.
TEST(DesignerCore, CommandsFollowTheSelection)
{
    DesignerFixture f;
    TVxControl *band = f.Band();
    TVxControl *a = f.Insert(dsLabel, band, QPoint(0, 0));
    TVxControl *b = f.Insert(dsLabel, band, QPoint(30, 0));
    TVxControl *c = f.Insert(dsLabel, band, QPoint(60, 0));
    using C = TDesignerCommand;
    struct Case {
        QList<TVxControl *> selection;
        QList<C> enabled;
        QList<C> disabled;
    };
    const QList<Case> cases = {
        {{}, {C::Font}, {C::Copy, C::Delete, C::LeftAlign, C::HorizontalSpaceEqual, C::Ungroup, C::Paste}},
        {{a}, {C::Copy, C::Cut, C::Delete, C::BringToFront, C::HorizontalParentCenter},
         {C::LeftAlign, C::HorizontalCenter, C::Group, C::HorizontalSpaceEqual}},
        {{a, b}, {C::LeftAlign, C::VerticalCenter, C::Group}, {C::HorizontalSpaceEqual, C::VerticalSpaceEqual}},
        {{a, b, c}, {C::HorizontalSpaceEqual, C::VerticalSpaceEqual, C::BottomAlign}, {C::Ungroup}},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.selection.size());
        f.designer->Mover()->Detach();
        for (TVxControl *e : test.selection)
            f.designer->SelectElement(false, e);
        for (C command : test.enabled)
            EXPECT_TRUE(f.designer->CommandEnabled(command)) << int(command);
        for (C command : test.disabled)
            EXPECT_FALSE(f.designer->CommandEnabled(command)) << int(command);
    }
    f.Select({a, b});
    f.designer->GroupSelectedElements();
    f.Select({a});
    EXPECT_EQ(f.designer->SelectedCount(), 2);   // the group comes along
    EXPECT_TRUE(f.designer->CommandEnabled(C::Ungroup));
    f.designer->CopyToClipboard();
    EXPECT_TRUE(f.designer->CommandEnabled(C::Paste));
    EXPECT_FALSE(f.designer->CommandEnabled(C::Undo));
    f.designer->SetUndoEnabled(true);
    f.designer->LeftAlignSelectedElements();
    EXPECT_TRUE(f.designer->CommandEnabled(C::Undo));
    // The info panel: one element shows its kind, name and position.
    f.designer->UngroupAllElements();
    f.Select({c});
    EXPECT_EQ(f.designer->InfoText(), QStringLiteral("Label: ") + c->Name());
    EXPECT_TRUE(f.designer->InfoXPos().startsWith(QLatin1String("60 (")));
    EXPECT_TRUE(f.designer->InfoDividerVisible());
    f.Select({band});
    EXPECT_TRUE(f.designer->InfoXPos().isEmpty());
    EXPECT_FALSE(f.designer->InfoDividerVisible());
}

TEST(DesignerCore, ZoomStaysWithinItsRange)
{
    DesignerFixture f;
    f.designer->SetZoom(25);
    f.designer->ZoomOut();
    EXPECT_EQ(f.designer->Zoom(), 12);
    f.designer->ZoomOut();
    EXPECT_EQ(f.designer->Zoom(), 12);
    f.designer->SetZoom(1000);
    EXPECT_EQ(f.designer->Zoom(), 300);
}

// Tab walks bands and elements by the reading order of their top-left
// corners on the report, wrapping at both ends; a group comes along.
TEST(DesignerCore, TabOrderFollowsTheCornersOnTheReport)
{
    DesignerFixture f;
    TVxControl *top = f.Band();
    TVxControl *bottom = f.Band();
    ASSERT_TRUE(top && bottom);
    ASSERT_GT(bottom->Top(), top->Top() + 30);
    // Created out of order: a and b share their top, b is further left;
    // c is on the bottom band's first row, level with nothing on the top band.
    TVxControl *c = f.Insert(dsLabel, bottom, QPoint(0, 0));
    TVxControl *a = f.Insert(dsLabel, top, QPoint(0, 0));
    TVxControl *b = f.Insert(dsLabel, top, QPoint(0, 0));
    TVxControl *hidden = f.Insert(dsLabel, top, QPoint(0, 0));
    a->SetBounds(60, 10, 20, 10);
    b->SetBounds(10, 10, 20, 10);
    c->SetBounds(40, 0, 20, 10);
    hidden->SetBounds(0, 20, 20, 10);
    hidden->SetVisible(false);
    TRuntimeComponentMover *mover = f.designer->Mover();
    EXPECT_EQ(mover->TabOrder(), (QList<TVxControl *>{top, b, a, bottom, c}));

    struct Case {
        TVxControl *from;
        TVxControl *next;
        TVxControl *previous;
    };
    const Case cases[] = {
        {nullptr, top, c}, {top, b, c}, {b, a, top}, {a, bottom, b}, {c, top, bottom},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.from ? test.from->Name().toStdString() : "none");
        f.Select({test.from});
        EXPECT_EQ(mover->NextElement(true), test.next);
        EXPECT_EQ(mover->NextElement(false), test.previous);
    }
    // Selecting the next one leaves it alone in the selection.
    f.Select({a, b});
    EXPECT_EQ(mover->SelectNextElement(), bottom);
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{bottom});
    EXPECT_EQ(mover->SelectPreviousElement(), a);
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{a});
    f.Select({a, b});
    f.designer->GroupSelectedElements();
    f.Select({top});
    EXPECT_EQ(mover->SelectNextElement(), b);
    EXPECT_EQ(f.designer->GetSelectedElements(), (QList<TVxControl *>{b, a}));
}
