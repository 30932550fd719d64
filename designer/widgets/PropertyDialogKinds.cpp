// The property dialogs of the report, the bands and the elements.
#include "designer/widgets/PropertyDialogKinds.h"

#include "designer/DesignExpressions.h"
#include "designer/VexaDesigner.h"
#include "model/Component.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxBand.h"
#include "model/VxBarcodeSymbol.h"
#include "model/VxCustomBand.h"
#include "model/VxElementTypes.h"
#include "model/VxGroup.h"
#include "model/VxLoopBand.h"
#include "model/VxStringsBand.h"
#include "model/VxSubDetail.h"
#include "model/VxTypes.h"
#include "storage/UniqueComponentName.h"
#include "storage/VxDCtrlFactory.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBlock>
#include <QVBoxLayout>
#include <cmath>

namespace zelmio {

using VxElementTypes::TVxShapeType;
using VxElementTypes::TVxSysDataType;

namespace {

using TEntries = QList<QPair<QString, int>>;

// A dialog built by its kind's function from the shared controls.
class TKindDialog : public TPropertyDialog {
public:
    TKindDialog(TVexaDesigner *designer, TComponent *component, QWidget *parent, const QString &key,
                const QString &title)
        : TPropertyDialog(designer, component, parent, designer ? designer->RuntimeMessage(key, title) : title)
    {
        setObjectName(key);
    }
    using TPropertyDialog::AddAddonCheck;
    using TPropertyDialog::AddBandColor;
    using TPropertyDialog::AddCheck;
    using TPropertyDialog::AddChoice;
    using TPropertyDialog::AddColor;
    using TPropertyDialog::AddDataField;
    using TPropertyDialog::AddExpression;
    using TPropertyDialog::AddFloat;
    using TPropertyDialog::AddFont;
    using TPropertyDialog::AddFrame;
    using TPropertyDialog::AddInt;
    using TPropertyDialog::AddLines;
    using TPropertyDialog::AddPageParity;
    using TPropertyDialog::AddReference;
    using TPropertyDialog::AddRow;
    using TPropertyDialog::AddText;
    using TPropertyDialog::Bind;
    using TPropertyDialog::LinkBandEntries;
    using TPropertyDialog::MasterEntries;
    using TPropertyDialog::Message;
    using TPropertyDialog::Register;
    using TPropertyDialog::Report;
    using TPropertyDialog::SetComponent;
    using TPropertyDialog::SetSeveral;
    using TPropertyDialog::SetTargets;
    using TPropertyDialog::Targets;

