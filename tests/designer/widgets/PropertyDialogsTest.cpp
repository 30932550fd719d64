// The property dialogs on real elements of a designer report: what they
// show, what OK writes (exactly the changed properties, one undo step) and
// that Cancel changes nothing.
#include "designer/DesignVexa.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/PropertyDialogs.h"
#include "model/PropertyAccess.h"
#include "model/VxBand.h"
#include "model/VxCustomBand.h"
#include "model/VxCustomLabel.h"
#include "platform/ClientDataSet.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentMover.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

using namespace zelmio;

namespace {

TClientDataSet *Orders(QObject *owner)
{
    auto *data = new TClientDataSet(owner);
    data->setObjectName(QStringLiteral("Orders"));
    data->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                     "<FIELD attrname=\"NR\" fieldtype=\"i4\"/>"
                     "<FIELD attrname=\"CLIENT\" fieldtype=\"string\" WIDTH=\"20\"/>"
                     "<FIELD attrname=\"PHOTO\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>"
                     "</FIELDS></METADATA><ROWDATA><ROW NR=\"1\" CLIENT=\"Ozols\"/></ROWDATA></DATAPACKET>");
    data->Open();
    return data;
}

// A designer on a fresh report with one band, undo on.
struct DialogFixture {
    QObject application;
    TClientDataSet *orders = Orders(&application);
    TReportPrintForm form{&application, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
    TVxControl *band = nullptr;

    DialogFixture()
    {
        designer->SetEnabled(true);
        designer->SetUndoEnabled(true);
        designer->SetUndoLevels(50);
        designer->SetAutoEditAfterInsert(false);
        band = Insert(dsBand, form.Report());
        band->SetHeight(200);
        designer->Mover()->Detach();
        designer->SetChanged(false);
    }
    ~DialogFixture() { ExpressionBuilderHook() = nullptr; }
    TVxControl *Insert(int state, TVxControl *clicked, QPoint at = QPoint(10, 10))
    {
        designer->SetTesmolaState(state);
        TVxControl *made = designer->ReportMouseDown(clicked, at);
        designer->Mover()->Detach();
        return made;
    }
    // The element's text form as "path = value" entries; object blocks
    // nest their names into the path.
    QMap<QString, QString> Entries(TVxControl *element)
    {
        QMap<QString, QString> entries;
        QStringList path;
        QString last;
        for (const QString &raw : designer->ElementsText({element}).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.isEmpty())
                continue;
            if (line.startsWith(QLatin1String("object "))) {
                path << line.section(QLatin1Char(' '), 1, 1).remove(QLatin1Char(':'));
            } else if (line == QLatin1String("end")) {
                if (!path.isEmpty())
                    path.removeLast();
            } else if (line.contains(QLatin1String(" = "))) {
                last = path.join(QLatin1Char('/')) + QLatin1Char('/') + line.section(QStringLiteral(" = "), 0, 0);
                entries[last] = line.section(QStringLiteral(" = "), 1);
            } else if (!last.isEmpty()) {
                entries[last] += QLatin1Char('\n') + line;   // continuation of a list or long text
            }
        }
        return entries;
    }
};

// The properties (last path part) whose entries differ.
QStringList ChangedNames(const QMap<QString, QString> &before, const QMap<QString, QString> &after)
{
    QStringList names;
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    for (const QString &key : keys) {
        if (before.value(key) != after.value(key))
            names << key.section(QLatin1Char('/'), -1);
    }
    names.sort();
    return names;
}

// Keeps the width fixed, so that a new text changes no size.
void NoAutoSize(TVxControl *element)
{
    SetBooleanProperty(element, QStringLiteral("AutoSize"), false);
}

template <class W>
W *Find(TPropertyDialog &dialog, const QString &name)
{
    W *widget = dialog.EditorAs<W>(name);
    EXPECT_TRUE(widget) << name.toStdString();
    return widget;
}

void Choose(QComboBox *combo, const QString &text)
{
    ASSERT_TRUE(combo);
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
}

} // namespace

