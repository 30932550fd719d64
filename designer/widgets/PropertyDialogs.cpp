// The property dialog frame (bound controls, OK writing only what changed),
// the dispatch by kind, the designer hooks and the window's commands.
#include "designer/widgets/PropertyDialogs.h"

#include "designer/widgets/LanguageTranslator.h"

#include "designer/VexaDesigner.h"
#include "designer/widgets/PropertyDialogKinds.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxControl.h"
#include "model/VxCustomBand.h"
#include "model/VxCustomLabel.h"
#include "model/VxFont.h"
#include "model/VxSubDetail.h"
#include "model/VxLoopBand.h"
#include "model/VxStringsBand.h"
#include "model/Vexa.h"
#include "platform/DataSet.h"
#include "storage/PropertyAddons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace zelmio {

TExpressionBuilder &ExpressionBuilderHook()
{
    static TExpressionBuilder hook;
    return hook;
}

// --- Colour box -------------------------------------------------------------------

namespace {

struct TNamedColor {
    TColor color;
    const char *name;
};
const TNamedColor kColors[] = {
    {clBlack, "Black"},   {clMaroon, "Maroon"}, {clGreen, "Green"},   {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"}, {clTeal, "Teal"},     {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},       {clLime, "Lime"},     {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
    {clMoneyGreen, "Money green"}, {clSkyBlue, "Sky blue"}, {clCream, "Cream"}, {clMedGray, "Medium gray"},
};
constexpr int kTransparentMark = -2;   // item data of the transparent entry

QIcon Swatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorToQColor(color));
    QPainter painter(&pixmap);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

TvxdColorCombo::TvxdColorCombo(bool withTransparent, QWidget *parent)
    : QComboBox(parent)
    , m_withTransparent(withTransparent)
{
    for (const TNamedColor &entry : kColors)
        addItem(Swatch(entry.color), QString::fromLatin1(entry.name), int(entry.color));
    if (withTransparent)
        addItem(QStringLiteral("Transparent"), kTransparentMark);
    setCurrentIndex(-1);
}

int TvxdColorCombo::ColorValue() const
{
    const QVariant data = currentData();
    return data.isValid() && data.toInt() != kTransparentMark ? data.toInt() : -1;
}

void TvxdColorCombo::SetColorValue(int color)
{
    int index = findData(color);
    if (index < 0 || color == kTransparentMark) {
        // A colour outside the list stays selectable as it is.
        insertItem(count() - (m_withTransparent ? 1 : 0), Swatch(TColor(color)), ColorToIdent(TColor(color)), color);
        index = findData(color);
    }
    setCurrentIndex(index);
}

bool TvxdColorCombo::IsTransparent() const
{
    return currentData().isValid() && currentData().toInt() == kTransparentMark;
}

void TvxdColorCombo::SetTransparent()
{
    setCurrentIndex(findData(kTransparentMark));
}

// --- The dialog frame --------------------------------------------------------------

void TPropertyDialog::showEvent(QShowEvent *event)
{
    if (!property("translated").toBool()) {
        setProperty("translated", true);
        TranslateForm(this, QString::fromLatin1(metaObject()->className()).section(QLatin1String("::"), -1).mid(1));
    }
    QDialog::showEvent(event);
}

TPropertyDialog::TPropertyDialog(TVexaDesigner *designer, TComponent *component, QWidget *parent,
                                 const QString &title)
    : QDialog(parent)
    , m_designer(designer)
    , m_component(component)
{
    setWindowTitle(title);
    setModal(true);
    m_main = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_main->addLayout(m_form);
    auto *error = new QLabel(this);
    error->setObjectName(QStringLiteral("ErrorText"));
    error->setStyleSheet(QStringLiteral("color: red"));
    error->hide();
    m_main->addStretch();
    m_main->addWidget(error);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    m_main->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TPropertyDialog::~TPropertyDialog() = default;

QString TPropertyDialog::Message(const QString &key, const QString &fallback) const
{
    return m_designer ? m_designer->RuntimeMessage(key, fallback) : fallback;
}

QList<TComponent *> TPropertyDialog::Targets() const
{
    if (!m_targets.isEmpty())
        return m_targets;
    return m_component ? QList<TComponent *>{m_component} : QList<TComponent *>{};
}

void TPropertyDialog::Bind(const QString &name, std::function<QVariant()> current,
                           std::function<void(const QVariant &)> write, const QVariant &original)
{
    TBinding binding;
    binding.name = name;
    binding.current = std::move(current);
    binding.write = std::move(write);
    binding.original = original.isValid() ? original : binding.current();
    m_bindings.append(binding);
}

QWidget *TPropertyDialog::Register(const QString &name, QWidget *widget)
{
    widget->setObjectName(name);
    return widget;
}

void TPropertyDialog::AddRow(const QString &caption, QWidget *widget)
{
    if (caption.isEmpty())
        m_form->addRow(widget);
    else
        m_form->addRow(caption, widget);
    // The row's caption is named after its control, for the language file.
    if (QWidget *label = m_form->labelForField(widget); label && !widget->objectName().isEmpty())
        label->setObjectName(widget->objectName() + QStringLiteral("Label"));
}

QWidget *TPropertyDialog::Editor(const QString &name) const
{
    return findChild<QWidget *>(name);
}

QStringList TPropertyDialog::PendingChanges() const
{
    QStringList names;
    for (const TBinding &binding : m_bindings) {
        if (binding.current() != binding.original)
            names << binding.name;
    }
    return names;
}

bool TPropertyDialog::HasProperty(const QString &path) const
{
    for (TComponent *target : Targets()) {
        if (ResolveProperty(target, path).object)
            return true;
    }
    return false;
}

void TPropertyDialog::accept()
{
    QString error;
    if (!Validate(error)) {
        auto *label = findChild<QLabel *>(QStringLiteral("ErrorText"));
        label->setText(error);
        label->show();
        return;
    }
    Apply();
    m_applied = true;
    QDialog::accept();
}

void TPropertyDialog::Apply()
{
    QList<const TBinding *> changed;
    for (const TBinding &binding : m_bindings) {
        if (binding.current() != binding.original)
            changed << &binding;
    }
    if (changed.isEmpty())
        return;
    if (m_ownUndoStep && m_designer)
        m_designer->SetHasChanged(true);
    BeforeWrite();
    for (const TBinding *binding : changed)
        binding->write(binding->current());
    for (TComponent *target : Targets()) {
        if (auto *control = qobject_cast<TVxControl *>(target))
            control->Invalidate();
    }
}

// --- Bound controls -------------------------------------------------------------------

QCheckBox *TPropertyDialog::AddCheck(const QString &path, const QString &caption)
{
    if (!HasProperty(path))
        return nullptr;
    auto *box = new QCheckBox(caption, this);
    Register(path, box);
    if (m_several) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    } else {
        box->setChecked(GetBooleanProperty(m_component, path));
    }
    AddRow(QString(), box);
    Bind(path, [box] { return QVariant(int(box->checkState())); },
         [this, path](const QVariant &value) {
             if (Qt::CheckState(value.toInt()) == Qt::PartiallyChecked)
                 return;
             for (TComponent *target : Targets())
                 SetBooleanProperty(target, path, value.toInt() == Qt::Checked);
         });
    return box;
}

QLineEdit *TPropertyDialog::AddText(const QString &path, const QString &caption)
{
    if (!HasProperty(path))
        return nullptr;
    auto *edit = new QLineEdit(this);
    Register(path, edit);
    if (!m_several)
        edit->setText(GetStringProperty(m_component, path));
    AddRow(caption, edit);
    Bind(path, [edit] { return QVariant(edit->text()); },
         [this, path](const QVariant &value) {
             for (TComponent *target : Targets())
                 SetStringProperty(target, path, value.toString());
         });
    return edit;
}

QSpinBox *TPropertyDialog::AddInt(const QString &path, const QString &caption, int low, int high)
{
    if (!HasProperty(path))
        return nullptr;
    auto *spin = new QSpinBox(this);
    Register(path, spin);
    spin->setRange(low, high);
    spin->setValue(int(GetIntegerProperty(m_component, path)));
    AddRow(caption, spin);
    Bind(path, [spin] { return QVariant(spin->value()); },
         [this, path](const QVariant &value) {
             for (TComponent *target : Targets())
                 SetIntegerProperty(target, path, value.toInt());
         });
    return spin;
}

QDoubleSpinBox *TPropertyDialog::AddFloat(const QString &path, const QString &caption, double low, double high,
                                          int decimals)
{
    if (!HasProperty(path))
        return nullptr;
    auto *spin = new QDoubleSpinBox(this);
    Register(path, spin);
    spin->setDecimals(decimals);
    spin->setRange(low, high);
    spin->setValue(double(GetFloatProperty(m_component, path)));
    AddRow(caption, spin);
    Bind(path, [spin] { return QVariant(spin->value()); },
         [this, path](const QVariant &value) {
             for (TComponent *target : Targets())
                 SetFloatProperty(target, path, value.toDouble());
         });
    return spin;
}

QComboBox *TPropertyDialog::AddChoice(const QString &path, const QString &caption,
                                      const QList<QPair<QString, int>> &entries)
{
    if (!HasProperty(path))
        return nullptr;
    auto *combo = new QComboBox(this);
    Register(path, combo);
    for (const auto &entry : entries)
        combo->addItem(entry.first, entry.second);
    combo->setCurrentIndex(m_several ? -1 : combo->findData(int(GetIntegerProperty(m_component, path))));
    AddRow(caption, combo);
    Bind(path, [combo] { return combo->currentData(); },
         [this, path](const QVariant &value) {
             if (!value.isValid())
                 return;
             for (TComponent *target : Targets())
                 SetIntegerProperty(target, path, value.toInt());
         });
    return combo;
}

TvxdColorCombo *TPropertyDialog::AddColor(const QString &path, const QString &caption,
                                          const QString &transparentPath)
{
    if (!HasProperty(path))
        return nullptr;
    auto *combo = new TvxdColorCombo(!transparentPath.isEmpty(), this);
    Register(path, combo);
    if (!m_several) {
        if (!transparentPath.isEmpty() && GetBooleanProperty(m_component, transparentPath))
            combo->SetTransparent();
        else
            combo->SetColorValue(int(GetIntegerProperty(m_component, path)));
    }
    AddRow(caption, combo);
    Bind(path, [combo] { return combo->HasChoice() ? QVariant(combo->ColorValue()) : QVariant(); },
         [this, path](const QVariant &value) {
             if (!value.isValid() || value.toInt() == -1)
                 return;
             for (TComponent *target : Targets())
                 SetIntegerProperty(target, path, value.toInt());
         });
    if (!transparentPath.isEmpty()) {
        Bind(transparentPath, [combo] { return QVariant(combo->IsTransparent()); },
             [this, transparentPath](const QVariant &value) {
                 for (TComponent *target : Targets())
                     SetBooleanProperty(target, transparentPath, value.toBool());
             });
    }
    return combo;
}

QPlainTextEdit *TPropertyDialog::AddLines(const QString &path, const QString &caption)
{
    const TPropertyTarget target = ResolveProperty(m_component, path);
    if (!target.object)
        return nullptr;
    auto *edit = new QPlainTextEdit(this);
    Register(path, edit);
    edit->setPlainText(target.property.meta.read(target.object).toStringList().join(QLatin1Char('\n')));
    AddRow(caption, edit);
    Bind(path, [edit] { return QVariant(edit->toPlainText()); },
         [this, path](const QVariant &value) {
             const QStringList lines = value.toString().isEmpty()
                                           ? QStringList()
                                           : value.toString().split(QLatin1Char('\n'));
             for (TComponent *component : Targets()) {
                 const TPropertyTarget resolved = ResolveProperty(component, path);
                 if (resolved.object)
                     resolved.property.meta.write(resolved.object, lines);
             }
         });
    return edit;
}

QComboBox *TPropertyDialog::AddReference(const QString &path, const QString &caption,
                                         const QList<QPair<QString, QObject *>> &entries)
{
    if (!HasProperty(path))
        return nullptr;
    auto *combo = new QComboBox(this);
    Register(path, combo);
    for (const auto &entry : entries)
        combo->addItem(entry.first, QVariant::fromValue(static_cast<void *>(entry.second)));
    QObject *current = GetPointerProperty(m_component, path);
    int index = -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].second == current)
            index = i;
    }
    combo->setCurrentIndex(index);
    AddRow(caption, combo);
    Bind(path, [combo] { return combo->currentData(); },
         [this, path](const QVariant &value) {
             if (!value.isValid())
                 return;
             auto *reference = static_cast<QObject *>(value.value<void *>());
             for (TComponent *target : Targets())
                 SetPointerProperty(target, path, reference);
         });
    return combo;
}