    // Common rows of the text elements.
    void AddAlignment()
    {
        AddChoice(QStringLiteral("Alignment"), Message(QStringLiteral("Alignment"), QStringLiteral("Alignment")),
                  {{Message(QStringLiteral("AlignLeft"), QStringLiteral("Left")), 0},
                   {Message(QStringLiteral("AlignRight"), QStringLiteral("Right")), 1},
                   {Message(QStringLiteral("AlignCenter"), QStringLiteral("Centered")), 2}});
    }
    void AddElementColor() { AddColor(QStringLiteral("Color"), Message(QStringLiteral("Color"), QStringLiteral("Colour"))); }
    void AddRotation()
    {
        if (!PropertyExists(Component(), QStringLiteral("Degree")))
            return;
        auto *spin = new QDoubleSpinBox(this);
        Register(QStringLiteral("Degree"), spin);
        spin->setDecimals(1);
        spin->setRange(0, 360);
        const int degree = int(GetIntegerProperty(Component(), QStringLiteral("Degree")));
        spin->setValue(degree / 10.0);
        AddRow(Message(QStringLiteral("Rotation"), QStringLiteral("Rotation")), spin);
        Bind(QStringLiteral("Degree"), [spin] { return QVariant(int(std::lround(spin->value() * 10))); },
             [this](const QVariant &value) {
                 for (TComponent *target : Targets())
                     SetIntegerProperty(target, QStringLiteral("Degree"), value.toInt());
             },
             QVariant(degree));
    }
    void AddXLColumn() { AddInt(QStringLiteral("XLColumn"), QStringLiteral("XLColumn"), 0, 256); }
    void AddPageBreaks()
    {
        AddCheck(QStringLiteral("AlignToBottom"), Message(QStringLiteral("AlignToBottom"), QStringLiteral("Align to bottom")));
        AddCheck(QStringLiteral("ForceNewPage"), Message(QStringLiteral("ForceNewPage"), QStringLiteral("Force new page")));
        AddCheck(QStringLiteral("ForceNewColumn"), Message(QStringLiteral("ForceNewColumn"), QStringLiteral("Force new column")));
    }
    QString OnlyIfCaption() const
    {
        return Message(QStringLiteral("OnlyPrintIf"), QStringLiteral("Only print if expression is true:"));
    }
    // A band reference that may also be created anew ("New band").
    void AddNewOrExistingBand(const QString &path, const QString &caption, TVxBandType newKind);
};

std::unique_ptr<TPropertyDialog> Done(TKindDialog *dialog)
{
    return std::unique_ptr<TPropertyDialog>(dialog);
}

// A plain band of the kind at the end of the report, named like an inserted one.
TVxBand *NewBand(TVexaDesigner *designer, TVxBandType kind)
{
    TVxControl *band = designer->ControlFactory()->CreateBand(designer->ParentControl(), kind, -1);
    band->SetName(QString());
    band->SetName(FindUniqueComponentName(designer->ElementOwner(), QStringLiteral("BAND"), false));
    if (PropertyExists(band, QStringLiteral("Caption")))
        SetStringProperty(band, QStringLiteral("Caption"), QString());
    return qobject_cast<TVxBand *>(band);
}

void TKindDialog::AddNewOrExistingBand(const QString &path, const QString &caption, TVxBandType newKind)
{
    static QObject newMark;
    QList<QPair<QString, QObject *>> entries;
    entries << qMakePair(Message(QStringLiteral("None"), QStringLiteral("None")), static_cast<QObject *>(nullptr));
    entries << qMakePair(Message(QStringLiteral("NewBand"), QStringLiteral("New band")), &newMark);
    if (TCustomVexa *report = Report()) {
        for (TVxCustomBand *band : report->BandList()) {
            if (qobject_cast<TVxBand *>(band))
                entries << qMakePair(band->Name().isEmpty() ? QStringLiteral("-?-") : band->Name(),
                                     static_cast<QObject *>(band));
        }
    }
    QComboBox *combo = AddReference(path, caption, entries);
    if (!combo)
        return;
    // Writing "New band" creates the band first, once.
    Bind(path + QStringLiteral("New"), [combo] { return QVariant(combo->currentIndex() == 1); },
         [this, path, newKind](const QVariant &value) {
             if (!value.toBool())
                 return;
             TVxBand *band = NewBand(Designer(), newKind);
             SetPointerProperty(Component(), path, band);
         },
         QVariant(false));
}

// --- Report options ------------------------------------------------------------------

class TReportDialog : public TKindDialog {
public:
    TReportDialog(TVexaDesigner *designer, QWidget *parent, TComponent *report)
        : TKindDialog(designer, report, parent, QStringLiteral("Report Options"), QStringLiteral("Report Options"))
    {
        setObjectName(QStringLiteral("TReportPropertyForm"));
        const QString unit = UnitLabel();
        auto *paper = new QComboBox(this);
        Register(QStringLiteral("PaperSize"), paper);
        const QMetaEnum sizes = QMetaEnum::fromType<VxTypes::TVxPaperSize>();
        for (int i = 0; i < sizes.keyCount(); ++i) {
            QString name = QString::fromLatin1(sizes.key(i));
            if (name.startsWith(QLatin1String("vx")))
                name = name.mid(2);
            paper->addItem(name, sizes.value(i));
        }
        const QString paperPath = QStringLiteral("Page.PaperSize");
        paper->setCurrentIndex(paper->findData(int(GetIntegerProperty(report, paperPath))));
        AddRow(Message(QStringLiteral("PaperSize"), QStringLiteral("Paper size")), paper);
        auto *width = MakeSize(QStringLiteral("Page.Width"));
        auto *length = MakeSize(QStringLiteral("Page.Length"));
        AddRow(Message(QStringLiteral("PaperWidth"), QStringLiteral("Width")) + QStringLiteral(" (%1)").arg(unit), width);
        AddRow(Message(QStringLiteral("PaperLength"), QStringLiteral("Length")) + QStringLiteral(" (%1)").arg(unit), length);
        const int custom = int(VxTypes::TVxPaperSize::Custom);
        const auto enableSize = [paper, width, length, custom] {
            const bool isCustom = paper->currentData().toInt() == custom;
            width->setEnabled(isCustom);
            length->setEnabled(isCustom);
        };
        enableSize();
        connect(paper, &QComboBox::currentIndexChanged, this, enableSize);
        // Width and length count only for the custom size.
        Bind(QStringLiteral("PaperSize"),
             [paper, width, length, custom] {
                 const int size = paper->currentData().toInt();
                 return QVariant(size == custom ? QStringLiteral("%1/%2/%3").arg(size).arg(width->value()).arg(length->value())
                                                : QString::number(size));
             },
             [this, paper, width, length, custom](const QVariant &) {
                 const int size = paper->currentData().toInt();
                 SetIntegerProperty(Component(), QStringLiteral("Page.PaperSize"), size);
                 if (size == custom) {
                     SetFloatProperty(Component(), QStringLiteral("Page.Width"), width->value());
                     SetFloatProperty(Component(), QStringLiteral("Page.Length"), length->value());
                 }
             });
        AddChoice(QStringLiteral("Page.Orientation"), Message(QStringLiteral("Orientation"), QStringLiteral("Orientation")),
                  {{Message(QStringLiteral("Portrait"), QStringLiteral("Portrait")), 0},
                   {Message(QStringLiteral("Landscape"), QStringLiteral("Landscape")), 1}});
        const QString suffix = QStringLiteral(" (%1)").arg(unit);
        AddFloat(QStringLiteral("Page.TopMargin"), Message(QStringLiteral("TopMargin"), QStringLiteral("Top margin")) + suffix, 0, 100000, 2);
        AddFloat(QStringLiteral("Page.BottomMargin"), Message(QStringLiteral("BottomMargin"), QStringLiteral("Bottom margin")) + suffix, 0, 100000, 2);
        AddFloat(QStringLiteral("Page.LeftMargin"), Message(QStringLiteral("LeftMargin"), QStringLiteral("Left margin")) + suffix, 0, 100000, 2);
        AddFloat(QStringLiteral("Page.RightMargin"), Message(QStringLiteral("RightMargin"), QStringLiteral("Right margin")) + suffix, 0, 100000, 2);
        AddInt(QStringLiteral("Page.Columns"), Message(QStringLiteral("Columns"), QStringLiteral("Number of columns")), 1, 100);
        AddFloat(QStringLiteral("Page.ColumnSpace"), Message(QStringLiteral("ColumnSpace"), QStringLiteral("Column space")) + suffix, 0, 100000, 2);
        AddText(QStringLiteral("ReportTitle"), Message(QStringLiteral("ReportTitle"), QStringLiteral("Report title")));
        AddLines(QStringLiteral("Description"), Message(QStringLiteral("Description"), QStringLiteral("Description")));
        AddLabelSettings();
    }

private:
    QString UnitLabel() const
    {
        switch (int(GetIntegerProperty(Component(), QStringLiteral("Units")))) {
        case int(VxTypes::TVxUnit::MM): return QStringLiteral("mm");
        case int(VxTypes::TVxUnit::Inches): return QStringLiteral("inches");
        case int(VxTypes::TVxUnit::Pixels): return QStringLiteral("pixels");
        case int(VxTypes::TVxUnit::Characters): return QStringLiteral("characters");
        default: return QStringLiteral("1/10 mm");
        }
    }
    QDoubleSpinBox *MakeSize(const QString &path)
    {
        auto *spin = new QDoubleSpinBox(this);
        Register(path, spin);
        spin->setDecimals(2);
        spin->setRange(0, 100000);
        spin->setValue(double(GetFloatProperty(Component(), path)));
        return spin;
    }
    TVxCustomBand *LabelBand() const
    {
        if (TCustomVexa *report = Report()) {
            for (TVxCustomBand *band : report->BandList()) {
                if (band->Name().compare(QLatin1String("LabelBand"), Qt::CaseInsensitive) == 0)
                    return band;
            }
        }
        return nullptr;
    }
    void AddLabelSettings()
    {
        auto *group = new QGroupBox(Message(QStringLiteral("LabelSettings"), QStringLiteral("Labels")), this);
        group->setObjectName(QStringLiteral("LabelSettings"));
        auto *layout = new QFormLayout(group);
        auto *first = new QSpinBox(group);
        first->setObjectName(QStringLiteral("FirstLabel"));
        first->setRange(1, 9999);
        auto *askFirst = new QCheckBox(Message(QStringLiteral("AskBeforePrint"), QStringLiteral("Ask before print")), group);
        askFirst->setObjectName(QStringLiteral("AskFirstLabel"));
        auto *count = new QSpinBox(group);
        count->setObjectName(QStringLiteral("LabelCount"));
        count->setRange(0, 99999);
        auto *askCount = new QCheckBox(Message(QStringLiteral("AskBeforePrint"), QStringLiteral("Ask before print")), group);
        askCount->setObjectName(QStringLiteral("AskLabelCount"));
        layout->addRow(Message(QStringLiteral("FirstLabelToPrint"), QStringLiteral("First label to print")), first);
        layout->addRow(QString(), askFirst);
        layout->addRow(Message(QStringLiteral("NumberOfLabels"), QStringLiteral("Number of labels to print")), count);
        layout->addRow(QString(), askCount);
        layout->labelForField(first)->setObjectName(QStringLiteral("FirstLabelLabel"));
        layout->labelForField(count)->setObjectName(QStringLiteral("LabelCountLabel"));
        AddRow(QString(), group);

        const int firstLabel = int(GetIntegerProperty(Component(), QStringLiteral("LabelSettings.FirstLabel")));
        // Only a label template (FirstLabel not 0) has label settings.
        group->setEnabled(firstLabel != 0);
        if (firstLabel == 0)
            return;
        askFirst->setChecked(firstLabel == -1);
        first->setValue(std::max(1, firstLabel));
        Bind(QStringLiteral("LabelSettings.FirstLabel"),
             [first, askFirst] { return QVariant(askFirst->isChecked() ? -1 : std::max(1, first->value())); },
             [this](const QVariant &value) {
                 SetIntegerProperty(Component(), QStringLiteral("LabelSettings.FirstLabel"), value.toInt());
             },
             QVariant(firstLabel));
        TVxCustomBand *labelBand = LabelBand();
        count->setEnabled(labelBand);
        askCount->setEnabled(labelBand);
        if (!labelBand)
            return;
        const int printCount = int(GetIntegerProperty(labelBand, QStringLiteral("PrintCount")));
        askCount->setChecked(printCount == 0);
        count->setValue(printCount);
        QPointer<TVxCustomBand> band = labelBand;
        Bind(QStringLiteral("PrintCount"),
             [count, askCount] { return QVariant(askCount->isChecked() ? 0 : std::max(1, count->value())); },
             [this, band](const QVariant &value) {
                 if (!band)
                     return;
                 SetIntegerProperty(band, QStringLiteral("PrintCount"), value.toInt());
                 if (value.toInt() > 0)
                     SetIntegerProperty(Component(), QStringLiteral("LabelSettings.LabelCount"), value.toInt());
             },
             QVariant(printCount));
    }
};

// --- Bands ---------------------------------------------------------------------------------

// Entries of the kind list: 0 to 7 plain band kinds, 8 loop band, 9 strings band.
const TVxBandType kKindOrder[] = {TVxBandType::rbTitle,       TVxBandType::rbPageHeader, TVxBandType::rbColumnHeader,
                                  TVxBandType::rbDetail,      TVxBandType::rbGroupHeader, TVxBandType::rbGroupFooter,
                                  TVxBandType::rbSummary,     TVxBandType::rbPageFooter};
const char *const kKindKeys[][2] = {
    {"BandTitle", "Title"},           {"BandPageheader", "Page header"}, {"BandColumnheader", "Column header"},
    {"BandDetail", "Detail"},         {"BandGroupheader", "Group header"}, {"BandGroupfooter", "Group footer"},
    {"BandSummary", "Summary"},       {"BandPagefooter", "Page footer"}, {"BandLoopband", "Loop band"},
    {"BandStringsband", "Strings band"}};
constexpr int kLoopEntry = 8;
constexpr int kStringsEntry = 9;

class TBandDialog : public TKindDialog {
public:
    TBandDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
        : TKindDialog(designer, band, parent, QStringLiteral("Band"), QStringLiteral("Band"))
    {
        setObjectName(QStringLiteral("TBandPropertyForm"));
        const bool loop = qobject_cast<TVxLoopBand *>(band);
        const bool strings = qobject_cast<TVxStringsBand *>(band);
        auto *kind = new QComboBox(this);
        Register(QStringLiteral("BandKind"), kind);
        for (int i = 0; i < 10; ++i)
            kind->addItem(Message(QLatin1String(kKindKeys[i][0]), QLatin1String(kKindKeys[i][1])), i);
        int entry = -1;
        if (loop) {
            entry = kLoopEntry;
        } else if (strings) {
            entry = kStringsEntry;
        } else if (auto *plain = qobject_cast<TVxBand *>(band)) {
            for (int i = 0; i < 8; ++i) {
                if (kKindOrder[i] == plain->BandType())
                    entry = i;
            }
        }
        kind->setCurrentIndex(entry);
        kind->setEnabled(!(designer && designer->GetBoolProp(band, QStringLiteral("BlockChange"))));
        AddRow(Message(QStringLiteral("BandKind"), QStringLiteral("Kind")), kind);
        // Written first: a change of class replaces the band, and the other
        // rows are written to the replacement.
        Bind(QStringLiteral("BandKind"), [kind] { return kind->currentData(); },
             [this](const QVariant &value) { ChangeKind(value.toInt()); });

        if (loop || strings) {
            AddCheck(QStringLiteral("PrintBefore"), Message(QStringLiteral("PrintBefore"), QStringLiteral("Print before")));
            AddPageBreaks();
            AddInt(QStringLiteral("PrintCount"), Message(QStringLiteral("PrintCount"), QStringLiteral("Print count")), 0, 1000000);
            AddReference(QStringLiteral("Master"), Message(QStringLiteral("Master"), QStringLiteral("Master:")), MasterEntries());
            if (strings)
                AddItems();
            return;
        }
        AddReference(QStringLiteral("LinkBand"), Message(QStringLiteral("LinkBand"), QStringLiteral("Link band")), LinkBandEntries());
        AddExpression(QStringLiteral("Expression"), OnlyIfCaption());
        AddCheck(QStringLiteral("NotOnFirstPage"), Message(QStringLiteral("NotOnFirstPage"), QStringLiteral("Not on first page")));
        AddCheck(QStringLiteral("NotOnLastPage"), Message(QStringLiteral("NotOnLastPage"), QStringLiteral("Not on last page")));
        AddPageParity();
        AddPageBreaks();
        AddBandColor();
        AddFrame();
    }

private:
    void ChangeKind(int entry)
    {
        auto *band = qobject_cast<TVxControl *>(Component());
        if (!band || entry < 0)
            return;
        const bool special = qobject_cast<TVxLoopBand *>(band) || qobject_cast<TVxStringsBand *>(band);
        TVxControl *result = band;
        // The undo step is the property command's (or the dialog's own).
        if (entry == kLoopEntry)
            result = Designer()->SwapBands(band, QStringLiteral("TTesmolaLoopband"), false);
        else if (entry == kStringsEntry)
            result = Designer()->SwapBands(band, QStringLiteral("TTesmolaStringsband"), false);
        else if (special)
            result = Designer()->SwapBands(band, QStringLiteral("TTesmolaBand"), false);
        SetComponent(result);
        if (entry < 8) {
            if (auto *plain = qobject_cast<TVxBand *>(result))
                plain->SetBandType(kKindOrder[entry]);
        }
    }
    // The items, edited in their own dialog.
    void AddItems()
    {
        auto *items = new QPlainTextEdit(this);
        Register(QStringLiteral("Items"), items);
        items->setPlainText(Component()->property("Items").toStringList().join(QLatin1Char('\n')));
        items->hide();
        auto *button = new QPushButton(Message(QStringLiteral("StringbandItems"), QStringLiteral("Items...")), this);
        button->setObjectName(QStringLiteral("ItemsButton"));
        connect(button, &QPushButton::clicked, this, [this, items] {
            QDialog dialog(this);
            dialog.setWindowTitle(Message(QStringLiteral("Stringband Items"), QStringLiteral("Stringband Items")));
            auto *layout = new QVBoxLayout(&dialog);
            auto *edit = new QPlainTextEdit(items->toPlainText(), &dialog);
            layout->addWidget(edit);
            auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
            layout->addWidget(buttons);
            connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
            connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
            if (dialog.exec() == QDialog::Accepted)
                items->setPlainText(edit->toPlainText());
        });
        AddRow(QString(), button);
        Bind(QStringLiteral("Items"), [items] { return QVariant(items->toPlainText()); },
             [this](const QVariant &value) {
                 const QString text = value.toString();
                 Component()->setProperty("Items", text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
             });
    }
};

class TGroupDialog : public TKindDialog {
public:
    TGroupDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
        : TKindDialog(designer, band, parent, QStringLiteral("Groupband"), QStringLiteral("Groupband"))
    {
        setObjectName(QStringLiteral("TGroupPropertyForm"));
        AddExpression(QStringLiteral("Expression"), Message(QStringLiteral("GroupBy"), QStringLiteral("Group-by field or expression:")));
        AddExpression(QStringLiteral("PrintExpression"), OnlyIfCaption());
        AddReference(QStringLiteral("Master"), Message(QStringLiteral("Master"), QStringLiteral("Master:")), MasterEntries());
        AddNewOrExistingBand(QStringLiteral("FooterBand"), Message(QStringLiteral("FooterBand"), QStringLiteral("Footer band")),
                             TVxBandType::rbGroupFooter);
        AddReference(QStringLiteral("LinkBand"), Message(QStringLiteral("LinkBand"), QStringLiteral("Link band")), LinkBandEntries());
        AddPageBreaks();
        AddCheck(QStringLiteral("ReprintOnNewPage"), Message(QStringLiteral("ReprintOnNewPage"), QStringLiteral("Reprint on new page")));
        AddBandColor();
        AddFrame();
    }
};

class TSubdetailDialog : public TKindDialog {
public:
    TSubdetailDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
        : TKindDialog(designer, band, parent, QStringLiteral("Subdetailband"), QStringLiteral("Subdetailband"))
    {
        setObjectName(QStringLiteral("TSubdetailPropertyForm"));
        AddDataSetOnly();
        AddReference(QStringLiteral("Master"), Message(QStringLiteral("Master"), QStringLiteral("Master:")), MasterEntries());
        AddNewOrExistingBand(QStringLiteral("HeaderBand"), Message(QStringLiteral("HeaderBand"), QStringLiteral("Header band")),
                             TVxBandType::rbGroupHeader);
        AddNewOrExistingBand(QStringLiteral("FooterBand"), Message(QStringLiteral("FooterBand"), QStringLiteral("Footer band")),
                             TVxBandType::rbGroupFooter);
        AddCheck(QStringLiteral("PrintBefore"), Message(QStringLiteral("PrintBefore"), QStringLiteral("Print before")));
        AddCheck(QStringLiteral("PrintIfEmpty"),
                 Message(QStringLiteral("PrintIfEmpty"), QStringLiteral("Print header/footer even if dataset is empty")));
        AddPageBreaks();
        AddExpression(QStringLiteral("Expression"), OnlyIfCaption());
        AddBandColor();
        AddFrame();
    }

private:
    void AddDataSetOnly()
    {
        QList<QPair<QString, QObject *>> entries;
        QList<TDataSet *> sources;
        Designer()->GetDatasourceList(sources);
        for (TDataSet *dataSet : sources)
            entries << qMakePair(dataSet->objectName(), static_cast<QObject *>(dataSet));
        AddReference(QStringLiteral("DataSet"), Message(QStringLiteral("Dataset"), QStringLiteral("Dataset:")), entries);
    }
};

class TChildDialog : public TKindDialog {
public:
    TChildDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
        : TKindDialog(designer, band, parent, QStringLiteral("Childband"), QStringLiteral("Childband"))
    {
        setObjectName(QStringLiteral("TChildPropertyForm"));
        QList<QPair<QString, QObject *>> parents = LinkBandEntries();
        parents.removeFirst();
        AddReference(QStringLiteral("ParentBand"), Message(QStringLiteral("ParentBand"), QStringLiteral("Parent band")), parents);
        AddReference(QStringLiteral("LinkBand"), Message(QStringLiteral("LinkBand"), QStringLiteral("Link band")), LinkBandEntries());
        AddExpression(QStringLiteral("Expression"), OnlyIfCaption());
        AddCheck(QStringLiteral("NotOnFirstPage"), Message(QStringLiteral("NotOnFirstPage"), QStringLiteral("Not on first page")));
        AddPageParity();
        AddPageBreaks();
        AddBandColor();
        AddFrame();
    }
};

// --- Elements -----------------------------------------------------------------------------------

// Wraps the builder's result for a text with embedded expressions: a value
// that is not a text goes through STR().
QString EmbeddedExpression(const QString &expression, TCustomVexa *report)
{
    QString text = expression;
    if (IsExprResultNumeric(expression, report))
        text = QStringLiteral("STR(") + expression + QStringLiteral(")");
    return QStringLiteral("%%") + text + QStringLiteral("%%");
}

// The lines editor of memos and rich texts with its two buttons.
void AddLineTools(TKindDialog *dialog, QPlainTextEdit *edit, const QString &expressionCaption)
{
    if (!edit)
        return;
    auto *row = new QWidget(dialog);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *expression = new QPushButton(expressionCaption, row);
    expression->setObjectName(QStringLiteral("InsertExpression"));
    expression->setEnabled(bool(ExpressionBuilderHook()));
    auto *remove = new QPushButton(dialog->Message(QStringLiteral("RemoveLineIfEmpty"), QStringLiteral("&Remove line if empty")), row);
    remove->setObjectName(QStringLiteral("RemoveLineIfEmpty"));
    layout->addWidget(expression);
    layout->addWidget(remove);
    layout->addStretch();
    dialog->AddRow(QString(), row);
    QObject::connect(expression, &QPushButton::clicked, dialog, [dialog, edit] {
        TExpressionBuilder &builder = ExpressionBuilderHook();
        QString text = edit->textCursor().selectedText();
        if (!builder || !builder(dialog, dialog->Designer(), text) || text.isEmpty())
            return;
        edit->textCursor().insertText(EmbeddedExpression(text, dialog->Designer()->ParentControl()));
    });
    QObject::connect(remove, &QPushButton::clicked, dialog, [edit] {
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(ToggleRemoveIfEmpty(cursor.block().text()));
    });
}

// The value map: display text, TAB, stored value per line.
class TDBTextMapForm : public QDialog {
public:
    TDBTextMapForm(TKindDialog *owner, const QStringList &lines)
        : QDialog(owner)
    {
        setObjectName(QStringLiteral("TDBTextMapForm"));
        setWindowTitle(owner->Message(QStringLiteral("Map displayed value to stored value"),
                                      QStringLiteral("Map displayed value to stored value")));
        auto *layout = new QVBoxLayout(this);
        m_grid = new QTableWidget(0, 2, this);
        m_grid->setObjectName(QStringLiteral("MapGrid"));
        m_grid->setHorizontalHeaderLabels({owner->Message(QStringLiteral("Displayed value"), QStringLiteral("Displayed value")),
                                           owner->Message(QStringLiteral("Stored value"), QStringLiteral("Stored value"))});
        m_grid->horizontalHeader()->setStretchLastSection(true);
        for (const QString &line : lines) {
            const int tab = line.indexOf(QLatin1Char('\t'));
            AddRow(tab < 0 ? line : line.left(tab), tab < 0 ? QString() : line.mid(tab + 1));
        }
        AddRow(QString(), QString());
        layout->addWidget(m_grid);
        auto *tools = new QHBoxLayout;
        auto *expression = new QPushButton(QStringLiteral("..."), this);
        expression->setEnabled(bool(ExpressionBuilderHook()));
        auto *add = new QPushButton(owner->Message(QStringLiteral("AddRow"), QStringLiteral("Add row")), this);
        tools->addWidget(expression);
        tools->addWidget(add);
        tools->addStretch();
        layout->addLayout(tools);
        connect(add, &QPushButton::clicked, this, [this] { AddRow(QString(), QString()); });
        connect(expression, &QPushButton::clicked, this, [this, owner] {
            const int row = m_grid->currentRow();
            if (row < 0)
                return;
            QString text = m_grid->item(row, 0)->text();
            if (text.startsWith(QLatin1String("%%")))
                text = text.mid(2);
            if (text.endsWith(QLatin1String("%%")))
                text.chop(2);
            TExpressionBuilder &builder = ExpressionBuilderHook();
            if (builder && builder(this, owner->Designer(), text))
                m_grid->item(row, 0)->setText(QStringLiteral("%%") + text + QStringLiteral("%%"));
        });
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
    // Rows with both cells empty are left out.
    QStringList Lines() const
    {
        QStringList lines;
        for (int row = 0; row < m_grid->rowCount(); ++row) {
            const QString shown = m_grid->item(row, 0) ? m_grid->item(row, 0)->text() : QString();
            const QString stored = m_grid->item(row, 1) ? m_grid->item(row, 1)->text() : QString();
            if (!shown.isEmpty() || !stored.isEmpty())
                lines << shown + QLatin1Char('\t') + stored;
        }
        return lines;
    }

private:
    void AddRow(const QString &shown, const QString &stored)
    {
        const int row = m_grid->rowCount();
        m_grid->insertRow(row);
        m_grid->setItem(row, 0, new QTableWidgetItem(shown));
        m_grid->setItem(row, 1, new QTableWidgetItem(stored));
    }
    QTableWidget *m_grid;
};

void AddMapList(TKindDialog *dialog)
{
    if (!PropertyExists(dialog->Component(), QStringLiteral("MapList")))
        return;
    // The map is held in a hidden editor, one line per entry.
    auto *held = new QPlainTextEdit(dialog);
    dialog->Register(QStringLiteral("MapList"), held);
    held->setPlainText(dialog->Component()->property("MapList").toStringList().join(QLatin1Char('\n')));
    held->hide();
    auto *button = new QPushButton(dialog->Message(QStringLiteral("MapFieldValues"), QStringLiteral("Map field values ...")), dialog);
    button->setObjectName(QStringLiteral("MapListButton"));
    QObject::connect(button, &QPushButton::clicked, dialog, [dialog, held] {
        const QString text = held->toPlainText();
        TDBTextMapForm form(dialog, text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
        if (form.exec() == QDialog::Accepted)
            held->setPlainText(form.Lines().join(QLatin1Char('\n')));
    });
    dialog->AddRow(QString(), button);
    dialog->Bind(QStringLiteral("MapList"), [held] { return QVariant(held->toPlainText()); },
                 [dialog](const QVariant &value) {
                     const QString text = value.toString();
                     for (TComponent *target : dialog->Targets())
                         target->setProperty("MapList", text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
                 });
}

void AddTextFlags(TKindDialog *d, bool wordWrap = true)
{
    if (wordWrap)
        d->AddCheck(QStringLiteral("WordWrap"), d->Message(QStringLiteral("WordWrap"), QStringLiteral("Word wrap")));
    d->AddCheck(QStringLiteral("Transparent"), d->Message(QStringLiteral("Transparent"), QStringLiteral("Transparent")));
    d->AddCheck(QStringLiteral("AutoSize"), d->Message(QStringLiteral("AutosizeWidth"), QStringLiteral("Autosize width")));
    d->AddCheck(QStringLiteral("AutoStretch"), d->Message(QStringLiteral("AutostretchHeight"), QStringLiteral("Autostretch height")));
}

void BuildDataText(TKindDialog *d, bool several)
{
    if (!several)
        d->AddDataField(true);
    d->AddText(QStringLiteral("Mask"), d->Message(QStringLiteral("DisplayFormat"), QStringLiteral("Display Format")));
    d->AddCheck(QStringLiteral("SuppressRepeatedValues"),
                d->Message(QStringLiteral("SuppressRepeatedValues"), QStringLiteral("Suppress repeated values")));
    d->AddCheck(QStringLiteral("ReprintOnNewPage"), d->Message(QStringLiteral("ReprintOnNewPage"), QStringLiteral("Reprint on new page")));
    d->AddCheck(QStringLiteral("BlankIfZero"), d->Message(QStringLiteral("BlankIfZero"), QStringLiteral("Blank if zero")));
    d->AddCheck(QStringLiteral("ReprintOnNewGroup"), d->Message(QStringLiteral("ReprintOnNewGroup"), QStringLiteral("Reprint on new group")));
    if (!several)
        d->AddFont();
    d->AddElementColor();
    d->AddAlignment();
    AddTextFlags(d);
    if (!several) {
        d->AddXLColumn();
        AddMapList(d);
    }
}

} // namespace

// --- Creation ---------------------------------------------------------------------------------

std::unique_ptr<TPropertyDialog> CreateReportDialog(TVexaDesigner *designer, QWidget *parent, TComponent *report)
{
    return Done(new TReportDialog(designer, parent, report));
}

std::unique_ptr<TPropertyDialog> CreateBandDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
{
    return Done(new TBandDialog(designer, parent, band));
}

std::unique_ptr<TPropertyDialog> CreateGroupDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
{
    return Done(new TGroupDialog(designer, parent, band));
}

std::unique_ptr<TPropertyDialog> CreateSubdetailDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
{
    return Done(new TSubdetailDialog(designer, parent, band));
}

std::unique_ptr<TPropertyDialog> CreateChildBandDialog(TVexaDesigner *designer, QWidget *parent, TComponent *band)
{
    return Done(new TChildDialog(designer, parent, band));
}

std::unique_ptr<TPropertyDialog> CreateLabelDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Label"), QStringLiteral("Label"));
    d->setObjectName(QStringLiteral("TLabelPropertyForm"));
    d->AddText(QStringLiteral("Caption"), d->Message(QStringLiteral("Caption"), QStringLiteral("Caption")));
    d->AddRotation();
    d->AddFont();
    d->AddElementColor();
    d->AddAlignment();
    AddTextFlags(d);
    d->AddXLColumn();
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateDataTextDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Datafield"), QStringLiteral("Datafield"));
    d->setObjectName(QStringLiteral("TDBTextPropertyForm"));
    BuildDataText(d, false);
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateSeveralDataTextsDialog(TVexaDesigner *designer, QWidget *parent,
                                                              const QList<TVxControl *> &elements)
{
    QList<TComponent *> targets;
    for (TVxControl *element : elements) {
        if (!designer->GetBoolProp(element, QStringLiteral("BlockEdit")))
            targets << element;
    }
    auto *d = new TKindDialog(designer, elements.isEmpty() ? nullptr : elements.first(), parent,
                              QStringLiteral("Datafield"), QStringLiteral("Datafield"));
    d->setObjectName(QStringLiteral("TDBTextPropertyForm"));
    d->SetSeveral(targets);
    BuildDataText(d, true);
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateExpressionDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Expression field"), QStringLiteral("Expression field"));
    d->setObjectName(QStringLiteral("TExpressionPropertyForm"));
    d->AddExpression(QStringLiteral("Expression"), d->Message(QStringLiteral("Expression"), QStringLiteral("Expression")));
    // Master: none, the report, or a sub-detail band.
    QList<QPair<QString, QObject *>> masters;
    masters << qMakePair(d->Message(QStringLiteral("None"), QStringLiteral("None")), static_cast<QObject *>(nullptr));
    if (TCustomVexa *report = d->Report()) {
        masters << qMakePair(d->Message(QStringLiteral("Report"), QStringLiteral("Report")), static_cast<QObject *>(report));
        for (TVxCustomBand *band : report->BandList()) {
            if (qobject_cast<TVxSubDetail *>(band))
                masters << qMakePair(band->Name(), static_cast<QObject *>(band));
        }
    }
    d->AddReference(QStringLiteral("Master"), d->Message(QStringLiteral("Master"), QStringLiteral("Master:")), masters);
    d->AddText(QStringLiteral("Mask"), d->Message(QStringLiteral("Format"), QStringLiteral("Format")));
    d->AddRotation();
    d->AddFont();
    d->AddElementColor();
    d->AddAlignment();
    AddTextFlags(d);
    d->AddCheck(QStringLiteral("ResetAfterPrint"), d->Message(QStringLiteral("ResetAfterPrint"), QStringLiteral("Reset after print")));
    d->AddXLColumn();
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateMemoDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Memo"), QStringLiteral("Memo"));
    d->setObjectName(QStringLiteral("TMemoPropertyForm"));
    QPlainTextEdit *lines = d->AddLines(QStringLiteral("Lines"), QString());
    AddLineTools(d, lines, d->Message(QStringLiteral("InsertExpression"), QStringLiteral("&Expression...")));
    d->AddAlignment();
    d->AddElementColor();
    d->AddFont();
    d->AddCheck(QStringLiteral("WordWrap"), d->Message(QStringLiteral("WordWrap"), QStringLiteral("Word wrap")));
    d->AddCheck(QStringLiteral("AutoSize"), d->Message(QStringLiteral("AutosizeWidth"), QStringLiteral("Autosize width")));
    d->AddCheck(QStringLiteral("AutoStretch"), d->Message(QStringLiteral("AutostretchHeight"), QStringLiteral("Autostretch height")));
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateShapeDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Shape"), QStringLiteral("Shape"));
    d->setObjectName(QStringLiteral("TShapePropertyForm"));
    d->AddChoice(QStringLiteral("Shape"), d->Message(QStringLiteral("ShapeType"), QStringLiteral("&Type")),
                 {{d->Message(QStringLiteral("ShapeCircle"), QStringLiteral("Circle")), int(TVxShapeType::vxsCircle)},
                  {d->Message(QStringLiteral("ShapeHorizontalLine"), QStringLiteral("Horizontal line")), int(TVxShapeType::vxsHorLine)},
                  {d->Message(QStringLiteral("ShapeRectangle"), QStringLiteral("Rectangle")), int(TVxShapeType::vxsRoundRect)},
                  {d->Message(QStringLiteral("ShapeLeftRightLines"), QStringLiteral("Left and right lines")), int(TVxShapeType::vxsRightAndLeft)},
                  {d->Message(QStringLiteral("ShapeTopBottomLines"), QStringLiteral("Top and bottom lines")), int(TVxShapeType::vxsTopAndBottom)},
                  {d->Message(QStringLiteral("ShapeVerticalLine"), QStringLiteral("Vertical line")), int(TVxShapeType::vxsVertLine)}});
    const QMetaEnum brushes = QMetaEnum::fromType<VxTypes::TBrushStyle>();
    TEntries brushStyles;
    for (int i = 0; i < brushes.keyCount(); ++i)
        brushStyles << qMakePair(QString::fromLatin1(brushes.key(i)).mid(2), brushes.value(i));
    d->AddChoice(QStringLiteral("Brush.Style"), d->Message(QStringLiteral("BrushStyle"), QStringLiteral("Brush style")), brushStyles);
    d->AddColor(QStringLiteral("Brush.Color"), d->Message(QStringLiteral("BrushColor"), QStringLiteral("Brush colour")));
    const QMetaEnum modes = QMetaEnum::fromType<VxElementTypes::TPenMode>();
    TEntries penModes;
    for (int i = 0; i < modes.keyCount(); ++i)
        penModes << qMakePair(QString::fromLatin1(modes.key(i)).mid(2), modes.value(i));
    d->AddChoice(QStringLiteral("Pen.Mode"), d->Message(QStringLiteral("PenMode"), QStringLiteral("Pen mode")), penModes);
    const QMetaEnum styles = QMetaEnum::fromType<VxTypes::TPenStyle>();
    TEntries penStyles;
    for (int i = 0; i < styles.keyCount(); ++i)
        penStyles << qMakePair(QString::fromLatin1(styles.key(i)).mid(2), styles.value(i));
    d->AddChoice(QStringLiteral("Pen.Style"), d->Message(QStringLiteral("PenStyle"), QStringLiteral("Pen style")), penStyles);
    d->AddInt(QStringLiteral("Pen.Width"), d->Message(QStringLiteral("PenWidth"), QStringLiteral("Pen width")), 0, 100);
    d->AddColor(QStringLiteral("Pen.Color"), d->Message(QStringLiteral("PenColor"), QStringLiteral("Pen colour")));
    // Round edges factor: 0, 0.1 ... 0.9, as tenths.
    auto *round = new QComboBox(d);
    d->Register(QStringLiteral("RoundFactor"), round);
    for (int i = 0; i < 10; ++i)
        round->addItem(QString::number(i / 10.0), i);
    const int tenths = int(std::lround(double(GetFloatProperty(element, QStringLiteral("RoundFactor"))) * 10));
    round->setCurrentIndex(round->findData(tenths));
    d->AddRow(d->Message(QStringLiteral("RoundFactor"), QStringLiteral("Round edges factor")), round);
    d->Bind(QStringLiteral("RoundFactor"), [round] { return round->currentData(); },
            [d](const QVariant &value) {
                if (value.isValid())
                    SetFloatProperty(d->Component(), QStringLiteral("RoundFactor"), value.toInt() / 10.0L);
            });
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateSystemDataDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Systemfield"), QStringLiteral("Systemfield"));
    d->setObjectName(QStringLiteral("TSysDataPropertyForm"));
    d->AddChoice(QStringLiteral("Data"), d->Message(QStringLiteral("SysdataType"), QStringLiteral("Type")),
                 {{d->Message(QStringLiteral("SysdataDate"), QStringLiteral("Date")), int(TVxSysDataType::vxsDate)},
                  {d->Message(QStringLiteral("SysdataTime"), QStringLiteral("Time")), int(TVxSysDataType::vxsTime)},
                  {d->Message(QStringLiteral("SysdataDateTime"), QStringLiteral("Date and time")), int(TVxSysDataType::vxsDateTime)},
                  {d->Message(QStringLiteral("SysdataDetailcounter"), QStringLiteral("Detail counter")), int(TVxSysDataType::vxsDetailCount)},
                  {d->Message(QStringLiteral("SysdataDetailnumber"), QStringLiteral("Detail number")), int(TVxSysDataType::vxsDetailNo)},
                  {d->Message(QStringLiteral("SysdataPagenumber"), QStringLiteral("Page number")), int(TVxSysDataType::vxsPageNumber)},
                  {d->Message(QStringLiteral("SysdataReportTitle"), QStringLiteral("Report title")), int(TVxSysDataType::vxsReportTitle)}});
    d->AddText(QStringLiteral("Text"), d->Message(QStringLiteral("Text"), QStringLiteral("Text")));
    d->AddAlignment();
    d->AddCheck(QStringLiteral("AutoSize"), d->Message(QStringLiteral("AutosizeWidth"), QStringLiteral("Autosize width")));
    d->AddCheck(QStringLiteral("Transparent"), d->Message(QStringLiteral("Transparent"), QStringLiteral("Transparent")));
    d->AddElementColor();
    d->AddFont();
    d->AddXLColumn();
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateImageDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Image"), QStringLiteral("Image"));
    d->setObjectName(QStringLiteral("TImagePropertyForm"));
    QLineEdit *file = d->AddText(QStringLiteral("Filename"), d->Message(QStringLiteral("File"), QStringLiteral("&File:")));
    if (file) {
        auto *browse = new QPushButton(QStringLiteral("..."), d);
        browse->setObjectName(QStringLiteral("BrowseFile"));
        QObject::connect(browse, &QPushButton::clicked, d, [d, file] {
            const QString name = QFileDialog::getOpenFileName(d, QString(), file->text());
            if (!name.isEmpty())
                file->setText(name);
        });
        d->AddRow(QString(), browse);
    }
    d->AddCheck(QStringLiteral("Stretch"), d->Message(QStringLiteral("Stretch"), QStringLiteral("Stretch")));
    d->AddCheck(QStringLiteral("Center"), d->Message(QStringLiteral("Center"), QStringLiteral("Center")));
    d->AddCheck(QStringLiteral("AutoSize"), d->Message(QStringLiteral("ImageAutoSize"), QStringLiteral("A&utosize report element to fit picture")));
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateDataImageDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Picture from database"),
                              QStringLiteral("Picture from database"));
    d->setObjectName(QStringLiteral("TDBImagePropertyForm"));
    d->AddDataField(false);
    d->AddCheck(QStringLiteral("Stretch"), d->Message(QStringLiteral("Stretch"), QStringLiteral("Stretch")));
    d->AddCheck(QStringLiteral("Center"), d->Message(QStringLiteral("Center"), QStringLiteral("Center")));
    d->AddChoice(QStringLiteral("Align"), d->Message(QStringLiteral("ImgAlign"), QStringLiteral("Align")),
                 {{d->Message(QStringLiteral("ImgAlign None"), QStringLiteral("None")), 0},
                  {d->Message(QStringLiteral("ImgAlign Top"), QStringLiteral("Top")), 1},
                  {d->Message(QStringLiteral("ImgAlign Bottom"), QStringLiteral("Bottom")), 2},
                  {d->Message(QStringLiteral("ImgAlign Left"), QStringLiteral("Left")), 3},
                  {d->Message(QStringLiteral("ImgAlign Right"), QStringLiteral("Right")), 4}});
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateRichTextDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Richtext"), QStringLiteral("Richtext"));
    d->setObjectName(QStringLiteral("TRichtextPropertyForm"));
    // The content as it is stored (RTF or plain text), so that no formatting
    // is lost by editing.
    QPlainTextEdit *lines = d->AddLines(QStringLiteral("Lines"), QString());
    AddLineTools(d, lines, d->Message(QStringLiteral("AddExpressionField"), QStringLiteral("add new expression-field")));
    d->AddCheck(QStringLiteral("AutoStretch"), d->Message(QStringLiteral("AutostretchHeight"), QStringLiteral("Autostretch height")));
    d->AddElementColor();
    d->AddCheck(QStringLiteral("HiresExport"), d->Message(QStringLiteral("HiresExport"), QStringLiteral("Hires Export")));
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateDataRichTextDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Richtext data field"),
                              QStringLiteral("Richtext data field"));
    d->setObjectName(QStringLiteral("TDBRichtextPropertyForm"));
    d->AddDataField(false);
    d->AddAlignment();
    d->AddCheck(QStringLiteral("AutoStretch"), d->Message(QStringLiteral("AutostretchHeight"), QStringLiteral("Autostretch height")));
    d->AddFont();
    d->AddElementColor();
    return Done(d);
}

namespace {

// The settings both barcode kinds share; the value or field comes first.
QComboBox *AddBarcodeSettings(TKindDialog *d)
{
    TEntries types;
    for (int t = int(TVxBarcodeType::btEAN13); t <= int(TVxBarcodeType::btDataMatrix); ++t)
        types.append({BarcodeTypeName(TVxBarcodeType(t)), t});
    QComboBox *type = d->AddChoice(QStringLiteral("BarcodeType"), d->Message(QStringLiteral("BarcodeType"), QStringLiteral("&Symbology")),
                                   types);
    QSpinBox *module = d->AddInt(QStringLiteral("ModuleWidth"),
                                 d->Message(QStringLiteral("ModuleWidth"), QStringLiteral("&Module width (0.1 mm)")), 1, 100);
    QCheckBox *fit = d->AddCheck(QStringLiteral("Stretch"), d->Message(QStringLiteral("BarcodeFit"), QStringLiteral("&Fit to the box")));
    if (module && fit) {
        // A symbol fitted to the box has no module width of its own.
        const auto follow = [module, fit] { module->setEnabled(fit->checkState() != Qt::Checked); };
        QObject::connect(fit, &QCheckBox::stateChanged, module, follow);
        follow();
    }
    d->AddCheck(QStringLiteral("ShowText"), d->Message(QStringLiteral("BarcodeShowText"), QStringLiteral("Show &text under the bars")));
    d->AddAlignment();
    d->AddColor(QStringLiteral("BarColor"), d->Message(QStringLiteral("BarColor"), QStringLiteral("&Bar colour")));
    d->AddColor(QStringLiteral("Color"), d->Message(QStringLiteral("Color"), QStringLiteral("Colour")), QStringLiteral("Transparent"));
    d->AddFont();
    return type;
}

} // namespace

std::unique_ptr<TPropertyDialog> CreateBarcodeDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Barcode"), QStringLiteral("Barcode"));
    d->setObjectName(QStringLiteral("TBarcodePropertyForm"));
    QLineEdit *value = d->AddText(QStringLiteral("Value"), d->Message(QStringLiteral("BarcodeValue"), QStringLiteral("&Value:")));
    // Says at once whether the symbology can encode the value, and with
    // which check digit.
    auto *check = new QLabel(d);
    check->setObjectName(QStringLiteral("BarcodeCheck"));
    check->setWordWrap(true);
    d->AddRow(QString(), check);
    QComboBox *type = AddBarcodeSettings(d);
    if (value && type) {
        const auto recheck = [d, value, type, check] {
            const QString text = value->text().trimmed();
            if (text.isEmpty()) {
                check->setText(d->Message(QStringLiteral("BarcodeEmpty"), QStringLiteral("An empty value prints nothing.")));
                check->setStyleSheet(QString());
                return;
            }
            const TBarcodeSymbol symbol = EncodeBarcode(TVxBarcodeType(type->currentData().toInt()), text, 1, false);
            if (symbol.IsValid()) {
                check->setText(d->Message(QStringLiteral("BarcodeEncodes"), QStringLiteral("Encoded as %1")).arg(symbol.encodedValue));
                check->setStyleSheet(QString());
            } else {
                check->setText(symbol.error);
                check->setStyleSheet(QStringLiteral("color: #c00000"));
            }
        };
        QObject::connect(value, &QLineEdit::textChanged, check, recheck);
        QObject::connect(type, &QComboBox::currentIndexChanged, check, recheck);
        recheck();
    }
    return Done(d);
}

std::unique_ptr<TPropertyDialog> CreateDataBarcodeDialog(TVexaDesigner *designer, QWidget *parent, TComponent *element)
{
    auto *d = new TKindDialog(designer, element, parent, QStringLiteral("Barcode datafield"),
                              QStringLiteral("Barcode data field"));
    d->setObjectName(QStringLiteral("TDBBarcodePropertyForm"));
    d->AddDataField(false);
    AddBarcodeSettings(d);
    return Done(d);
}

// --- Options and frame ---------------------------------------------------------------------------

namespace {

class TBlockDialog : public TKindDialog {
public:
    TBlockDialog(TVexaDesigner *designer, QWidget *parent, TComponent *component)
        : TKindDialog(designer, component, parent, QStringLiteral("Options"), QStringLiteral("Options"))
    {
        setObjectName(QStringLiteral("TBlockForm"));
        m_name = AddText(QStringLiteral("Name"), Message(QStringLiteral("Name"), QStringLiteral("Name")));
        AddText(QStringLiteral("Hint"), Message(QStringLiteral("Hint"), QStringLiteral("Hint")));
        AddInt(QStringLiteral("Top"), Message(QStringLiteral("Top"), QStringLiteral("Top")), -100000, 100000);
        AddInt(QStringLiteral("Left"), Message(QStringLiteral("Left"), QStringLiteral("Left")), -100000, 100000);
        AddInt(QStringLiteral("Width"), Message(QStringLiteral("Width"), QStringLiteral("Width")), 0, 100000);
        AddInt(QStringLiteral("Height"), Message(QStringLiteral("Height"), QStringLiteral("Height")), 0, 100000);
        AddAddonCheck(QStringLiteral("BlockChange"), Message(QStringLiteral("BlockChange"), QStringLiteral("no &changing")));
        AddAddonCheck(QStringLiteral("BlockEdit"), Message(QStringLiteral("BlockEdit"), QStringLiteral("no &editing")));
        AddAddonCheck(QStringLiteral("BlockMove"), Message(QStringLiteral("BlockMove"), QStringLiteral("no &moving")));
        AddAddonCheck(QStringLiteral("BlockResize"), Message(QStringLiteral("BlockResize"), QStringLiteral("no &resizing")));
        AddAddonCheck(QStringLiteral("BlockDelete"), Message(QStringLiteral("BlockDelete"), QStringLiteral("no &deletion")));
        AddCheck(QStringLiteral("FixBottomPosition"),
                 Message(QStringLiteral("FixBottomPosition"), QStringLiteral("keep position relative to band bottom")));
        AddCheck(QStringLiteral("StretchHeightWithBand"),
                 Message(QStringLiteral("StretchHeightWithBand"), QStringLiteral("autostretch height with band")));
    }

protected:
    // A new name must be a valid identifier that no other component of the
    // owner carries.
    bool Validate(QString &error) override
    {
        if (!m_name || m_name->text() == Component()->Name())
            return true;
        const QString name = m_name->text();
        if (name.isEmpty() || !IsValidComponentName(name)) {
            error = QStringLiteral("'%1' is not a valid name").arg(name);
            return false;
        }
        if (TComponent *owner = Component()->Owner()) {
            QObject *existing = owner->FindOwnedObject(name);
            if (existing && existing != Component()) {
                error = QStringLiteral("A component named %1 already exists").arg(name);
                return false;
            }
        }
        return true;
    }

private:
    QLineEdit *m_name = nullptr;
};

} // namespace

std::unique_ptr<TPropertyDialog> CreateBlockOptionsDialog(TVexaDesigner *designer, QWidget *parent,
                                                          TComponent *component)
{
    return Done(new TBlockDialog(designer, parent, component));
}

std::unique_ptr<TPropertyDialog> CreateFrameDialog(TVexaDesigner *designer, QWidget *parent,
                                                   const QList<TVxControl *> &elements)
{
    auto *d = new TKindDialog(designer, elements.isEmpty() ? nullptr : elements.first(), parent,
                              QStringLiteral("Frame"), QStringLiteral("Frame"));
    d->setObjectName(QStringLiteral("TFramePropertyForm"));
    // Shown with the first element's frame; OK writes the changed values to
    // every element.
    QList<TComponent *> targets(elements.begin(), elements.end());
    d->SetTargets(targets);
    d->AddFrame();
    return Done(d);
}

} // namespace zelmio