// Each kind: its dialog opens on an element of the report showing the
// element's values; OK after changing a few controls writes exactly those
// properties; Cancel writes nothing.
TEST(PropertyDialogs, EachKindShowsTheElementAndWritesExactlyWhatChanged)
{
    struct Case {
        const char *name;
        int state;
        const char *form;
        std::function<void(TVxControl *)> prepare;          // values the dialog must show
        std::function<void(TPropertyDialog &)> checkShown;
        std::function<void(TPropertyDialog &)> change;
        QStringList changed;                                 // text-form entries that change
        std::function<void(TVxControl *)> checkWritten;
    };
    const QList<Case> cases = {
        {"label", dsLabel, "TLabelPropertyForm",
         [](TVxControl *e) {
             NoAutoSize(e);
             SetStringProperty(e, QStringLiteral("Caption"), QStringLiteral("Net"));
         },
         [](TPropertyDialog &d) {
             EXPECT_EQ(Find<QLineEdit>(d, QStringLiteral("Caption"))->text(), QStringLiteral("Net"));
         },
         [](TPropertyDialog &d) {
             Find<QLineEdit>(d, QStringLiteral("Caption"))->setText(QStringLiteral("Total"));
             Find<QDoubleSpinBox>(d, QStringLiteral("Degree"))->setValue(45.5);
             Choose(Find<QComboBox>(d, QStringLiteral("Alignment")), QStringLiteral("Centered"));
         },
         {"Alignment", "Caption", "Degree", "Widecaption"},
         [](TVxControl *e) {
             EXPECT_EQ(GetIntegerProperty(e, QStringLiteral("Degree")), 455);
             EXPECT_EQ(GetStringProperty(e, QStringLiteral("Caption")), QStringLiteral("Total"));
         }},
        {"data text", dsDBText, "TDBTextPropertyForm",
         [](TVxControl *e) {
             NoAutoSize(e);
             SetStringProperty(e, QStringLiteral("DataField"), QStringLiteral("NR"));
         },
         [](TPropertyDialog &d) {
             EXPECT_EQ(Find<QComboBox>(d, QStringLiteral("DataSet"))->currentText(), QStringLiteral("Orders"));
             EXPECT_EQ(Find<QComboBox>(d, QStringLiteral("DataField"))->currentText(), QStringLiteral("NR"));
         },
         [](TPropertyDialog &d) {
             Choose(Find<QComboBox>(d, QStringLiteral("DataField")), QStringLiteral("CLIENT"));
             Find<QLineEdit>(d, QStringLiteral("Mask"))->setText(QStringLiteral("#0.00"));
             Find<QCheckBox>(d, QStringLiteral("BlankIfZero"))->setChecked(true);
             Find<QPlainTextEdit>(d, QStringLiteral("MapList"))->setPlainText(QStringLiteral("Yes\t1"));
         },
         {"BlankIfZero", "DataField", "MapList.Strings", "Mask"},
         [](TVxControl *e) {
             EXPECT_EQ(GetStringProperty(e, QStringLiteral("DataField")), QStringLiteral("CLIENT"));
             EXPECT_EQ(qobject_cast<TVxCustomLabel *>(e)->Caption(), QStringLiteral("CLIENT"));
             EXPECT_EQ(e->property("MapList").toStringList(), QStringList{QStringLiteral("Yes\t1")});
         }},
        {"expression", dsExpression, "TExpressionPropertyForm",
         [](TVxControl *e) {
             NoAutoSize(e);
             SetStringProperty(e, QStringLiteral("Expression"), QStringLiteral("1+1"));
         },
         [](TPropertyDialog &d) {
             EXPECT_EQ(Find<QLineEdit>(d, QStringLiteral("Expression"))->text(), QStringLiteral("1+1"));
         },
         [](TPropertyDialog &d) {
             Find<QLineEdit>(d, QStringLiteral("Expression"))->setText(QStringLiteral("2*3"));
             Find<QCheckBox>(d, QStringLiteral("ResetAfterPrint"))->toggle();
             Choose(Find<QComboBox>(d, QStringLiteral("Master")), QStringLiteral("Report"));
         },
         {"Expression", "Master", "ResetAfterPrint"},
         nullptr},
        {"memo", dsMemo, "TMemoPropertyForm",
         [](TVxControl *e) { e->setProperty("Lines", QStringList{QStringLiteral("a"), QStringLiteral("b")}); },
         [](TPropertyDialog &d) {
             EXPECT_EQ(Find<QPlainTextEdit>(d, QStringLiteral("Lines"))->toPlainText(), QStringLiteral("a\nb"));
         },
         [](TPropertyDialog &d) {
             Find<QPlainTextEdit>(d, QStringLiteral("Lines"))->setPlainText(QStringLiteral("x\ny\nz"));
             Find<QCheckBox>(d, QStringLiteral("WordWrap"))->toggle();
         },
         {"Lines.Strings", "WordWrap"},
         [](TVxControl *e) { EXPECT_EQ(e->property("Lines").toStringList().size(), 3); }},
        {"shape", dsShape, "TShapePropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) {
             Choose(Find<QComboBox>(d, QStringLiteral("Shape")), QStringLiteral("Circle"));
             Find<QSpinBox>(d, QStringLiteral("Pen.Width"))->setValue(3);
             Choose(Find<QComboBox>(d, QStringLiteral("RoundFactor")), QStringLiteral("0.3"));
         },
         {"Pen.Width", "RoundFactor", "Shape"},
         [](TVxControl *e) {
             EXPECT_NEAR(double(GetFloatProperty(e, QStringLiteral("RoundFactor"))), 0.3, 1e-6);
         }},
        {"system data", dsSysdata, "TSysDataPropertyForm", NoAutoSize, nullptr,
         [](TPropertyDialog &d) {
             Choose(Find<QComboBox>(d, QStringLiteral("Data")), QStringLiteral("Page number"));
             Find<QLineEdit>(d, QStringLiteral("Text"))->setText(QStringLiteral("Page "));
         },
         {"Data", "Text"},
         nullptr},
        {"picture", dsImage, "TImagePropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) {
             Find<QCheckBox>(d, QStringLiteral("Stretch"))->toggle();
             Find<QCheckBox>(d, QStringLiteral("Center"))->toggle();
         },
         {"Center", "Stretch"},
         nullptr},
        {"field picture", dsDBImage, "TDBImagePropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) { Find<QCheckBox>(d, QStringLiteral("Stretch"))->toggle(); },
         {"Stretch"},
         nullptr},
        {"rich text", dsRichtext, "TRichtextPropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) {
             Find<QCheckBox>(d, QStringLiteral("HiresExport"))->toggle();
             Find<QPlainTextEdit>(d, QStringLiteral("Lines"))->setPlainText(QStringLiteral("Dear %%CLIENT%%"));
         },
         {"HiresExport", "Lines.Strings", "RichtextLines"},   // the stored content follows the lines
         nullptr},
        {"field rich text", dsDBRichtext, "TDBRichtextPropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) { Find<QCheckBox>(d, QStringLiteral("AutoStretch"))->toggle(); },
         {"AutoStretch"},
         nullptr},
        {"barcode", dsBarcode, "TBarcodePropertyForm", nullptr,
         [](TPropertyDialog &d) {
             // The inserted value, its check digit shown as it will be encoded.
             EXPECT_EQ(Find<QLineEdit>(d, QStringLiteral("Value"))->text(), QStringLiteral("590123412345"));
             EXPECT_EQ(Find<QLabel>(d, QStringLiteral("BarcodeCheck"))->text(), QStringLiteral("Encoded as 5901234123457"));
             EXPECT_EQ(Find<QComboBox>(d, QStringLiteral("BarcodeType"))->currentText(), QStringLiteral("EAN-13"));
         },
         [](TPropertyDialog &d) {
             auto *check = Find<QLabel>(d, QStringLiteral("BarcodeCheck"));
             Choose(Find<QComboBox>(d, QStringLiteral("BarcodeType")), QStringLiteral("EAN-8"));
             EXPECT_TRUE(check->text().contains(QStringLiteral("EAN-8"))) << check->text().toStdString();
             Find<QLineEdit>(d, QStringLiteral("Value"))->setText(QStringLiteral("9638507"));
             EXPECT_EQ(check->text(), QStringLiteral("Encoded as 96385074"));
             Find<QLineEdit>(d, QStringLiteral("Value"))->setText(QStringLiteral("96385075"));
             EXPECT_TRUE(check->text().contains(QStringLiteral("check digit"))) << check->text().toStdString();
             Find<QLineEdit>(d, QStringLiteral("Value"))->setText(QStringLiteral("9638507"));
             Find<QSpinBox>(d, QStringLiteral("ModuleWidth"))->setValue(4);
         },
         {"BarcodeType", "ModuleWidth", "Value"},
         [](TVxControl *e) {
             EXPECT_EQ(GetStringProperty(e, QStringLiteral("Value")), QStringLiteral("9638507"));
             EXPECT_EQ(GetIntegerProperty(e, QStringLiteral("ModuleWidth")), 4);
         }},
        {"field barcode", dsDBBarcode, "TDBBarcodePropertyForm",
         [](TVxControl *e) { SetStringProperty(e, QStringLiteral("DataField"), QStringLiteral("NR")); },
         [](TPropertyDialog &d) {
             EXPECT_EQ(Find<QComboBox>(d, QStringLiteral("DataSet"))->currentText(), QStringLiteral("Orders"));
             EXPECT_EQ(Find<QComboBox>(d, QStringLiteral("DataField"))->currentText(), QStringLiteral("NR"));
             EXPECT_TRUE(Find<QSpinBox>(d, QStringLiteral("ModuleWidth"))->isEnabled());
         },
         [](TPropertyDialog &d) {
             Choose(Find<QComboBox>(d, QStringLiteral("DataField")), QStringLiteral("CLIENT"));
             Choose(Find<QComboBox>(d, QStringLiteral("BarcodeType")), QStringLiteral("QR Code"));
             // Fitted to the box, the symbol has no module width to set.
             Find<QCheckBox>(d, QStringLiteral("Stretch"))->setChecked(true);
             EXPECT_FALSE(Find<QSpinBox>(d, QStringLiteral("ModuleWidth"))->isEnabled());
             Find<QCheckBox>(d, QStringLiteral("ShowText"))->setChecked(false);
         },
         {"BarcodeType", "DataField", "ShowText", "Stretch"},
         [](TVxControl *e) { EXPECT_EQ(GetStringProperty(e, QStringLiteral("DataField")), QStringLiteral("CLIENT")); }},
        {"band", -1, "TBandPropertyForm",
         [](TVxControl *e) { SetStringProperty(e, QStringLiteral("Expression"), QStringLiteral("TRUE")); },
         [](TPropertyDialog &d) {
             EXPECT_EQ(Find<QLineEdit>(d, QStringLiteral("Expression"))->text(), QStringLiteral("TRUE"));
             EXPECT_EQ(Find<QComboBox>(d, QStringLiteral("BandKind"))->currentText(), QStringLiteral("Title"));
         },
         [](TPropertyDialog &d) {
             Find<QCheckBox>(d, QStringLiteral("ForceNewPage"))->setChecked(true);
             Find<QCheckBox>(d, QStringLiteral("EvenPages"))->setChecked(true);
             Choose(Find<QComboBox>(d, QStringLiteral("BandKind")), QStringLiteral("Detail"));
         },
         {"BandType", "ForceNewPage", "PageStep", "StartPageNum"},
         [](TVxControl *e) {
             EXPECT_EQ(GetIntegerProperty(e, QStringLiteral("StartPageNum")), 2);
             EXPECT_EQ(GetIntegerProperty(e, QStringLiteral("PageStep")), 2);
             EXPECT_EQ(qobject_cast<TVxBand *>(e)->BandType(), TVxBandType::rbDetail);
         }},
        {"sub-detail band", dsSubdetail, "TSubdetailPropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) {
             Find<QCheckBox>(d, QStringLiteral("PrintIfEmpty"))->toggle();
             Choose(Find<QComboBox>(d, QStringLiteral("DataSet")), QStringLiteral("Orders"));
         },
         {"DataSet", "PrintIfEmpty"},
         nullptr},
        {"child band", dsChildband, "TChildPropertyForm", nullptr, nullptr,
         [](TPropertyDialog &d) { Find<QCheckBox>(d, QStringLiteral("NotOnFirstPage"))->toggle(); },
         {"NotOnFirstPage"},
         nullptr},
    };

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool confirm : {true, false}) {
            DialogFixture f;
            TVxControl *element = c.state < 0 ? f.band
                                  : (c.state == dsSubdetail || c.state == dsChildband)
                                      ? f.Insert(c.state, f.form.Report())
                                      : f.Insert(c.state, f.band);
            ASSERT_TRUE(element);
            if (c.prepare)
                c.prepare(element);
            f.designer->SetChanged(false);
            const auto before = f.Entries(element);

            std::unique_ptr<TPropertyDialog> dialog = CreatePropertyDialog(f.designer, nullptr, element);
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->objectName(), QLatin1String(c.form));
            EXPECT_TRUE(dialog->PendingChanges().isEmpty()) << dialog->PendingChanges().join(',').toStdString();
            if (c.checkShown)
                c.checkShown(*dialog);
            c.change(*dialog);
            if (!confirm) {
                dialog->reject();
                EXPECT_EQ(f.Entries(element), before);
                EXPECT_FALSE(f.designer->Changed());
                continue;
            }
            dialog->accept();
            TVxControl *written = qobject_cast<TVxControl *>(dialog->Component());
            EXPECT_EQ(ChangedNames(before, f.Entries(written)).join(',').toStdString(), c.changed.join(',').toStdString());
            if (c.checkWritten)
                c.checkWritten(written);
        }
    }
}

