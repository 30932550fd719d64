#include "designer/widgets/DesignerPropertyPanel.h"

#include "designer/DesignVexa.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/DesignerGlyphs.h"
#include "designer/widgets/ExpressionBuilder.h"
#include "designer/widgets/PropertyDialogs.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxCustomBand.h"
#include "model/VxDBText.h"
#include "model/VxElementTypes.h"
#include "model/VxFont.h"
#include "platform/DataSet.h"

#include <QAction>
#include <algorithm>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace zelmio {

namespace {

using TEditorKind = TDesignerPropertyPanel::TEditorKind;
using VxElementTypes::TVxShapeType;
using VxElementTypes::TVxSysDataType;

// The band kinds of the band combo, in its order; entries 8 and 9 are the
// loop band and strings band classes.
const TVxBandType kBandKinds[] = {TVxBandType::rbColumnHeader, TVxBandType::rbDetail,
                                  TVxBandType::rbGroupFooter,  TVxBandType::rbGroupHeader,
                                  TVxBandType::rbPageHeader,   TVxBandType::rbPageFooter,
                                  TVxBandType::rbSummary,      TVxBandType::rbTitle};
const char *const kBandKeys[] = {"BandColumnHeader", "BandDetail",     "BandGroupfooter", "BandGroupheader",
                                 "BandPageHeader",   "BandPageFooter", "BandSummary",     "BandTitle"};
constexpr int kLoopBandEntry = 8;
constexpr int kStringsBandEntry = 9;

struct TChoice {
    const char *key;
    const char *fallback;
    int value;
};
const TChoice kShapes[] = {
    {"ShapeCircle", "Circle", int(TVxShapeType::vxsCircle)},
    {"ShapeHorizontalLine", "Horizontal line", int(TVxShapeType::vxsHorLine)},
    {"ShapeRectangle", "Rectangle", int(TVxShapeType::vxsRoundRect)},
    {"ShapeLeftRightLines", "Left and right lines", int(TVxShapeType::vxsRightAndLeft)},
    {"ShapeTopBottomLines", "Top and bottom lines", int(TVxShapeType::vxsTopAndBottom)},
    {"ShapeVerticalLine", "Vertical line", int(TVxShapeType::vxsVertLine)},
};
constexpr int kRectangleEntry = 2;
const TChoice kSystemValues[] = {
    {"SysdataDate", "Date", int(TVxSysDataType::vxsDate)},
    {"SysdataTime", "Time", int(TVxSysDataType::vxsTime)},
    {"SysdataDateTime", "Date and time", int(TVxSysDataType::vxsDateTime)},
    {"SysdataDetailcounter", "Detail counter", int(TVxSysDataType::vxsDetailCount)},
    {"SysdataDetailnumber", "Detail number", int(TVxSysDataType::vxsDetailNo)},
    {"SysdataPagenumber", "Page number", int(TVxSysDataType::vxsPageNumber)},
    {"SysdataReportTitle", "Report title", int(TVxSysDataType::vxsReportTitle)},
};

struct TKindRow {
    const char *className;
    const char *key;
    const char *fallback;
    TEditorKind editor;
};
// First matching class wins: the derived classes come before their bases.
const TKindRow kKinds[] = {
    {"zelmio::TVxChildBand", "Childband", "Child band", TEditorKind::None},
    {"zelmio::TVxSubDetail", "Subdetailband", "Sub-detail band", TEditorKind::None},
    {"zelmio::TVxGroup", "Groupband", "Group band", TEditorKind::None},
    {"zelmio::TVxCustomBand", "Band", "Band", TEditorKind::BandKind},
    {"zelmio::TVxDBRichText", "Richtext datafield", "Rich text data field", TEditorKind::Field},
    {"zelmio::TVxRichText", "Richtext", "Rich text", TEditorKind::None},
    {"zelmio::TVxDBImage", "Image datafield", "Image data field", TEditorKind::Field},
    {"zelmio::TVxImage", "Image", "Image", TEditorKind::None},
    {"zelmio::TVxDBBarcode", "Barcode datafield", "Barcode data field", TEditorKind::Field},
    {"zelmio::TVxBarcode", "Barcode", "Barcode", TEditorKind::BarcodeValue},
    {"zelmio::TVxDBText", "Datafield", "Data field", TEditorKind::Field},
    {"zelmio::TVxExpr", "Expression", "Expression", TEditorKind::Expression},
    {"zelmio::TVxSysData", "Systemfield", nullptr, TEditorKind::SystemValue},
    {"zelmio::TVxMemo", "Memo", "Memo", TEditorKind::None},
    {"zelmio::TVxLabel", "Label", "Label", TEditorKind::Caption},
    {"zelmio::TVxShape", "Shape", "Shape", TEditorKind::ShapeKind},
};

TVxFont *FontOf(TVxControl *control)
{
    return control ? GetFontProperty(control) : nullptr;
}

} // namespace

