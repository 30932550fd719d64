// The design surface's keyboard walk, Enter and double clicks that open
// property dialogs, and fields dragged from the data field list onto it.
#include "designer/DesignVexa.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/DatafieldListbox.h"
#include "designer/widgets/VxdScrollbox.h"
#include "model/PropertyAccess.h"
#include "model/VxCustomLabel.h"
#include "platform/ClientDataSet.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentMover.h"

#include <QApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zelmio;

namespace {

// A record set of the application window: a number, a name and a picture.
TClientDataSet *Orders(QObject *owner, const QString &name)
{
    auto *data = new TClientDataSet(owner);
    data->setObjectName(name);
    data->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                     "<FIELD attrname=\"NR\" fieldtype=\"i4\"/>"
                     "<FIELD attrname=\"CLIENT\" fieldtype=\"string\" WIDTH=\"20\"/>"
                     "<FIELD attrname=\"PHOTO\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>"
                     "</FIELDS></METADATA><ROWDATA><ROW NR=\"1\" CLIENT=\"Ozols\"/></ROWDATA></DATAPACKET>");
    data->Open();
    return data;
}

// A designer on a fresh report shown in a scroll box of the given height,
// with two bands, and the property dialog answered by the test.
struct SurfaceFixture {
    QObject application;
    TClientDataSet *orders = Orders(&application, QStringLiteral("Orders"));
    TReportPrintForm form{&application, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
    std::unique_ptr<TvxdScrollbox> box;
    TDesignSurface *surface = nullptr;
    TVxControl *top = nullptr;
    TVxControl *bottom = nullptr;
    QList<TComponent *> edited;

    explicit SurfaceFixture(int height = 800)
    {
        designer->SetEnabled(true);
        designer->SetAutoEditAfterInsert(false);
        designer->SetOnEditProperties([this](TVexaDesigner *, TComponent *&component, bool &result) {
            edited << component;
            result = true;
        });
        top = Insert(dsBand, form.Report(), QPoint());
        bottom = Insert(dsBand, form.Report(), QPoint());
        top->SetHeight(60);
        bottom->SetHeight(600);
        bottom->SetTop(top->Top() + top->Height());
        designer->Mover()->Detach();
        box = std::make_unique<TvxdScrollbox>(designer);
        surface = box->Surface();
        box->resize(400, height);
        box->show();
        surface->setFocus();
    }
    TVxControl *Insert(int state, TVxControl *clicked, QPoint at)
    {
        designer->SetTesmolaState(state);
        return designer->ReportMouseDown(clicked, at);
    }
    TVxControl *Label(TVxControl *band, QRect bounds)
    {
        TVxControl *label = Insert(dsLabel, band, QPoint());
        label->SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
        return label;
    }
    QList<TVxControl *> Selected() const { return designer->GetSelectedElements(); }
    QPoint In(TVxControl *control, QPoint at) const { return surface->ControlOrigin(control) + at; }
    // The report's background just below the bands.
    QPoint Background() const { return In(form.Report(), QPoint(5, bottom->Top() + bottom->Height() + 10)); }
};

} // namespace

TEST(DesignSurface, TabAndShiftTabWalkTheReportAndScrollIntoView)
{
    SurfaceFixture f(200);   // the lower band's end is out of view
    TVxControl *a = f.Label(f.top, QRect(60, 10, 30, 12));
    TVxControl *b = f.Label(f.top, QRect(10, 10, 30, 12));
    TVxControl *c = f.Label(f.bottom, QRect(20, 500, 30, 12));
    f.designer->Mover()->Detach();
    QSignalSpy edited(f.surface, &TDesignSurface::Edited);

    // Each one found is brought into view: c lies far down the bottom band.
    const auto shows = [&f](TVxControl *control) {
        const QRect rect = f.surface->ControlRect(control);
        const QRect shown(f.surface->mapTo(f.box->viewport(), rect.topLeft()), rect.size());
        return f.box->viewport()->rect().intersects(shown.adjusted(10, 10, -10, -10));
    };
    EXPECT_FALSE(shows(c));
    QList<TVxControl *> walk;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(f.surface, Qt::Key_Tab);
        ASSERT_EQ(f.Selected().size(), 1);
        walk << f.Selected().first();
        EXPECT_TRUE(shows(walk.last())) << i;
    }
    EXPECT_EQ(walk, (QList<TVxControl *>{f.top, b, a, f.bottom, c, f.top}));
    EXPECT_EQ(edited.count(), 6);
    // Shift+Tab goes back over the wrap to the last one.
    QTest::keyClick(f.surface, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.Selected(), QList<TVxControl *>{c});
    EXPECT_TRUE(shows(c));
    QTest::keyClick(f.surface, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(f.Selected(), QList<TVxControl *>{f.bottom});
    // A control that already shows does not scroll the box.
    const int scrolled = f.box->verticalScrollBar()->value();
    QTest::keyClick(f.surface, Qt::Key_Tab);
    EXPECT_EQ(f.box->verticalScrollBar()->value(), scrolled);
}