namespace {
QString FontText(const TVxFont *font)
{
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(font->Name())
        .arg(font->Size())
        .arg(int(font->Style()))
        .arg(int(font->Color()))
        .arg(int(font->Charset()));
}
} // namespace

void TPropertyDialog::AddFont()
{
    TVxFont *font = GetFontProperty(m_component);
    if (!font)
        return;
    m_font = std::make_unique<TVxFont>();
    m_font->Assign(font);
    auto *button = new QPushButton(QStringLiteral("&Font..."), this);
    Register(QStringLiteral("Font"), button);
    connect(button, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, m_font->ToQFont(), this);
        if (!ok)
            return;
        m_font->SetName(chosen.family());
        m_font->SetSize(qRound(chosen.pointSizeF()));
        TFontStyles style;
        if (chosen.bold())
            style |= VxTypes::TFontStyle::fsBold;
        if (chosen.italic())
            style |= VxTypes::TFontStyle::fsItalic;
        if (chosen.underline())
            style |= VxTypes::TFontStyle::fsUnderline;
        if (chosen.strikeOut())
            style |= VxTypes::TFontStyle::fsStrikeOut;
        m_font->SetStyle(style);
    });
    AddRow(QString(), button);
    Bind(QStringLiteral("Font"), [this] { return QVariant(FontText(m_font.get())); },
         [this](const QVariant &) {
             for (TComponent *target : Targets()) {
                 if (TVxFont *own = GetFontProperty(target)) {
                     own->Assign(m_font.get());
                     if (PropertyExists(target, QStringLiteral("ParentFont")))
                         SetBooleanProperty(target, QStringLiteral("ParentFont"), false);
                 }
             }
         });
}