TDesignerPropertyPanel::TDesignerPropertyPanel(TVexaDesigner *designer, QWidget *parent)
    : QToolBar(QStringLiteral("Font toolbar"), parent)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("PropertyPanel"));
    m_bold = AddButton(QStringLiteral("BoldSpeedButton"), QStringLiteral("B"), QStringLiteral("bold"), true);
    QFont boldFont = m_bold->font();
    boldFont.setBold(true);
    m_bold->setFont(boldFont);
    m_italic = AddButton(QStringLiteral("ItalicSpeedButton"), QStringLiteral("I"), QStringLiteral("italic"), true);
    QFont italicFont = m_italic->font();
    italicFont.setItalic(true);
    m_italic->setFont(italicFont);
    m_underline =
        AddButton(QStringLiteral("UnderlineSpeedButton"), QStringLiteral("U"), QStringLiteral("underline"), true);
    QFont underlineFont = m_underline->font();
    underlineFont.setUnderline(true);
    m_underline->setFont(underlineFont);
    for (QAction *style : {m_bold, m_italic, m_underline})
        connect(style, &QAction::triggered, this, &TDesignerPropertyPanel::StyleClicked);
    addSeparator();

    m_alignLeft = AddButton(QStringLiteral("TextLeftAlignButton"), QStringLiteral("Left"),
                            QStringLiteral("align text left"), true);
    m_alignCenter = AddButton(QStringLiteral("TextCenterAlignButton"), QStringLiteral("Center"),
                              QStringLiteral("center text"), true);
    m_alignRight = AddButton(QStringLiteral("TextRightAlignButton"), QStringLiteral("Right"),
                             QStringLiteral("align text right"), true);
    connect(m_alignLeft, &QAction::triggered, this, [this] { Run([this] { m_designer->TextLeftAlign(); }); });
    connect(m_alignCenter, &QAction::triggered, this, [this] { Run([this] { m_designer->TextCenter(); }); });
    connect(m_alignRight, &QAction::triggered, this, [this] { Run([this] { m_designer->TextRightAlign(); }); });
    addSeparator();

    QAction *frame = AddButton(QStringLiteral("FrameSpeedButton"), QStringLiteral("Frame"),
                               QStringLiteral("Set frame"), false);
    connect(frame, &QAction::triggered, this, [this] {
        if (EditFrame(window(), m_designer))
            emit Edited();
    });
    QAction *color = AddButton(QStringLiteral("FontColorSpeedbutton"), QStringLiteral("Color"),
                               QStringLiteral("Font color"), false);
    connect(color, &QAction::triggered, this, &TDesignerPropertyPanel::ChooseFontColor);
    addSeparator();

    m_typeLabel = new QLabel(this);
    m_typeLabel->setObjectName(QStringLiteral("TypeLabel"));
    m_typeLabel->setMinimumWidth(110);
    m_typeLabel->setContentsMargins(4, 0, 4, 0);
    addWidget(m_typeLabel);

    m_allEdit = new QLineEdit(this);
    m_allEdit->setObjectName(QStringLiteral("AllEdit"));
    m_allEdit->setMinimumWidth(220);
    m_allEdit->installEventFilter(this);
    m_editEditAction = addWidget(m_allEdit);
    connect(m_allEdit, &QLineEdit::textEdited, this, &TDesignerPropertyPanel::EditLineChanged);
    connect(m_allEdit, &QLineEdit::returnPressed, this, [this] {
        m_typingStarted = false;
        emit EditingDone();
    });

    // The builder for the expression in the edit line.
    m_builderAction = addAction(QStringLiteral("..."));
    m_builderAction->setObjectName(QStringLiteral("ExpressionBuilderButton"));
    m_builderAction->setToolTip(QStringLiteral("Expression builder"));
    connect(m_builderAction, &QAction::triggered, this, [this] {
        TVxControl *element = m_edited;
        if (!element || m_editorKind != TEditorKind::Expression)
            return;
        QString expression = GetStringProperty(element, QStringLiteral("Expression"));
        if (!EditExpression(window(), m_designer, expression) ||
            expression == GetStringProperty(element, QStringLiteral("Expression")))
            return;
        m_designer->SetHasChanged(true);
        SetStringProperty(element, QStringLiteral("Expression"), expression);
        element->Invalidate();
        m_allEdit->setText(expression);
        emit Edited();
    });

    m_allComboBox = new QComboBox(this);
    m_allComboBox->setObjectName(QStringLiteral("AllComboBox"));
    m_allComboBox->setMinimumWidth(180);
    m_comboAction = addWidget(m_allComboBox);
    connect(m_allComboBox, qOverload<int>(&QComboBox::activated), this, &TDesignerPropertyPanel::ComboChosen);
    addSeparator();

    m_fontComboBox = new QComboBox(this);
    m_fontComboBox->setObjectName(QStringLiteral("FontComboBox"));
    m_fontComboBox->setEditable(true);
    m_fontComboBox->setInsertPolicy(QComboBox::NoInsert);
    m_fontComboBox->addItems(QFontDatabase::families());
    m_fontComboBox->setMinimumWidth(160);
    addWidget(m_fontComboBox);
    connect(m_fontComboBox, &QComboBox::textActivated, this, [this](const QString &name) {
        if (!m_updating)
            Run([this, name] { m_designer->SetSelectedElementsFont(name); });
    });

    m_fontSizeComboBox = new QComboBox(this);
    m_fontSizeComboBox->setObjectName(QStringLiteral("FontSizeComboBox"));
    m_fontSizeComboBox->setEditable(true);
    m_fontSizeComboBox->setInsertPolicy(QComboBox::NoInsert);
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_fontSizeComboBox->addItem(QString::number(size));
    m_fontSizeComboBox->setValidator(new QIntValidator(1, 999, m_fontSizeComboBox));
    m_fontSizeComboBox->setMinimumWidth(60);
    addWidget(m_fontSizeComboBox);
    connect(m_fontSizeComboBox, &QComboBox::textActivated, this, [this](const QString &text) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!m_updating && ok && size > 0)
            Run([this, size] { m_designer->SetSelectedElementsFontSize(size); });
    });

    UpdateSelections();
}