// The designer's property command opens the dialog through the installed
// hook: OK marks the report changed with one undo step that restores the
// element; Cancel returns false and leaves the report unchanged.
TEST(PropertyDialogs, TheDesignerCommandRunsTheDialogModallyWithOneUndoStep)
{
    DialogFixture f;
    InstallPropertyDialogs(f.designer, nullptr);
    TVxControl *label = f.Insert(dsLabel, f.band);
    f.designer->SetChanged(false);
    const int undoBefore = f.designer->UndoCount();
    const QString textBefore = f.designer->ElementsText({label});

    const auto answer = [](std::function<void(TPropertyDialog *)> act) {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<TPropertyDialog *>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            act(dialog);
        });
    };
    TComponent *edited = label;
    answer([](TPropertyDialog *d) {
        d->EditorAs<QLineEdit>(QStringLiteral("Caption"))->setText(QStringLiteral("Changed"));
        d->reject();
    });
    EXPECT_FALSE(f.designer->EditProperties(edited));
    EXPECT_FALSE(f.designer->Changed());
    EXPECT_EQ(f.designer->UndoCount(), undoBefore);
    EXPECT_EQ(f.designer->ElementsText({label}), textBefore);

    answer([](TPropertyDialog *d) {
        d->EditorAs<QLineEdit>(QStringLiteral("Caption"))->setText(QStringLiteral("Changed"));
        d->accept();
    });
    EXPECT_TRUE(f.designer->EditProperties(edited));
    EXPECT_TRUE(f.designer->Changed());
    EXPECT_EQ(f.designer->UndoCount(), undoBefore + 1);
    EXPECT_EQ(GetStringProperty(label, QStringLiteral("Caption")), QStringLiteral("Changed"));
    ASSERT_TRUE(f.designer->Undo());
    // Undo rebuilds the report from its snapshot.
    TCustomVexa *report = f.designer->ParentControl();
    ASSERT_EQ(report->BandList().size(), 1);
    TVxCustomBand *band = report->BandList().first();
    TVxControl *restored = band->ControlCount() ? band->Controls(0) : nullptr;
    ASSERT_TRUE(restored);
    EXPECT_EQ(f.designer->ElementsText({restored}), textBefore);

    // The window's own commands record their undo step only when OK changed something.
    const int undoNow = f.designer->UndoCount();
    answer([](TPropertyDialog *d) { d->accept(); });
    EXPECT_TRUE(EditReportOptions(nullptr, f.designer));
    EXPECT_EQ(f.designer->UndoCount(), undoNow);
    answer([](TPropertyDialog *d) {
        d->EditorAs<QLineEdit>(QStringLiteral("ReportTitle"))->setText(QStringLiteral("Invoice"));
        d->accept();
    });
    f.designer->SetChanged(false);
    EXPECT_TRUE(EditReportOptions(nullptr, f.designer));
    EXPECT_EQ(f.designer->UndoCount(), undoNow + 1);
    EXPECT_TRUE(f.designer->Changed());
    EXPECT_EQ(GetStringProperty(f.form.Report(), QStringLiteral("ReportTitle")), QStringLiteral("Invoice"));
}