void TPropertyDialog::AddFrame(const QString &prefix)
{
    if (!HasProperty(prefix + QStringLiteral("Width")))
        return;
    auto *group = new QGroupBox(Message(QStringLiteral("Frame"), QStringLiteral("Frame")), this);
    group->setObjectName(prefix + QStringLiteral("Group"));
    auto *layout = new QFormLayout(group);
    QFormLayout *outer = m_form;
    m_form = layout;
    AddInt(prefix + QStringLiteral("Width"), Message(QStringLiteral("FrameWidth"), QStringLiteral("Width")), 0, 100);
    AddCheck(prefix + QStringLiteral("DrawTop"), QStringLiteral("&Top"));
    AddCheck(prefix + QStringLiteral("DrawBottom"), QStringLiteral("&Bottom"));
    AddCheck(prefix + QStringLiteral("DrawLeft"), QStringLiteral("&Left"));
    AddCheck(prefix + QStringLiteral("DrawRight"), QStringLiteral("&Right"));
    const char *const keys[] = {"PenStyleSolid", "PenStyleDashed", "PenStyleDot", "PenStyleDashDot",
                                "PenStyleDashDotDot", "PenStyleHiddenMark", "PenStyleInsideFrame"};
    const char *const texts[] = {"Solid", "Dash", "Dot", "Dash dot", "Dash dot dot", "Clear", "Inside frame"};
    QList<QPair<QString, int>> styles;
    for (int i = 0; i < 7; ++i)
        styles << qMakePair(Message(QLatin1String(keys[i]), QLatin1String(texts[i])), i);
    AddChoice(prefix + QStringLiteral("Style"), Message(QStringLiteral("FrameStyle"), QStringLiteral("Style")), styles);
    AddColor(prefix + QStringLiteral("Color"), Message(QStringLiteral("FrameColor"), QStringLiteral("Colour")));
    m_form = outer;
    AddRow(QString(), group);
}