QAction *TDesignerPropertyPanel::AddButton(const QString &name, const QString &text, const QString &hint,
                                           bool checkable)
{
    QAction *action = addAction(text);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setCheckable(checkable);
    const QIcon glyph = DesignerGlyph(name);
    if (!glyph.isNull())
        action->setIcon(glyph);
    return action;
}

QAction *TDesignerPropertyPanel::Button(const QString &name) const
{
    return findChild<QAction *>(name);
}

QString TDesignerPropertyPanel::Message(const QString &key, const QString &fallback) const
{
    return m_designer->RuntimeMessage(key, fallback);
}

bool TDesignerPropertyPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Escape leaves the edit line as Enter does (the text stays).
    if (watched == m_allEdit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_typingStarted = false;
        emit EditingDone();
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}

bool TDesignerPropertyPanel::EditLineShown() const
{
    return m_editEditAction->isVisible();
}

bool TDesignerPropertyPanel::ComboShown() const
{
    return m_comboAction->isVisible();
}

bool TDesignerPropertyPanel::CanTypeIntoEditor() const
{
    return EditLineShown() && m_allEdit->isEnabled();
}

void TDesignerPropertyPanel::Run(const std::function<void()> &command)
{
    command();
    emit Edited();
}

void TDesignerPropertyPanel::UpdateSelections()
{
    m_updating = true;
    for (QAction *align : {m_alignLeft, m_alignCenter, m_alignRight})
        align->setChecked(false);
    UpdateFontControls();
    UpdateEditorControls();
    m_updating = m_detached;
}