// A page range the dialog cannot show is shown as neither odd nor even, and
// confirming clears it; odd pages store 1 and 2.
TEST(PropertyDialogs, PageParityOfBands)
{
    struct Row {
        int start, step;
        bool oddShown, evenShown;
        bool setOdd;
        int startAfter, stepAfter;
    };
    const Row rows[] = {
        {3, 2, false, false, false, 0, 0},
        {0, 2, true, false, true, 1, 2},
        {2, 2, false, true, false, 2, 2},
        {0, 0, false, false, true, 1, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.start * 10 + row.step);
        DialogFixture f;
        SetIntegerProperty(f.band, QStringLiteral("StartPageNum"), row.start);
        SetIntegerProperty(f.band, QStringLiteral("PageStep"), row.step);
        auto dialog = CreatePropertyDialog(f.designer, nullptr, f.band);
        auto *odd = Find<QCheckBox>(*dialog, QStringLiteral("OddPages"));
        auto *even = Find<QCheckBox>(*dialog, QStringLiteral("EvenPages"));
        EXPECT_EQ(odd->isChecked(), row.oddShown);
        EXPECT_EQ(even->isChecked(), row.evenShown);
        if (row.setOdd)
            odd->setChecked(true);
        dialog->accept();
        EXPECT_EQ(GetIntegerProperty(f.band, QStringLiteral("StartPageNum")), row.startAfter);
        EXPECT_EQ(GetIntegerProperty(f.band, QStringLiteral("PageStep")), row.stepAfter);
    }
}