QCheckBox *TPropertyDialog::AddAddonCheck(const QString &flag, const QString &caption)
{
    if (!m_designer || !m_component)
        return nullptr;
    auto *box = new QCheckBox(caption, this);
    Register(flag, box);
    box->setChecked(m_designer->GetBoolProp(m_component, flag));
    box->setEnabled(m_designer->AllowBlockEdit());
    AddRow(QString(), box);
    Bind(flag, [box] { return QVariant(box->isChecked()); },
         [this, flag](const QVariant &value) {
             for (TComponent *target : Targets())
                 m_designer->PropertyAddons()->SetBoolProp(target, flag, value.toBool());
         });
    return box;
}

QWidget *TPropertyDialog::WithBuilder(QLineEdit *edit, const QString &buttonName)
{
    auto *row = new QWidget(this);
    row->setObjectName(edit->objectName() + QStringLiteral("Row"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    edit->setParent(row);
    layout->addWidget(edit);
    auto *button = new QPushButton(QStringLiteral("..."), row);
    button->setObjectName(buttonName);
    button->setEnabled(bool(ExpressionBuilderHook()));
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, edit] {
        TExpressionBuilder &builder = ExpressionBuilderHook();
        QString text = edit->text();
        if (builder && builder(this, m_designer, text))
            edit->setText(text);
    });
    return row;
}