void TDesignerPropertyPanel::UpdateFontControls()
{
    const QList<TVxControl *> selection = m_designer->GetSelectedElements();
    TVxFont *font = selection.isEmpty() ? FontOf(m_designer->ParentControl()) : FontOf(selection.first());
    if (!font) {
        if (selection.size() > 1) {
            m_fontComboBox->setEditText(QString());
            m_fontSizeComboBox->setEditText(QString());
            for (QAction *style : {m_bold, m_italic, m_underline})
                style->setChecked(false);
        }
        return;
    }
    const TFontStyles styles = font->Style();
    const QString size = QString::number(font->Size());
    if (selection.size() <= 1) {
        const int index = m_fontComboBox->findText(font->Name(), Qt::MatchFixedString);
        if (index >= 0)
            m_fontComboBox->setCurrentIndex(index);
        m_fontComboBox->setEditText(font->Name());
        m_fontSizeComboBox->setEditText(size);
        m_bold->setChecked(styles.testFlag(TFontStyle::fsBold));
        m_italic->setChecked(styles.testFlag(TFontStyle::fsItalic));
        m_underline->setChecked(styles.testFlag(TFontStyle::fsUnderline));
        return;
    }
    // Several elements: a box keeps its text only while element 0 agrees
    // with it, a style stays pressed only while element 0 has it.
    if (m_fontComboBox->currentText() != font->Name())
        m_fontComboBox->setEditText(QString());
    if (m_fontSizeComboBox->currentText() != size)
        m_fontSizeComboBox->setEditText(QString());
    if (!styles.testFlag(TFontStyle::fsBold))
        m_bold->setChecked(false);
    if (!styles.testFlag(TFontStyle::fsItalic))
        m_italic->setChecked(false);
    if (!styles.testFlag(TFontStyle::fsUnderline))
        m_underline->setChecked(false);
}