// Choosing the loop or strings band kind replaces the band by one of that
// class that keeps its name and elements, and a plain kind turns it back;
// "BlockChange" disables the choice.
TEST(PropertyDialogs, TheBandKindCanReplaceTheBandsClass)
{
    DialogFixture f;
    TVxControl *label = f.Insert(dsLabel, f.band);
    const QString name = f.band->Name();
    // Through the property command: one undo step, and the command gets the new band.
    InstallPropertyDialogs(f.designer, nullptr);
    const int undo = f.designer->UndoCount();
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TPropertyDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        Choose(dialog->EditorAs<QComboBox>(QStringLiteral("BandKind")), QStringLiteral("Loop band"));
        dialog->accept();
    });
    TComponent *edited = f.band;
    ASSERT_TRUE(f.designer->EditProperties(edited));
    EXPECT_EQ(f.designer->UndoCount(), undo + 1);
    auto *loop = qobject_cast<TVxControl *>(edited);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->metaObject()->className(), QByteArray("zelmio::TTesmolaLoopband"));
    EXPECT_EQ(loop->Name(), name);
    EXPECT_EQ(label->Parent(), loop);

    // The loop band's own dialog: master and print count.
    auto loopDialog = CreatePropertyDialog(f.designer, nullptr, loop);
    EXPECT_EQ(Find<QComboBox>(*loopDialog, QStringLiteral("Master"))->itemText(0), QStringLiteral("Report"));
    Find<QSpinBox>(*loopDialog, QStringLiteral("PrintCount"))->setValue(4);
    loopDialog->accept();
    EXPECT_EQ(GetIntegerProperty(loop, QStringLiteral("PrintCount")), 4);

    // Back to a plain detail band, then on to a strings band with its items.
    auto plainDialog = CreatePropertyDialog(f.designer, nullptr, loop);
    Choose(Find<QComboBox>(*plainDialog, QStringLiteral("BandKind")), QStringLiteral("Detail"));
    plainDialog->accept();
    auto *plain = qobject_cast<TVxBand *>(plainDialog->Component());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->BandType(), TVxBandType::rbDetail);
    auto toStrings = CreatePropertyDialog(f.designer, nullptr, plain);
    Choose(Find<QComboBox>(*toStrings, QStringLiteral("BandKind")), QStringLiteral("Strings band"));
    toStrings->accept();
    TComponent *strings = toStrings->Component();
    auto itemsDialog = CreatePropertyDialog(f.designer, nullptr, strings);
    Find<QPlainTextEdit>(*itemsDialog, QStringLiteral("Items"))->setPlainText(QStringLiteral("A\nB"));
    itemsDialog->accept();
    EXPECT_EQ(strings->property("Items").toStringList(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(label->Parent(), strings);
    loop = qobject_cast<TVxControl *>(strings);

    f.designer->PropertyAddons()->SetBoolProp(loop, QStringLiteral("BlockChange"), true);
    auto blocked = CreatePropertyDialog(f.designer, nullptr, loop);
    EXPECT_FALSE(Find<QComboBox>(*blocked, QStringLiteral("BandKind"))->isEnabled());
}

// The group band's "New band" footer creates a group footer band.
TEST(PropertyDialogs, AGroupGetsANewFooterBand)
{
    DialogFixture f;
    TVxControl *group = f.Insert(dsGroup, f.form.Report());
    const int bands = f.form.Report()->BandList().size();
    auto dialog = CreatePropertyDialog(f.designer, nullptr, group);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("TGroupPropertyForm"));
    Find<QLineEdit>(*dialog, QStringLiteral("Expression"))->setText(QStringLiteral("CLIENT"));
    Choose(Find<QComboBox>(*dialog, QStringLiteral("FooterBand")), QStringLiteral("New band"));
    dialog->accept();
    auto *footer = qobject_cast<TVxBand *>(GetPointerProperty(group, QStringLiteral("FooterBand")));
    ASSERT_TRUE(footer);
    EXPECT_EQ(footer->BandType(), TVxBandType::rbGroupFooter);
    EXPECT_FALSE(footer->Name().isEmpty());
    EXPECT_EQ(f.form.Report()->BandList().size(), bands + 1);
    EXPECT_EQ(GetStringProperty(group, QStringLiteral("Expression")), QStringLiteral("CLIENT"));
}