// The line edit of a bound expression property with its builder button, in
// place of the plain row AddText made.
QLineEdit *TPropertyDialog::AddExpression(const QString &path, const QString &caption)
{
    if (!HasProperty(path))
        return nullptr;
    auto *edit = new QLineEdit(this);
    Register(path, edit);
    edit->setText(GetStringProperty(m_component, path));
    AddRow(caption, WithBuilder(edit, path + QStringLiteral("Builder")));
    Bind(path, [edit] { return QVariant(edit->text()); },
         [this, path](const QVariant &value) {
             for (TComponent *target : Targets())
                 SetStringProperty(target, path, value.toString());
         });
    return edit;
}

TCustomVexa *TPropertyDialog::Report() const
{
    return m_designer ? m_designer->ParentControl() : nullptr;
}

QList<QPair<QString, QObject *>> TPropertyDialog::MasterEntries() const
{
    QList<QPair<QString, QObject *>> entries;
    TCustomVexa *report = Report();
    if (!report)
        return entries;
    QString reportText = Message(QStringLiteral("Report"), QStringLiteral("Report"));
    if (auto *vexa = qobject_cast<TVexa *>(report); vexa && vexa->DataSet())
        reportText = vexa->DataSet()->objectName();
    entries << qMakePair(reportText, static_cast<QObject *>(report));
    for (TVxCustomBand *band : report->BandList()) {
        if (band == m_component)
            continue;
        if (qobject_cast<TVxSubDetail *>(band) || qobject_cast<TVxLoopBand *>(band)
            || qobject_cast<TVxStringsBand *>(band))
            entries << qMakePair(band->Name(), static_cast<QObject *>(band));
    }
    return entries;
}

QList<QPair<QString, QObject *>> TPropertyDialog::LinkBandEntries() const
{
    QList<QPair<QString, QObject *>> entries;
    entries << qMakePair(Message(QStringLiteral("None"), QStringLiteral("None")), static_cast<QObject *>(nullptr));
    if (TCustomVexa *report = Report()) {
        for (TVxCustomBand *band : report->BandList()) {
            if (band != m_component)
                entries << qMakePair(band->Name().isEmpty() ? QStringLiteral("-?-") : band->Name(),
                                     static_cast<QObject *>(band));
        }
    }
    return entries;
}

QList<QPair<QString, QObject *>> TPropertyDialog::DataSetEntries() const
{
    QList<QPair<QString, QObject *>> entries;
    if (!m_designer)
        return entries;
    QList<TDataSet *> sources;
    m_designer->GetDatasourceList(sources);
    for (TDataSet *dataSet : sources)
        entries << qMakePair(dataSet->objectName(), static_cast<QObject *>(dataSet));
    return entries;
}