TEST(DesignSurface, EnterAndDoubleClicksOpenTheProperties)
{
    SurfaceFixture f;
    TVxControl *a = f.Label(f.top, QRect(10, 10, 40, 12));
    TVxControl *b = f.Label(f.top, QRect(100, 10, 40, 12));
    f.designer->Mover()->Detach();
    f.designer->SetChanged(false);
    const QRect bounds = a->BoundsRect();

    // Enter: only with exactly one selected.
    QTest::keyClick(f.surface, Qt::Key_Return);
    f.designer->SelectElement(false, a);
    f.designer->SelectElement(false, b);
    QTest::keyClick(f.surface, Qt::Key_Return);
    EXPECT_TRUE(f.edited.isEmpty());
    f.designer->Mover()->Detach();
    f.designer->SelectElement(false, a);
    QTest::keyClick(f.surface, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(f.edited, QList<TComponent *>{a});
    EXPECT_TRUE(f.designer->Changed());

    // Double clicks: an element that was not selected becomes the only
    // selection; the band's free area is the band; the report's background
    // the report, with nothing selected.
    struct Case {
        const char *what;
        QPoint at;
        TComponent *opened;
        QList<TVxControl *> selection;
    };
    const Case cases[] = {
        {"other element", f.In(b, QPoint(20, 6)), b, {b}},
        {"band", f.In(f.top, QPoint(300, 40)), f.top, {f.top}},
        {"same element", f.In(a, QPoint(5, 5)), a, {a}},
        {"report", f.Background(), f.form.Report(), {}},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.what);
        f.edited.clear();
        QTest::mouseDClick(f.surface, Qt::LeftButton, {}, test.at);
        EXPECT_EQ(f.edited, QList<TComponent *>{test.opened});
        EXPECT_EQ(f.Selected(), test.selection);
    }
    // Nothing moved on the way.
    EXPECT_EQ(a->BoundsRect(), bounds);

    // "BlockEdit" keeps the dialog shut.
    f.designer->PropertyAddons()->SetBoolProp(a, QStringLiteral("BlockEdit"), true);
    f.edited.clear();
    QTest::mouseDClick(f.surface, Qt::LeftButton, {}, f.In(a, QPoint(5, 5)));
    QTest::keyClick(f.surface, Qt::Key_Return);
    EXPECT_TRUE(f.edited.isEmpty());
    EXPECT_EQ(f.Selected(), QList<TVxControl *>{a});
}

TEST(DatafieldListbox, ShowsTheDataSourcesWithTheirFieldsAndDragsAField)
{
    SurfaceFixture f;
    f.designer->SetDatasetDisplayLabels({QStringLiteral("Orders=Pasūtījumi")});
    f.designer->SetFieldDisplayLabels({QStringLiteral("CLIENT=Client name"), QStringLiteral("PHOTO=Attēls")});
    f.designer->SetOnShowDatafield([](TField *field, bool &show) { show = field->FieldName() != QLatin1String("NR"); });
    TDatafieldListbox list(f.designer);
    EXPECT_EQ(list.objectName(), QStringLiteral("DatafieldListbox"));
    ASSERT_EQ(list.topLevelItemCount(), 1);
    QTreeWidgetItem *node = list.topLevelItem(0);
    EXPECT_EQ(node->text(0), QStringLiteral("PASŪTĪJUMI"));
    ASSERT_EQ(node->childCount(), 2);
    EXPECT_EQ(node->child(0)->text(0), QStringLiteral("Client name"));
    EXPECT_EQ(node->child(1)->text(0), QStringLiteral("Attēls"));
    EXPECT_EQ(list.FieldOf(node->child(0)), f.orders->FindField(QStringLiteral("CLIENT")));
    EXPECT_EQ(list.FieldOf(node), nullptr);

    // Only fields are dragged; the drag data leads back to the field.
    EXPECT_EQ(list.mimeData({node}), nullptr);
    std::unique_ptr<QMimeData> data(list.mimeData({node->child(1)}));
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasFormat(QLatin1String(kDatafieldMimeType)));
    EXPECT_EQ(DatafieldFromMimeData(f.designer, data.get()), f.orders->FindField(QStringLiteral("PHOTO")));

    // Refresh picks up a new record set, sorted fields and a hidden list.
    Orders(&f.application, QStringLiteral("Returns"));
    f.designer->SetDatafieldsSorted(true);
    list.Refresh();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(1)->text(0), QStringLiteral("RETURNS"));
    EXPECT_EQ(list.topLevelItem(1)->child(0)->text(0), QStringLiteral("Attēls"));
    f.designer->SetShowDatafieldListbox(false);
    list.Refresh();
    EXPECT_EQ(list.topLevelItemCount(), 0);
}