// Label settings: only for a label template; "Ask before print" stores -1
// and a label band print count of 0.
TEST(PropertyDialogs, ReportOptionsLabelSettings)
{
    DialogFixture f;
    TCustomVexa *report = f.form.Report();
    {
        auto dialog = CreatePropertyDialog(f.designer, nullptr, report);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("TReportPropertyForm"));
        EXPECT_FALSE(Find<QWidget>(*dialog, QStringLiteral("LabelSettings"))->isEnabled());
        // Width and length only for the custom size.
        Choose(Find<QComboBox>(*dialog, QStringLiteral("PaperSize")), QStringLiteral("A4"));
        EXPECT_FALSE(Find<QWidget>(*dialog, QStringLiteral("Page.Width"))->isEnabled());
        Choose(Find<QComboBox>(*dialog, QStringLiteral("PaperSize")), QStringLiteral("Custom"));
        EXPECT_TRUE(Find<QWidget>(*dialog, QStringLiteral("Page.Width"))->isEnabled());
    }
    SetIntegerProperty(report, QStringLiteral("LabelSettings.FirstLabel"), 3);
    f.band->SetName(QStringLiteral("LabelBand"));
    f.band = f.designer->SwapBands(f.band, QStringLiteral("TTesmolaLoopband"));
    SetIntegerProperty(f.band, QStringLiteral("PrintCount"), 5);

    auto dialog = CreatePropertyDialog(f.designer, nullptr, report);
    EXPECT_EQ(Find<QSpinBox>(*dialog, QStringLiteral("FirstLabel"))->value(), 3);
    EXPECT_EQ(Find<QSpinBox>(*dialog, QStringLiteral("LabelCount"))->value(), 5);
    EXPECT_FALSE(Find<QCheckBox>(*dialog, QStringLiteral("AskLabelCount"))->isChecked());
    Find<QCheckBox>(*dialog, QStringLiteral("AskFirstLabel"))->setChecked(true);
    Find<QSpinBox>(*dialog, QStringLiteral("LabelCount"))->setValue(0);
    dialog->accept();
    EXPECT_EQ(GetIntegerProperty(report, QStringLiteral("LabelSettings.FirstLabel")), -1);
    // A count of 0 becomes 1 and is the label count too.
    EXPECT_EQ(GetIntegerProperty(f.band, QStringLiteral("PrintCount")), 1);
    EXPECT_EQ(GetIntegerProperty(report, QStringLiteral("LabelSettings.LabelCount")), 1);

    auto again = CreatePropertyDialog(f.designer, nullptr, report);
    EXPECT_TRUE(Find<QCheckBox>(*again, QStringLiteral("AskFirstLabel"))->isChecked());
    Find<QCheckBox>(*again, QStringLiteral("AskLabelCount"))->setChecked(true);
    again->accept();
    EXPECT_EQ(GetIntegerProperty(f.band, QStringLiteral("PrintCount")), 0);
    EXPECT_EQ(GetIntegerProperty(report, QStringLiteral("LabelSettings.LabelCount")), 1);
}