void TPropertyDialog::AddDataField(bool captionFromLabel)
{
    QComboBox *dataSets = AddReference(QStringLiteral("DataSet"), Message(QStringLiteral("Dataset"), QStringLiteral("Dataset:")),
                                       DataSetEntries());
    if (!HasProperty(QStringLiteral("DataField")))
        return;
    auto *fields = new QComboBox(this);
    Register(QStringLiteral("DataField"), fields);
    fields->setEditable(true);
    const auto dataSetOf = [dataSets]() -> TDataSet * {
        return dataSets ? static_cast<TDataSet *>(static_cast<QObject *>(dataSets->currentData().value<void *>()))
                        : nullptr;
    };
    const auto fill = [this, fields, dataSetOf] {
        fields->clear();
        if (TDataSet *dataSet = dataSetOf())
            fields->addItems(m_designer->FieldLabels(dataSet));
    };
    fill();
    // The current field by its display label (its name when it has none here).
    const QString fieldName = GetStringProperty(m_component, QStringLiteral("DataField"));
    QString label = fieldName;
    if (TDataSet *dataSet = dataSetOf()) {
        if (TField *field = dataSet->FindField(fieldName); field && m_designer->IsFieldShown(field))
            label = m_designer->DisplayLabel(field);
    }
    fields->setCurrentText(label);
    if (dataSets)
        connect(dataSets, &QComboBox::currentIndexChanged, this, fill);
    AddRow(Message(QStringLiteral("Datafield"), QStringLiteral("Data field:")), fields);
    Bind(QStringLiteral("DataField"), [fields] { return QVariant(fields->currentText()); },
         [this, dataSetOf, captionFromLabel](const QVariant &value) {
             const QString text = value.toString();
             TField *field = dataSetOf() ? m_designer->FieldByLabel(dataSetOf(), text) : nullptr;
             for (TComponent *target : Targets()) {
                 SetStringProperty(target, QStringLiteral("DataField"), field ? field->FieldName() : text);
                 if (auto *label = qobject_cast<TVxCustomLabel *>(target); label && captionFromLabel)
                     label->SetCaption(text);
             }
         },
         QVariant(label));
}

void TPropertyDialog::AddPageParity()
{
    if (!HasProperty(QStringLiteral("PageStep")))
        return;
    auto *odd = new QCheckBox(Message(QStringLiteral("OddPagesOnly"), QStringLiteral("Odd page numbers only")), this);
    auto *even = new QCheckBox(Message(QStringLiteral("EvenPagesOnly"), QStringLiteral("Even page numbers only")), this);
    Register(QStringLiteral("OddPages"), odd);
    Register(QStringLiteral("EvenPages"), even);
    const int start = int(GetIntegerProperty(m_component, QStringLiteral("StartPageNum")));
    const int step = int(GetIntegerProperty(m_component, QStringLiteral("PageStep")));
    odd->setChecked(step == 2 && (start == 1 || start == 0));
    even->setChecked(step == 2 && start == 2);
    connect(odd, &QCheckBox::toggled, even, [even](bool on) { if (on) even->setChecked(false); });
    connect(even, &QCheckBox::toggled, odd, [odd](bool on) { if (on) odd->setChecked(false); });
    AddRow(QString(), odd);
    AddRow(QString(), even);
    // Confirming always stores one of the two ranges or none: any other
    // range of the template is cleared.
    Bind(QStringLiteral("PageStep"),
         [odd, even] {
             if (odd->isChecked())
                 return QVariant(QStringLiteral("1/2"));
             if (even->isChecked())
                 return QVariant(QStringLiteral("2/2"));
             return QVariant(QStringLiteral("0/0"));
         },
         [this](const QVariant &value) {
             const QStringList parts = value.toString().split(QLatin1Char('/'));
             for (TComponent *target : Targets()) {
                 SetIntegerProperty(target, QStringLiteral("StartPageNum"), parts[0].toInt());
                 SetIntegerProperty(target, QStringLiteral("PageStep"), parts[1].toInt());
             }
         },
         QVariant(QStringLiteral("%1/%2").arg(start).arg(step)));
}

void TPropertyDialog::AddBandColor()
{
    AddColor(QStringLiteral("Color"), Message(QStringLiteral("Color"), QStringLiteral("Colour")),
             HasProperty(QStringLiteral("TransparentBand")) ? QStringLiteral("TransparentBand") : QString());
}

// --- Dispatch ---------------------------------------------------------------------------