void TDesignerPropertyPanel::UpdateEditorControls()
{
    const QList<TVxControl *> selection = m_designer->GetSelectedElements();
    TVxControl *element = selection.size() == 1 ? selection.first() : nullptr;
    // While the user types, the edit line keeps its text and cursor.
    const bool typing = element && element == m_edited && m_allEdit->hasFocus();
    if (element != m_edited)
        m_typingStarted = false;
    m_edited = element;
    m_editorKind = TEditorKind::None;
    if (!typing)
        m_allEdit->clear();
    m_allComboBox->clear();
    if (!element) {
        m_typeLabel->setText(selection.isEmpty() ? QStringLiteral("Report") : QString());
        m_editEditAction->setVisible(false);
        m_builderAction->setVisible(false);
        m_comboAction->setVisible(false);
        return;
    }

    if (PropertyExists(element, QStringLiteral("Alignment"))) {
        switch (GetIntegerProperty(element, QStringLiteral("Alignment"))) {
        case int(TAlignment::taLeftJustify): m_alignLeft->setChecked(true); break;
        case int(TAlignment::taRightJustify): m_alignRight->setChecked(true); break;
        case int(TAlignment::taCenter): m_alignCenter->setChecked(true); break;
        default: break;
        }
    }
    const bool editable = !m_designer->GetBoolProp(element, QStringLiteral("BlockChange")) &&
                          !m_designer->GetBoolProp(element, QStringLiteral("BlockEdit"));

    QString type;
    for (const TKindRow &row : kKinds) {
        if (element->inherits(row.className)) {
            const QString key = QLatin1String(row.key);
            // The system field's key has no text of its own in the built-in
            // messages: it falls back on the "Sysdata" text.
            type = Message(key, row.fallback ? QString::fromUtf8(row.fallback)
                                             : Message(QStringLiteral("Sysdata"), QStringLiteral("System field")));
            m_editorKind = row.editor;
            break;
        }
    }
    m_typeLabel->setText(type);

    const auto fillChoices = [this](const auto &choices, int selected) {
        for (const TChoice &choice : choices)
            m_allComboBox->addItem(Message(QLatin1String(choice.key), QString::fromUtf8(choice.fallback)));
        m_allComboBox->setCurrentIndex(selected);
    };
    switch (m_editorKind) {
    case TEditorKind::Caption:
        if (!typing)
            m_allEdit->setText(GetStringProperty(element, QStringLiteral("Caption")));
        break;
    case TEditorKind::Expression:
        if (!typing)
            m_allEdit->setText(GetStringProperty(element, QStringLiteral("Expression")));
        break;
    case TEditorKind::BarcodeValue:
        if (!typing)
            m_allEdit->setText(GetStringProperty(element, QStringLiteral("Value")));
        break;
    case TEditorKind::BandKind: {
        auto *band = static_cast<TVxCustomBand *>(element);
        int selected = -1;
        for (int i = 0; i < 8; ++i) {
            m_allComboBox->addItem(Message(QLatin1String(kBandKeys[i]), BandKindDisplayName(kBandKinds[i])));
            if (band->BandType() == kBandKinds[i])
                selected = i;
        }
        m_allComboBox->addItem(Message(QStringLiteral("BandLoopband"), QStringLiteral("Loop Band")));
        m_allComboBox->addItem(Message(QStringLiteral("BandStringsband"), QStringLiteral("Strings Band")));
        if (element->inherits("zelmio::TVxLoopBand"))
            selected = kLoopBandEntry;
        else if (element->inherits("zelmio::TVxStringsBand"))
            selected = kStringsBandEntry;
        m_allComboBox->setCurrentIndex(selected);
        break;
    }
    case TEditorKind::Field: {
        auto *dataSet = qobject_cast<TDataSet *>(GetPointerProperty(element, QStringLiteral("DataSet")));
        QStringList labels = m_designer->FieldLabels(dataSet);
        labels.sort(Qt::CaseInsensitive);
        m_allComboBox->addItems(labels);
        int selected = 0;
        if (dataSet) {
            const QString fieldName = GetStringProperty(element, QStringLiteral("DataField"));
            if (TField *field = dataSet->FindField(fieldName))
                selected = std::max(0, int(labels.indexOf(m_designer->DisplayLabel(field))));
        }
        m_allComboBox->setCurrentIndex(labels.isEmpty() ? -1 : selected);
        break;
    }
    case TEditorKind::ShapeKind: {
        const int shape = int(GetIntegerProperty(element, QStringLiteral("Shape")));
        int selected = kRectangleEntry;
        for (int i = 0; i < int(std::size(kShapes)); ++i) {
            if (kShapes[i].value == shape)
                selected = i;
        }
        fillChoices(kShapes, selected);
        break;
    }
    case TEditorKind::SystemValue: {
        const int value = int(GetIntegerProperty(element, QStringLiteral("Data")));
        int selected = -1;
        for (int i = 0; i < int(std::size(kSystemValues)); ++i) {
            if (kSystemValues[i].value == value)
                selected = i;
        }
        fillChoices(kSystemValues, selected);
        break;
    }
    case TEditorKind::None:
        break;
    }
    const bool lineEditor = m_editorKind == TEditorKind::Caption || m_editorKind == TEditorKind::Expression ||
                            m_editorKind == TEditorKind::BarcodeValue;
    const bool comboEditor = m_editorKind != TEditorKind::None && !lineEditor;
    m_editEditAction->setVisible(lineEditor);
    m_builderAction->setVisible(m_editorKind == TEditorKind::Expression);
    m_builderAction->setEnabled(editable);
    m_comboAction->setVisible(comboEditor);
    m_allEdit->setEnabled(editable);
    m_allComboBox->setEnabled(editable);
}