// The options dialog: add-on flags and anchoring; a bad or taken name keeps
// the dialog open with the reason and changes nothing.
TEST(PropertyDialogs, OptionsSetFlagsAndRefuseBadNames)
{
    DialogFixture f;
    TVxControl *label = f.Insert(dsLabel, f.band);
    TVxControl *other = f.Insert(dsLabel, f.band, QPoint(60, 10));
    auto dialog = CreateBlockOptionsDialog(f.designer, nullptr, label);
    EXPECT_EQ(Find<QLineEdit>(*dialog, QStringLiteral("Name"))->text(), label->Name());
    Find<QCheckBox>(*dialog, QStringLiteral("BlockEdit"))->setChecked(true);
    Find<QCheckBox>(*dialog, QStringLiteral("FixBottomPosition"))->setChecked(true);
    Find<QSpinBox>(*dialog, QStringLiteral("Left"))->setValue(33);
    const QString oldName = label->Name();
    for (const QString &bad : {QStringLiteral("1abc"), other->Name()}) {
        Find<QLineEdit>(*dialog, QStringLiteral("Name"))->setText(bad);
        dialog->accept();
        EXPECT_FALSE(dialog->Applied());
        EXPECT_FALSE(Find<QLabel>(*dialog, QStringLiteral("ErrorText"))->text().isEmpty());
        EXPECT_EQ(label->Name(), oldName);
        EXPECT_FALSE(f.designer->GetBoolProp(label, QStringLiteral("BlockEdit")));
    }
    Find<QLineEdit>(*dialog, QStringLiteral("Name"))->setText(QStringLiteral("Total"));
    dialog->accept();
    EXPECT_TRUE(dialog->Applied());
    EXPECT_EQ(label->Name(), QStringLiteral("Total"));
    EXPECT_TRUE(f.designer->GetBoolProp(label, QStringLiteral("BlockEdit")));
    EXPECT_TRUE(GetBooleanProperty(label, QStringLiteral("FixBottomPosition")));
    EXPECT_EQ(label->Left(), 33);

    // Without the user right the flags cannot be changed.
    f.designer->SetAllowBlockEdit(false);
    auto locked = CreateBlockOptionsDialog(f.designer, nullptr, label);
    EXPECT_FALSE(Find<QCheckBox>(*locked, QStringLiteral("BlockEdit"))->isEnabled());
}

// The frame dialog writes the changed frame values to every selected
// element; the field text dialog for several elements leaves undecided
// settings as they were and skips elements with "BlockEdit".
TEST(PropertyDialogs, FrameAndSeveralDataTextsApplyToTheSelection)
{
    DialogFixture f;
    TVxControl *a = f.Insert(dsDBText, f.band, QPoint(10, 10));
    TVxControl *b = f.Insert(dsDBText, f.band, QPoint(60, 10));
    TVxControl *c = f.Insert(dsDBText, f.band, QPoint(110, 10));
    SetBooleanProperty(a, QStringLiteral("Transparent"), true);
    SetBooleanProperty(b, QStringLiteral("Transparent"), false);
    f.designer->PropertyAddons()->SetBoolProp(c, QStringLiteral("BlockEdit"), true);
    for (TVxControl *e : {a, b, c})
        f.designer->SelectElement(false, e);

    InstallPropertyDialogs(f.designer, nullptr);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TPropertyDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->EditorAs<QCheckBox>(QStringLiteral("Transparent"))->checkState(), Qt::PartiallyChecked);
        dialog->EditorAs<QCheckBox>(QStringLiteral("BlankIfZero"))->setChecked(true);
        dialog->accept();
    });
    f.designer->SetChanged(false);
    const int undo = f.designer->UndoCount();
    TComponent *edited = a;
    EXPECT_TRUE(f.designer->EditProperties(edited));
    EXPECT_TRUE(GetBooleanProperty(a, QStringLiteral("Transparent")));
    EXPECT_FALSE(GetBooleanProperty(b, QStringLiteral("Transparent")));
    EXPECT_TRUE(GetBooleanProperty(a, QStringLiteral("BlankIfZero")));
    EXPECT_TRUE(GetBooleanProperty(b, QStringLiteral("BlankIfZero")));
    EXPECT_FALSE(GetBooleanProperty(c, QStringLiteral("BlankIfZero")));
    EXPECT_TRUE(f.designer->Changed());
    EXPECT_EQ(f.designer->UndoCount(), undo + 1);

    // Frame: the blocked one is left out by the window's command.
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TPropertyDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("TFramePropertyForm"));
        dialog->EditorAs<QCheckBox>(QStringLiteral("Frame.DrawTop"))->setChecked(true);
        dialog->EditorAs<QSpinBox>(QStringLiteral("Frame.Width"))->setValue(4);
        dialog->accept();
    });
    EXPECT_TRUE(EditFrame(nullptr, f.designer));
    for (TVxControl *e : {a, b}) {
        EXPECT_TRUE(GetBooleanProperty(e, QStringLiteral("Frame.DrawTop")));
        EXPECT_EQ(GetIntegerProperty(e, QStringLiteral("Frame.Width")), 4);
    }
    EXPECT_FALSE(GetBooleanProperty(c, QStringLiteral("Frame.DrawTop")));
}