namespace {

// Sends a drag entering at the point and, when it is accepted, the drop.
bool Drop(QWidget *target, QPoint at, const QMimeData *data)
{
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(enter.isAccepted(), drop.isAccepted());
    return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

} // namespace

TEST(DesignSurface, AFieldDroppedOnABandBecomesADataElementThere)
{
    SurfaceFixture f;
    f.designer->SetFieldDisplayLabels({QStringLiteral("CLIENT=Client name")});
    TVxControl *label = f.Label(f.top, QRect(10, 10, 40, 12));
    f.designer->SetChanged(false);
    QSignalSpy edited(f.surface, &TDesignSurface::Edited);
    TDatafieldListbox list(f.designer);
    QTreeWidgetItem *node = list.topLevelItem(0);
    std::unique_ptr<QMimeData> client(list.mimeData({node->child(1)}));
    std::unique_ptr<QMimeData> photo(list.mimeData({node->child(2)}));

    // A field dropped on the bottom band while the label on the top band is
    // selected lands on the bottom band, at the drop point.
    ASSERT_TRUE(Drop(f.surface, f.In(f.bottom, QPoint(30, 40)), client.get()));
    ASSERT_EQ(f.bottom->ControlCount(), 1);
    TVxControl *text = f.bottom->Controls(0);
    EXPECT_EQ(text->metaObject()->className(), QByteArray("zelmio::TTesmolaDBText"));
    EXPECT_EQ(text->BoundsRect().topLeft(), QPoint(30, 40));
    EXPECT_EQ(GetPointerProperty(text, QStringLiteral("DataSet")), f.orders);
    EXPECT_EQ(GetStringProperty(text, QStringLiteral("DataField")), QStringLiteral("CLIENT"));
    ASSERT_TRUE(qobject_cast<TVxCustomLabel *>(text));
    EXPECT_EQ(static_cast<TVxCustomLabel *>(text)->Caption(), QStringLiteral("Client name"));
    EXPECT_TRUE(GetBooleanProperty(text, QStringLiteral("AutoSize")));
    EXPECT_EQ(f.Selected(), QList<TVxControl *>{text});
    EXPECT_TRUE(f.designer->Changed());
    EXPECT_EQ(edited.count(), 1);

    // On an element the drop goes to the element's band; a picture field
    // gives a data image.
    ASSERT_TRUE(Drop(f.surface, f.In(label, QPoint(5, 4)), photo.get()));
    ASSERT_EQ(f.top->ControlCount(), 2);
    TVxControl *image = f.top->Controls(1);
    EXPECT_EQ(image->metaObject()->className(), QByteArray("zelmio::TTesmolaDBImage"));
    EXPECT_EQ(image->BoundsRect(), QRect(15, 14, 60, 20));

    // Refused: other data, and a field on the report's background with
    // nothing selected.
    QMimeData foreign;
    foreign.setText(QStringLiteral("CLIENT"));
    foreign.setData(QStringLiteral("application/x-qabstractitemmodeldatalist"), QByteArray());
    EXPECT_FALSE(Drop(f.surface, f.In(f.bottom, QPoint(100, 100)), &foreign));
    f.designer->Mover()->Detach();
    EXPECT_FALSE(Drop(f.surface, f.Background(), client.get()));
    EXPECT_EQ(f.bottom->ControlCount(), 1);
    EXPECT_EQ(f.top->ControlCount(), 2);
}