void TDesignerPropertyPanel::EditLineChanged(const QString &text)
{
    TVxControl *element = m_edited;
    if (m_updating || !element)
        return;
    const QString property = m_editorKind == TEditorKind::Expression     ? QStringLiteral("Expression")
                             : m_editorKind == TEditorKind::BarcodeValue ? QStringLiteral("Value")
                                                                         : QStringLiteral("Caption");
    if (GetStringProperty(element, property) == text)
        return;
    // One undo step for a run of typing.
    if (!m_typingStarted) {
        m_designer->SetHasChanged(true);
        m_typingStarted = true;
    } else {
        m_designer->SetChanged(true);
    }
    SetStringProperty(element, property, text);
    element->Invalidate();
    emit Edited();
}

void TDesignerPropertyPanel::ComboChosen(int index)
{
    TVxControl *element = m_edited;
    if (m_updating || !element || index < 0)
        return;
    switch (m_editorKind) {
    case TEditorKind::Field: {
        auto *dataSet = qobject_cast<TDataSet *>(GetPointerProperty(element, QStringLiteral("DataSet")));
        const QString label = m_allComboBox->itemText(index);
        TField *field = m_designer->FieldByLabel(dataSet, label);
        if (!field)
            return;
        m_designer->SetHasChanged(true);
        SetStringProperty(element, QStringLiteral("DataField"), field->FieldName());
        // A data text shows the field's label on the design surface.
        if (auto *text = qobject_cast<TVxDBText *>(element))
            text->SetCaption(label);
        break;
    }
    case TEditorKind::BandKind: {
        TVxControl *band = element;
        const bool special =
            element->inherits("zelmio::TVxLoopBand") || element->inherits("zelmio::TVxStringsBand");
        if (index == kLoopBandEntry)
            band = m_designer->SwapBands(element, QStringLiteral("TTesmolaLoopband"));
        else if (index == kStringsBandEntry)
            band = m_designer->SwapBands(element, QStringLiteral("TTesmolaStringsband"));
        else if (special)
            band = m_designer->SwapBands(element, QStringLiteral("TTesmolaBand"));
        else
            m_designer->SetHasChanged(true);
        if (index < kLoopBandEntry) {
            if (auto *plain = qobject_cast<TVxCustomBand *>(band))
                plain->SetBandType(kBandKinds[index]);
        }
        break;
    }
    case TEditorKind::ShapeKind:
        m_designer->SetHasChanged(true);
        SetIntegerProperty(element, QStringLiteral("Shape"), kShapes[index].value);
        break;
    case TEditorKind::SystemValue:
        m_designer->SetHasChanged(true);
        SetIntegerProperty(element, QStringLiteral("Data"), kSystemValues[index].value);
        break;
    default:
        return;
    }
    if (TCustomVexa *report = m_designer->ParentControl())
        report->Invalidate();
    UpdateSelections();
    emit Edited();
}

void TDesignerPropertyPanel::StyleClicked()
{
    if (m_updating)
        return;
    auto *style = qobject_cast<QAction *>(sender());
    const int value = style->isChecked() ? 1 : -1;
    Run([this, style, value] {
        m_designer->SetSelectedElementsFontStyle(style == m_bold ? value : 0, style == m_underline ? value : 0,
                                                 style == m_italic ? value : 0);
    });
}

void TDesignerPropertyPanel::ChooseFontColor()
{
    TVxControl *first = m_designer->GetSelectedElement();
    TVxFont *font = FontOf(first ? first : m_designer->ParentControl());
    const QColor start = font ? ColorToQColor(font->Color()) : QColor(Qt::black);
    const QColor chosen = QColorDialog::getColor(start, window(), QStringLiteral("Font color"));
    if (chosen.isValid())
        Run([this, chosen] { m_designer->SetSelectedElementsFontColor(QColorToColor(chosen)); });
}

} // namespace zelmio