// Expression buttons: disabled without a builder; with one, the builder's
// result replaces the field, and the memo's gets "%%" around the result
// ("STR()" for a value that is not a text). "Remove line if empty" twice
// restores the caret's line.
TEST(PropertyDialogs, ExpressionButtonsAndRemoveLineIfEmpty)
{
    DialogFixture f;
    TVxControl *expression = f.Insert(dsExpression, f.band);
    {
        auto dialog = CreatePropertyDialog(f.designer, nullptr, expression);
        EXPECT_FALSE(Find<QPushButton>(*dialog, QStringLiteral("ExpressionBuilder"))->isEnabled());
    }
    QStringList handed;
    ExpressionBuilderHook() = [&handed](QWidget *, TVexaDesigner *, QString &text) {
        handed << text;
        text = text.isEmpty() ? QStringLiteral("1+2") : text + QStringLiteral("+1");
        return true;
    };
    auto dialog = CreatePropertyDialog(f.designer, nullptr, expression);
    auto *edit = Find<QLineEdit>(*dialog, QStringLiteral("Expression"));
    edit->setText(QStringLiteral("NR"));
    Find<QPushButton>(*dialog, QStringLiteral("ExpressionBuilder"))->click();
    EXPECT_EQ(edit->text(), QStringLiteral("NR+1"));

    TVxControl *memo = f.Insert(dsMemo, f.band, QPoint(10, 60));
    memo->setProperty("Lines", QStringList{QStringLiteral("Total: "), QStringLiteral("Name")});
    auto memoDialog = CreatePropertyDialog(f.designer, nullptr, memo);
    auto *lines = Find<QPlainTextEdit>(*memoDialog, QStringLiteral("Lines"));
    QTextCursor cursor = lines->textCursor();
    cursor.movePosition(QTextCursor::End);
    lines->setTextCursor(cursor);
    auto *remove = Find<QPushButton>(*memoDialog, QStringLiteral("RemoveLineIfEmpty"));
    remove->click();
    EXPECT_EQ(lines->toPlainText(), QStringLiteral("Total: \n%DELName"));
    remove->click();
    EXPECT_EQ(lines->toPlainText(), QStringLiteral("Total: \nName"));

    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::EndOfLine);
    lines->setTextCursor(cursor);
    Find<QPushButton>(*memoDialog, QStringLiteral("InsertExpression"))->click();
    EXPECT_EQ(lines->toPlainText(), QStringLiteral("Total: %%STR(1+2)%%\nName"));
    memoDialog->accept();
    EXPECT_EQ(memo->property("Lines").toStringList(),
              (QStringList{QStringLiteral("Total: %%STR(1+2)%%"), QStringLiteral("Name")}));
    // A long line is not cut when the marker is taken off again.
    const QString longLine(300, QLatin1Char('x'));
    EXPECT_EQ(ToggleRemoveIfEmpty(ToggleRemoveIfEmpty(longLine)), longLine);
}

// The value map dialog shows one row per map line and gives back the rows
// that are not empty, display text and stored value joined by a TAB.
TEST(PropertyDialogs, TheValueMapEditsDisplayAndStoredValues)
{
    DialogFixture f;
    TVxControl *text = f.Insert(dsDBText, f.band);
    text->setProperty("MapList", QStringList{QStringLiteral("Yes\t1"), QStringLiteral("No\t0")});
    auto dialog = CreatePropertyDialog(f.designer, nullptr, text);
    QTimer::singleShot(0, [] {
        QWidget *form = QApplication::activeModalWidget();
        ASSERT_TRUE(form);
        EXPECT_EQ(form->objectName(), QStringLiteral("TDBTextMapForm"));
        auto *grid = form->findChild<QTableWidget *>(QStringLiteral("MapGrid"));
        ASSERT_TRUE(grid);
        ASSERT_EQ(grid->rowCount(), 3);   // the two lines and an empty row to fill
        EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("No"));
        grid->item(1, 0)->setText(QStringLiteral("Never"));
        grid->item(2, 0)->setText(QStringLiteral("Maybe"));
        grid->item(2, 1)->setText(QStringLiteral("2"));
        qobject_cast<QDialog *>(form)->accept();
    });
    Find<QPushButton>(*dialog, QStringLiteral("MapListButton"))->click();
    dialog->accept();
    EXPECT_EQ(text->property("MapList").toStringList(),
              (QStringList{QStringLiteral("Yes\t1"), QStringLiteral("Never\t0"), QStringLiteral("Maybe\t2")}));
}