std::unique_ptr<TPropertyDialog> CreatePropertyDialog(TVexaDesigner *designer, QWidget *parent,
                                                      TComponent *component)
{
    if (!component)
        return nullptr;
    // First match wins: derived kinds before their bases.
    using TMaker = std::unique_ptr<TPropertyDialog> (*)(TVexaDesigner *, QWidget *, TComponent *);
    const QPair<const char *, TMaker> kinds[] = {
        {"zelmio::TDesignVexa", &CreateReportDialog},
        {"zelmio::TTesmolaDBText", &CreateDataTextDialog},
        {"zelmio::TTesmolaShape", &CreateShapeDialog},
        {"zelmio::TTesmolaExpr", &CreateExpressionDialog},
        {"zelmio::TTesmolaChildBand", &CreateChildBandDialog},
        {"zelmio::TTesmolaGroup", &CreateGroupDialog},
        {"zelmio::TTesmolaSubdetail", &CreateSubdetailDialog},
        {"zelmio::TTesmolaRichtext", &CreateRichTextDialog},
        {"zelmio::TTesmolaDBRichtext", &CreateDataRichTextDialog},
        {"zelmio::TTesmolaSysdata", &CreateSystemDataDialog},
        {"zelmio::TTesmolaImage", &CreateImageDialog},
        {"zelmio::TTesmolaDBImage", &CreateDataImageDialog},
        {"zelmio::TTesmolaBarcode", &CreateBarcodeDialog},
        {"zelmio::TTesmolaDBBarcode", &CreateDataBarcodeDialog},
        {"zelmio::TTesmolaLabel", &CreateLabelDialog},
        {"zelmio::TTesmolaMemo", &CreateMemoDialog},
        {"zelmio::TVxCustomBand", &CreateBandDialog},
    };
    for (const auto &kind : kinds) {
        if (component->inherits(kind.first))
            return kind.second(designer, parent, component);
    }
    return nullptr;
}

bool EditReportComponentProperties(TVexaDesigner *designer, QWidget *parent, TComponent *&component)
{
    std::unique_ptr<TPropertyDialog> dialog = CreatePropertyDialog(designer, parent, component);
    if (!dialog)
        return false;
    if (dialog->exec() != QDialog::Accepted || !dialog->Applied())
        return false;
    component = dialog->Component();
    return true;
}

void InstallPropertyDialogs(TVexaDesigner *designer, QWidget *window)
{
    QPointer<QWidget> owner = window;
    designer->SetOnEditProperties([owner](TVexaDesigner *d, TComponent *&component, bool &result) {
        result = EditReportComponentProperties(d, owner, component);
    });
    designer->SetOnEditSeveralProperties([owner](TVexaDesigner *d, const QList<TVxControl *> &elements) {
        std::unique_ptr<TPropertyDialog> dialog = CreateSeveralDataTextsDialog(d, owner, elements);
        dialog->SetOwnUndoStep(true);
        dialog->exec();
    });
}

namespace {
bool RunOwnStep(std::unique_ptr<TPropertyDialog> dialog, TVexaDesigner *designer)
{
    if (!dialog)
        return false;
    dialog->SetOwnUndoStep(true);
    const bool ok = dialog->exec() == QDialog::Accepted && dialog->Applied();
    if (ok && designer)
        designer->UpdateInfoPanel();
    return ok;
}
} // namespace

bool EditReportOptions(QWidget *parent, TVexaDesigner *designer)
{
    if (!designer || !designer->ParentControl())
        return false;
    return RunOwnStep(CreateReportDialog(designer, parent, designer->ParentControl()), designer);
}

bool EditFrame(QWidget *parent, TVexaDesigner *designer)
{
    if (!designer)
        return false;
    QList<TVxControl *> elements;
    for (TVxControl *element : designer->GetSelectedElements()) {
        if (!designer->GetBoolProp(element, QStringLiteral("BlockEdit")))
            elements << element;
    }
    if (elements.isEmpty())
        return false;
    return RunOwnStep(CreateFrameDialog(designer, parent, elements), designer);
}

bool EditBlockOptions(QWidget *parent, TVexaDesigner *designer, TComponent *component)
{
    if (!designer || !component)
        return false;
    return RunOwnStep(CreateBlockOptionsDialog(designer, parent, component), designer);
}

bool EditBlockOptions(QWidget *parent, TVexaDesigner *designer)
{
    if (!designer)
        return false;
    TComponent *component = designer->GetSelectedElement();
    return EditBlockOptions(parent, designer, component ? component : designer->ParentControl());
}

QString ToggleRemoveIfEmpty(const QString &line)
{
    static const QString marker = QStringLiteral("%DEL");
    // The whole rest stays, however long: toggling twice restores the line.
    if (line.startsWith(marker))
        return line.mid(marker.size());
    return marker + line;
}

} // namespace zelmio
