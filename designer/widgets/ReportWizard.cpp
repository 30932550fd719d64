#include "designer/widgets/ReportWizard.h"

#include "designer/widgets/LanguageTranslator.h"

#include "designer/DesignVexa.h"
#include "designer/LabelFormats.h"
#include "designer/ReportCreator.h"
#include "designer/VexaDesigner.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxPage.h"
#include "model/VxPaperSizes.h"
#include "platform/DataSet.h"
#include "storage/RuntimeComponentMover.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMetaEnum>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zelmio {

namespace {

QString UnitCaption(TVxUnit unit)
{
    switch (unit) {
    case TVxUnit::MM: return QStringLiteral("mm");
    case TVxUnit::Inches: return QStringLiteral("Inches");
    case TVxUnit::Pixels: return QStringLiteral("Pixels");
    case TVxUnit::Characters: return QStringLiteral("Chars");
    case TVxUnit::Native: return QString();
    }
    return QString();
}

QMetaEnum PaperEnum()
{
    return QMetaEnum::fromType<TVxPaperSize>();
}

QString PaperName(TVxPaperSize paper)
{
    return QString::fromLatin1(PaperEnum().valueToKey(int(paper)));
}

void ToVxFont(const QFont &font, TVxFont &target)
{
    target.SetName(font.family());
    target.SetSize(font.pointSize() > 0 ? font.pointSize() : 10);
    TFontStyles style;
    if (font.bold())
        style |= TFontStyle::fsBold;
    if (font.italic())
        style |= TFontStyle::fsItalic;
    if (font.underline())
        style |= TFontStyle::fsUnderline;
    if (font.strikeOut())
        style |= TFontStyle::fsStrikeOut;
    target.SetStyle(style);
}

} // namespace

TTesmolaReportExpert::TTesmolaReportExpert(QWidget *parent, TVexaDesigner *designer)
    : QDialog(parent)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("ReportWizard"));
    setWindowTitle(QStringLiteral("New report definition"));
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addWidget(BuildStylePage());
    m_pages->addWidget(BuildDatasetPage());
    m_pages->addWidget(BuildFieldsPage());
    m_pages->addWidget(BuildBandsPage());
    m_pages->addWidget(BuildLabelSelectPage());
    m_pages->addWidget(BuildPaperPage());
    m_pages->addWidget(BuildLabelGridPage());
    m_pages->addWidget(BuildOptionsPage());
    m_pages->addWidget(BuildFontsPage());
    m_pages->addWidget(BuildFinishPage());

    auto *buttons = new QHBoxLayout;
    auto button = [&](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    buttons->addStretch();
    m_finish = button(QStringLiteral("&Finish"), "FinishButton");
    m_back = button(QStringLiteral("<< &Back"), "BackButton");
    m_next = button(QStringLiteral("&Next >>"), "NextButton");
    QPushButton *cancel = button(QStringLiteral("Cancel"), "CancelButton");
    connect(m_finish, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_back, &QPushButton::clicked, this, &TTesmolaReportExpert::Back);
    connect(m_next, &QPushButton::clicked, this, &TTesmolaReportExpert::Next);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    m_captionFont.SetSize(10);
    m_captionFont.SetStyle(TFontStyle::fsBold);
    m_dataFont.SetSize(10);
    ShowFonts();
    ShowPage(ReportTypePage);
}

TTesmolaReportExpert::~TTesmolaReportExpert() = default;

// --- Pages ----------------------------------------------------------------------

QWidget *TTesmolaReportExpert::BuildStylePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Reporttype"));
    auto *layout = new QVBoxLayout(page);
    m_styles = new QButtonGroup(page);
    const struct {
        const char *name, *text, *hint;
    } styles[] = {
        {"ListStyle", "List style", "(all records listed in columns)"},
        {"FormStyle", "Form style", "(one page for each record)"},
        {"SingleForm", "Single form", "(only one record on one page)"},
        {"Tabular", "Tabular", "(each datafield on a separate line)"},
        {"BlankReport", "New blank report", ""},
        {"MailingLabels", "Mailing labels", ""},
    };
    int id = 0;
    for (const auto &s : styles) {
        auto *radio = new QRadioButton(QString::fromLatin1(s.text), page);
        radio->setObjectName(QLatin1String(s.name));
        m_styles->addButton(radio, id++);
        auto *row = new QHBoxLayout;
        row->addWidget(radio);
        auto *description = new QLabel(QString::fromLatin1(s.hint), page);
        description->setObjectName(QLatin1String(s.name) + QStringLiteral("Description"));
        row->addWidget(description);
        row->addStretch();
        layout->addLayout(row);
    }
    m_styles->button(ListStyle)->setChecked(true);
    layout->addStretch();
    return page;
}

QWidget *TTesmolaReportExpert::BuildDatasetPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("DatasetSelection"));
    auto *layout = new QVBoxLayout(page);
    auto *caption = new QLabel(QStringLiteral("Main dataset for report"), page);
    caption->setObjectName(QStringLiteral("DatasetCaption"));
    layout->addWidget(caption);
    m_datasetList = new QListWidget(page);
    m_datasetList->setObjectName(QStringLiteral("DatasetList"));
    m_datasetList->addItem(QStringLiteral("None"));
    m_datasetList->setCurrentRow(0);
    layout->addWidget(m_datasetList);
    auto *row = new QHBoxLayout;
    // Creating and editing record sets belongs to a database layer this
    // program does not have: the buttons stay disabled.
    const struct {
        const char *name, *text;
    } dataSetButtons[] = {{"NewDataset", "&New"}, {"DatasetProperties", "&Properties"}, {"DeleteDataset", "&Delete"}};
    for (const auto &d : dataSetButtons) {
        auto *b = new QPushButton(QString::fromLatin1(d.text), page);
        b->setObjectName(QLatin1String(d.name));
        b->setEnabled(false);
        row->addWidget(b);
    }
    layout->addLayout(row);
    return page;
}

QWidget *TTesmolaReportExpert::BuildFieldsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Datafields"));
    auto *layout = new QHBoxLayout(page);
    auto list = [&](const QString &caption, const char *name) {
        auto *column = new QVBoxLayout;
        auto *label = new QLabel(caption, page);
        label->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
        column->addWidget(label);
        auto *w = new QListWidget(page);
        w->setObjectName(QLatin1String(name));
        w->setSelectionMode(QAbstractItemView::ExtendedSelection);
        column->addWidget(w);
        layout->addLayout(column);
        return w;
    };
    m_available = list(QStringLiteral("Available fields:"), "AvailableFields");
    auto *middle = new QVBoxLayout;
    layout->insertLayout(1, middle);
    m_used = list(QStringLiteral("Fields used in report:"), "UsedFields");
    auto button = [&](QBoxLayout *into, const QString &text, const char *name, auto slot) {
        auto *b = new QPushButton(text, page);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, slot);
        into->addWidget(b);
    };
    button(middle, QStringLiteral(">"), "AddField", [this] { MoveFields(true, false); });
    button(middle, QStringLiteral(">>"), "AddAllFields", [this] { MoveFields(true, true); });
    button(middle, QStringLiteral("<"), "RemoveField", [this] { MoveFields(false, false); });
    button(middle, QStringLiteral("<<"), "RemoveAllFields", [this] { MoveFields(false, true); });
    auto *order = new QVBoxLayout;
    layout->addLayout(order);
    button(order, QStringLiteral("Up"), "FieldUp", [this] { MoveUsed(-1); });
    button(order, QStringLiteral("Down"), "FieldDown", [this] { MoveUsed(1); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] { MoveFields(true, false); });
    connect(m_used, &QListWidget::itemDoubleClicked, this, [this] { MoveFields(false, false); });
    return page;
}

QWidget *TTesmolaReportExpert::BuildBandsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Bands"));
    auto *layout = new QVBoxLayout(page);
    auto box = [&](const QString &text, const char *name) {
        auto *c = new QCheckBox(text, page);
        c->setObjectName(QLatin1String(name));
        layout->addWidget(c);
        return c;
    };
    m_title = box(QStringLiteral("Title"), "TitleBand");
    m_pageHeader = box(QStringLiteral("Page Header"), "PageHeaderBand");
    QCheckBox *detail = box(QStringLiteral("Detail"), "DetailBand");
    detail->setChecked(true);
    detail->setEnabled(false);
    m_pageFooter = box(QStringLiteral("Page Footer"), "PageFooterBand");
    m_summary = box(QStringLiteral("Summary"), "SummaryBand");
    layout->addStretch();
    return page;
}

QLineEdit *TTesmolaReportExpert::LengthEdit(const char *name, const QString &text)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QWidget *TTesmolaReportExpert::BuildLabelSelectPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Labelselect"));
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    auto *caption = new QLabel(QStringLiteral("Label format"), page);
    caption->setObjectName(QStringLiteral("LabelFormatCaption"));
    left->addWidget(caption);
    m_manufacturer = new QComboBox(page);
    m_manufacturer->setObjectName(QStringLiteral("Manufacturer"));
    m_manufacturer->addItem(QStringLiteral("Custom"));
    m_manufacturer->addItems(LabelManufacturers());
    left->addWidget(m_manufacturer);
    m_formats = new QListWidget(page);
    m_formats->setObjectName(QStringLiteral("LabelFormats"));
    m_formats->hide();
    left->addWidget(m_formats);
    layout->addLayout(left);
    m_preview1 = new QLabel(page);
    m_preview1->setObjectName(QStringLiteral("LabelPreview1"));
    m_preview1->setFixedSize(160, 200);
    layout->addWidget(m_preview1);
    connect(m_manufacturer, &QComboBox::currentIndexChanged, this, &TTesmolaReportExpert::ManufacturerChosen);
    connect(m_formats, &QListWidget::currentRowChanged, this, &TTesmolaReportExpert::SelectLabelFormat);
    return page;
}

QWidget *TTesmolaReportExpert::BuildPaperPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Paper size"));
    auto *form = new QFormLayout(page);
    m_paper = new QComboBox(page);
    m_paper->setObjectName(QStringLiteral("PaperSize"));
    QStringList names;
    for (int i = 0; i < PaperEnum().keyCount(); ++i)
        names << QString::fromLatin1(PaperEnum().key(i));
    names.sort(Qt::CaseInsensitive);
    m_paper->addItems(names);
    form->addRow(m_paper);
    auto row = [&](const QString &caption, QLineEdit *edit) {
        auto *line = new QHBoxLayout;
        line->addWidget(edit);
        auto *unit = new QLabel(page);
        m_unitCaptions << unit;
        line->addWidget(unit);
        form->addRow(caption, line);
        form->labelForField(line)->setObjectName(edit->objectName() + QStringLiteral("Label"));
    };
    row(QStringLiteral("Width"), m_paperWidth = LengthEdit("PaperWidth", QStringLiteral("210")));
    row(QStringLiteral("Length"), m_paperLength = LengthEdit("PaperLength", QStringLiteral("297")));
    auto *margins = new QLabel(QStringLiteral("Page margins"), page);
    margins->setObjectName(QStringLiteral("PageMarginsLabel"));
    form->addRow(margins);
    row(QStringLiteral("Top"), m_top = LengthEdit("TopMargin", QStringLiteral("10")));
    row(QStringLiteral("Bottom"), m_bottom = LengthEdit("BottomMargin", QStringLiteral("10")));
    row(QStringLiteral("Left"), m_left = LengthEdit("LeftMargin", QStringLiteral("10")));
    row(QStringLiteral("Right"), m_right = LengthEdit("RightMargin", QStringLiteral("10")));
    auto *group = new QGroupBox(QStringLiteral("Orientation"), page);
    group->setObjectName(QStringLiteral("LabelOrientation"));
    auto *g = new QHBoxLayout(group);
    m_labelPortrait = new QRadioButton(QStringLiteral("Portrait"), group);
    m_labelPortrait->setObjectName(QStringLiteral("LabelPortrait"));
    m_labelPortrait->setChecked(true);
    m_labelLandscape = new QRadioButton(QStringLiteral("Landscape"), group);
    m_labelLandscape->setObjectName(QStringLiteral("LabelLandscape"));
    g->addWidget(m_labelPortrait);
    g->addWidget(m_labelLandscape);
    form->addRow(group);
    return page;
}

QWidget *TTesmolaReportExpert::BuildLabelGridPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Label format"));
    auto *layout = new QHBoxLayout(page);
    auto *form = new QFormLayout;
    auto row = [&](const QString &caption, QLineEdit *edit, bool length) {
        auto *line = new QHBoxLayout;
        line->addWidget(edit);
        if (length) {
            auto *unit = new QLabel(page);
            m_unitCaptions << unit;
            line->addWidget(unit);
        }
        form->addRow(caption, line);
        form->labelForField(line)->setObjectName(edit->objectName() + QStringLiteral("Label"));
    };
    row(QStringLiteral("Width"), m_labelWidth = LengthEdit("LabelWidth", QStringLiteral("50")), true);
    row(QStringLiteral("Height"), m_labelHeight = LengthEdit("LabelHeight", QStringLiteral("20")), true);
    row(QStringLiteral("Number of columns"), m_labelColumns = LengthEdit("LabelColumns", QStringLiteral("3")), false);
    row(QStringLiteral("Column space"), m_columnSpace = LengthEdit("ColumnSpace", QStringLiteral("5")), true);
    row(QStringLiteral("Number of rows"), m_labelRows = LengthEdit("LabelRows", QStringLiteral("10")), false);
    row(QStringLiteral("Row space"), m_rowSpace = LengthEdit("RowSpace", QStringLiteral("5")), true);
    layout->addLayout(form);
    m_preview2 = new QLabel(page);
    m_preview2->setObjectName(QStringLiteral("LabelPreview2"));
    m_preview2->setFixedSize(160, 200);
    layout->addWidget(m_preview2);
    return page;
}

QWidget *TTesmolaReportExpert::BuildOptionsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Special options"));
    auto *outer = new QVBoxLayout(page);
    auto *general = new QGroupBox(QStringLiteral("General report options"), page);
    general->setObjectName(QStringLiteral("GeneralOptions"));
    auto *form = new QFormLayout(general);
    auto *orientation = new QGroupBox(QStringLiteral("Orientation"), general);
    orientation->setObjectName(QStringLiteral("PageOrientation"));
    auto *o = new QHBoxLayout(orientation);
    m_pagePortrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    m_pagePortrait->setObjectName(QStringLiteral("PagePortrait"));
    m_pagePortrait->setChecked(true);
    m_pageLandscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    m_pageLandscape->setObjectName(QStringLiteral("PageLandscape"));
    o->addWidget(m_pagePortrait);
    o->addWidget(m_pageLandscape);
    form->addRow(orientation);
    m_pageColumns = LengthEdit("PageColumns", QStringLiteral("1"));
    form->addRow(QStringLiteral("Columns on each page:"), m_pageColumns);
    form->labelForField(m_pageColumns)->setObjectName(QStringLiteral("PageColumnsLabel"));
    m_columnSpacing = LengthEdit("ColumnSpacing", QStringLiteral("0") + QLocale().decimalPoint() + QStringLiteral("00"));
    auto *spacing = new QHBoxLayout;
    spacing->addWidget(m_columnSpacing);
    auto *unit = new QLabel(general);
    m_unitCaptions << unit;
    spacing->addWidget(unit);
    form->addRow(QStringLiteral("Column spacing:"), spacing);
    form->labelForField(spacing)->setObjectName(QStringLiteral("ColumnSpacingLabel"));
    m_reportTitle = LengthEdit("ReportTitle", QStringLiteral("Report"));
    form->addRow(QStringLiteral("Report title:"), m_reportTitle);
    form->labelForField(m_reportTitle)->setObjectName(QStringLiteral("ReportTitleLabel"));
    outer->addWidget(general);
    outer->addStretch();
    return page;
}

QWidget *TTesmolaReportExpert::BuildFontsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Fonts and lines"));
    auto *layout = new QVBoxLayout(page);
    auto fontRow = [&](const QString &text, const char *name, bool caption) {
        auto *row = new QHBoxLayout;
        auto *b = new QPushButton(text, page);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, [this, caption] { ChooseFont(caption); });
        row->addWidget(b);
        auto *example = new QLabel(QStringLiteral("Example"), page);
        row->addWidget(example);
        layout->addLayout(row);
        return example;
    };
    m_captionExample = fontRow(QStringLiteral("Font for column headers and labels ..."), "CaptionFontButton", true);
    m_captionExample->setObjectName(QStringLiteral("CaptionFontExample"));
    m_dataExample = fontRow(QStringLiteral("Font for datafields ..."), "DataFontButton", false);
    m_dataExample->setObjectName(QStringLiteral("DataFontExample"));
    auto *lines = new QGroupBox(QStringLiteral("Lines"), page);
    lines->setObjectName(QStringLiteral("LinesGroup"));
    auto *l = new QVBoxLayout(lines);
    auto box = [&](const QString &text, const char *name) {
        auto *c = new QCheckBox(text, lines);
        c->setObjectName(QLatin1String(name));
        l->addWidget(c);
        return c;
    };
    m_hLines = box(QStringLiteral("horizontal lines"), "HorizontalLines");
    m_vLines = box(QStringLiteral("vertical lines"), "VerticalLines");
    m_boxLines = box(QStringLiteral("box lines"), "BoxLines");
    layout->addWidget(lines);
    layout->addStretch();
    return page;
}

QWidget *TTesmolaReportExpert::BuildFinishPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Finish"));
    auto *layout = new QVBoxLayout(page);
    auto *text = new QLabel(QStringLiteral("The report has been created. Press \"Finish\" to edit it in the designer, "
                                           "or \"<< Back\" to change your answers."),
                            page);
    text->setObjectName(QStringLiteral("FinishText"));
    text->setWordWrap(true);
    layout->addWidget(text);
    m_previewButton = new QPushButton(QStringLiteral("&Preview..."), page);
    m_previewButton->setObjectName(QStringLiteral("PreviewButton"));
    m_previewButton->setEnabled(false);
    connect(m_previewButton, &QPushButton::clicked, this, [this] {
        if (m_onPreview)
            m_onPreview();
    });
    layout->addWidget(m_previewButton);
    layout->addStretch();
    return page;
}

// --- Binding --------------------------------------------------------------------

QString TTesmolaReportExpert::Number(long double value) const
{
    return QLocale().toString(std::round(double(value) * 100) / 100, 'g', 12);
}

bool TTesmolaReportExpert::ToNumber(const QLineEdit *edit, long double &value) const
{
    bool ok = false;
    double v = QLocale().toDouble(edit->text().trimmed(), &ok);
    if (!ok)
        v = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

void TTesmolaReportExpert::BindReport(TCustomVexa *report, TVexaCreator *creator)
{
    m_report = report;
    m_creator = creator;
    if (!report)
        return;
    for (QLabel *unit : m_unitCaptions)
        unit->setText(UnitCaption(report->GetUnits()));
    if (TVxPage *page = report->Page()) {
        m_top->setText(Number(page->TopMargin()));
        m_bottom->setText(Number(page->BottomMargin()));
        m_left->setText(Number(page->LeftMargin()));
        m_right->setText(Number(page->RightMargin()));
        m_paperWidth->setText(Number(page->Width()));
        m_paperLength->setText(Number(page->Length()));
        m_paper->setCurrentText(PaperName(page->PaperSize()));
    }
    m_dataSets.clear();
    while (m_datasetList->count() > 1)
        delete m_datasetList->takeItem(1);
    if (m_designer) {
        QList<TDataSet *> sources;
        m_designer->GetDatasourceList(sources);
        const QStringList captions = m_designer->DatasetDisplayLabels();
        for (TDataSet *dataSet : sources) {
            QString caption;
            for (const QString &pair : captions) {
                const int eq = pair.indexOf(QLatin1Char('='));
                if (eq > 0 && pair.left(eq).trimmed().compare(dataSet->objectName(), Qt::CaseInsensitive) == 0)
                    caption = pair.mid(eq + 1).trimmed();
            }
            m_datasetList->addItem(caption.isEmpty() ? dataSet->objectName() : caption);
            m_dataSets << dataSet;
        }
    }
    m_datasetList->setCurrentRow(0);
    if (const TVxFont *font = GetFontProperty(report)) {
        m_captionFont.Assign(font);
        m_dataFont.Assign(font);
    }
    m_captionFont.SetSize(10);
    m_captionFont.SetStyle(m_captionFont.Style() | TFontStyle::fsBold);
    m_dataFont.SetSize(10);
    ShowFonts();
}

void TTesmolaReportExpert::SetDefaultDataset(TDataSet *dataSet)
{
    const int index = int(m_dataSets.indexOf(dataSet));
    if (!dataSet || index < 0)
        return;
    m_datasetList->setCurrentRow(index + 1);
    m_defaultDatasetOnly = true;
}

void TTesmolaReportExpert::SetCaptionFont(const QFont &font)
{
    ToVxFont(font, m_captionFont);
    ShowFonts();
}

void TTesmolaReportExpert::SetDataFont(const QFont &font)
{
    ToVxFont(font, m_dataFont);
    ShowFonts();
}

void TTesmolaReportExpert::SetOnPreview(const std::function<void()> &preview)
{
    m_onPreview = preview;
    m_previewButton->setEnabled(bool(preview));
}

void TTesmolaReportExpert::ShowFonts()
{
    m_captionExample->setFont(m_captionFont.ToQFont());
    m_captionExample->setText(m_captionFont.Name().isEmpty() ? QStringLiteral("Example") : m_captionFont.Name());
    m_dataExample->setFont(m_dataFont.ToQFont());
    m_dataExample->setText(m_dataFont.Name().isEmpty() ? QStringLiteral("Example") : m_dataFont.Name());
}

void TTesmolaReportExpert::ChooseFont(bool caption)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, (caption ? m_captionFont : m_dataFont).ToQFont(), this);
    if (ok)
        caption ? SetCaptionFont(chosen) : SetDataFont(chosen);
}

// --- Fields ---------------------------------------------------------------------

void TTesmolaReportExpert::FillFieldLists(TDataSet *dataSet)
{
    m_datasource = dataSet;
    m_fieldsFilled = true;
    QStringList available;
    if (dataSet && m_designer)
        available = m_designer->FieldLabels(dataSet);
    else if (dataSet) {
        for (const TField *field : dataSet->Fields())
            available << field->FieldName();
    }
    QStringList used;
    for (int i = 0; i < m_used->count(); ++i) {
        if (available.contains(m_used->item(i)->text()))
            used << m_used->item(i)->text();
    }
    for (const QString &u : used)
        available.removeOne(u);
    m_available->clear();
    m_available->addItems(available);
    m_used->clear();
    m_used->addItems(used);
}

void TTesmolaReportExpert::MoveFields(bool toUsed, bool all)
{
    QListWidget *from = toUsed ? m_available : m_used;
    QListWidget *to = toUsed ? m_used : m_available;
    for (int i = 0; i < from->count();) {
        if (all || from->item(i)->isSelected()) {
            to->addItem(from->takeItem(i));
        } else {
            ++i;
        }
    }
    to->clearSelection();
}

void TTesmolaReportExpert::MoveUsed(int delta)
{
    const int row = m_used->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_used->count())
        return;
    QListWidgetItem *item = m_used->takeItem(row);
    m_used->insertItem(target, item);
    m_used->setCurrentRow(target);
}

// --- Labels ---------------------------------------------------------------------

void TTesmolaReportExpert::ManufacturerChosen(int index)
{
    m_formats->clear();
    m_currentLabels.clear();
    if (index > 0) {
        for (const QString &line : LabelFormatLinesOf(m_manufacturer->itemText(index))) {
            LabelFormatRec rec;
            if (!GetLabelValues(line, rec))
                continue;
            m_currentLabels << line;
            m_formats->addItem(LabelFormatCaption(rec));
        }
    }
    m_formats->setVisible(m_formats->count() > 0);
}

void TTesmolaReportExpert::SelectLabelFormat(int row)
{
    LabelFormatRec rec;
    if (row < 0 || row >= m_currentLabels.size() || !GetLabelValues(m_currentLabels[row], rec))
        return;
    const TLabelSheetLayout l = LabelLayoutFromFormat(m_report, rec);
    m_paper->setCurrentText(PaperName(rec.Papersize));
    if (rec.Papersize == TVxPaperSize::Custom) {
        m_paperWidth->setText(Number(l.paperWidth));
        m_paperLength->setText(Number(l.paperLength));
    }
    m_top->setText(Number(l.topMargin));
    m_left->setText(Number(l.leftMargin));
    (rec.Landscape ? m_labelLandscape : m_labelPortrait)->setChecked(true);
    m_right->setText(Number(l.rightMargin));
    m_bottom->setText(Number(l.bottomMargin));
    m_labelHeight->setText(Number(l.height));
    m_labelWidth->setText(Number(l.width));
    m_labelColumns->setText(QString::number(l.columns));
    m_labelRows->setText(QString::number(l.rows));
    m_rowSpace->setText(Number(l.rowSpace));
    m_columnSpace->setText(Number(l.columnSpace));
    DrawLabelPreviews();
}

QImage TTesmolaReportExpert::PreviewImage(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    long double v[10] = {};
    const QLineEdit *edits[] = {m_top, m_bottom, m_left, m_right, m_labelWidth, m_labelHeight,
                                m_columnSpace, m_rowSpace, m_labelColumns, m_labelRows};
    for (int i = 0; i < 10; ++i) {
        if (!ToNumber(edits[i], v[i]) || v[i] < 0)
            return image;
    }
    const int columns = std::clamp(int(v[8]), 0, 100);
    const int rows = std::clamp(int(v[9]), 0, 200);
    const long double pageW = v[2] + v[3] + columns * v[4] + std::max(0, columns - 1) * v[6];
    const long double pageH = v[0] + v[1] + rows * v[5] + std::max(0, rows - 1) * v[7];
    if (pageW <= 0 || pageH <= 0)
        return image;
    const double scale = 0.95 * std::min(double(size.height() - 3) / double(pageH), double(size.width() - 3) / double(pageW));
    QPainter painter(&image);
    const QRectF page(1, 1, double(pageW) * scale, double(pageH) * scale);
    painter.setPen(QColor(128, 128, 128));
    for (int i = 1; i <= 3; ++i) {
        painter.drawLine(QPointF(page.left() + i, page.bottom() + i), QPointF(page.right() + i, page.bottom() + i));
        painter.drawLine(QPointF(page.right() + i, page.top() + i), QPointF(page.right() + i, page.bottom() + i));
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setBrush(Qt::NoBrush);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const double x = double(v[2] + c * (v[4] + v[6])) * scale;
            const double y = double(v[0] + r * (v[5] + v[7])) * scale;
            painter.drawRect(QRectF(page.left() + x, page.top() + y, double(v[4]) * scale, double(v[5]) * scale));
        }
    }
    return image;
}

void TTesmolaReportExpert::DrawLabelPreviews()
{
    m_preview1->setPixmap(QPixmap::fromImage(PreviewImage(m_preview1->size())));
    m_preview2->setPixmap(QPixmap::fromImage(PreviewImage(m_preview2->size())));
}

// --- Navigation -----------------------------------------------------------------

int TTesmolaReportExpert::CurrentPage() const
{
    return m_pages->currentIndex();
}

TTesmolaReportExpert::Style TTesmolaReportExpert::CurrentStyle() const
{
    return Style(std::max(0, m_styles->checkedId()));
}

int TTesmolaReportExpert::Skip(int page, int direction) const
{
    const Style style = CurrentStyle();
    const bool labels = style == MailingLabels;
    const bool noData = m_datasetList->currentRow() <= 0;
    for (;;) {
        const int before = page;
        if (page == DatafieldsPage && noData)
            page += direction;
        if ((page == LabelSelectPage || page == PaperSizePage || page == LabelFormatPage) && !labels)
            page += direction;
        if (page == SpecialOptionsPage && labels)
            page += direction;
        if (page == BandsPage && (labels || style == SingleForm))
            page += direction;
        if (page == FontsPage && noData)
            page += direction;
        page = std::clamp(page, 0, int(FinishPage));
        if (page == before)
            return page;
    }
}

void TTesmolaReportExpert::ShowPage(int page)
{
    m_pages->setCurrentIndex(page);
    m_back->setVisible(page > 0);
    m_next->setVisible(page < FinishPage);
    m_finish->setEnabled(m_next->isHidden());
    if (page == LabelSelectPage || page == LabelFormatPage)
        DrawLabelPreviews();
}

void TTesmolaReportExpert::Next()
{
    int page = CurrentPage();
    if (page == ReportTypePage) {
        if (CurrentStyle() == BlankReport) {
            accept();
            return;
        }
        const bool labels = CurrentStyle() == MailingLabels;
        m_pageColumns->setEnabled(!labels);
        m_columnSpacing->setEnabled(!labels);
        // No record set is a valid choice for labels: a sheet of empty labels.
        m_datasetList->item(0)->setText(labels ? QStringLiteral("None") : QStringLiteral("(None)"));
    }
    if (page == DatasetPage) {
        const int row = m_datasetList->currentRow();
        TDataSet *chosen = row > 0 ? m_dataSets.value(row - 1) : nullptr;
        if (chosen != m_datasource || !m_fieldsFilled)
            FillFieldLists(chosen);
    }
    ++page;
    if (page == DatasetPage && m_defaultDatasetOnly) {
        const int row = m_datasetList->currentRow();
        FillFieldLists(row > 0 ? m_dataSets.value(row - 1) : nullptr);
        ++page;
    }
    page = Skip(page, 1);
    ShowPage(page);
    if (page == FinishPage)
        CreateReport();
}

void TTesmolaReportExpert::Back()
{
    int page = Skip(CurrentPage() - 1, -1);
    if (page == DatasetPage && m_defaultDatasetOnly)
        page = Skip(page - 1, -1);
    ShowPage(std::max(0, page));
}

void TTesmolaReportExpert::reject()
{
    m_datasource = nullptr;
    QDialog::reject();
}

void TTesmolaReportExpert::CreateReport()
{
    if (!m_report || !m_creator)
        return;
    const int row = m_datasetList->currentRow();
    TDataSet *dataSet = row > 0 ? m_dataSets.value(row - 1) : nullptr;
    QStringList fields;
    if (dataSet) {
        for (int i = 0; i < m_used->count(); ++i)
            fields << m_used->item(i)->text();
    }
    TVxPage *page = m_report->Page();
    page->SetOrientation(m_pageLandscape->isChecked() ? TPrinterOrientation::poLandscape
                                                      : TPrinterOrientation::poPortrait);
    bool columnsOk = false;
    const int columns = m_pageColumns->text().trimmed().toInt(&columnsOk);
    long double spacing = 0;
    if (columnsOk)
        page->SetColumns(std::max(1, columns));
    if (columnsOk && ToNumber(m_columnSpacing, spacing))
        page->SetColumnSpace(std::max<long double>(0, spacing));

    TCreatorOptions o;
    o.labelFont = &m_captionFont;
    o.dataFieldFont = &m_dataFont;
    o.boxLines = m_boxLines->isChecked();
    o.verticalLines = m_vLines->isChecked();
    o.horizontalLines = m_hLines->isChecked();
    o.summary = m_summary->isChecked();
    o.pageFooter = m_pageFooter->isChecked();
    o.title = m_title->isChecked();
    o.pageHeader = m_pageHeader->isChecked();
    o.reportTitle = m_reportTitle->text();

    switch (CurrentStyle()) {
    case ListStyle:
        m_creator->CreateListReport(dataSet, fields, o);
        break;
    case SingleForm:
        m_creator->CreateSingleFormReport(dataSet, fields, o);
        break;
    case FormStyle:
    case Tabular:
        m_creator->CreateTabularReport(dataSet, fields, -1, CurrentStyle() == FormStyle, o);
        break;
    case MailingLabels: {
        TLabelSheetLayout l;
        bool known = false;
        const int value = PaperEnum().keyToValue(m_paper->currentText().toLatin1().constData(), &known);
        l.paperSize = known ? TVxPaperSize(value) : TVxPaperSize::A4;
        if (l.paperSize == TVxPaperSize::Custom) {
            ToNumber(m_paperWidth, l.paperWidth);
            ToNumber(m_paperLength, l.paperLength);
        }
        l.orientation = m_labelLandscape->isChecked() ? TPrinterOrientation::poLandscape
                                                      : TPrinterOrientation::poPortrait;
        ToNumber(m_top, l.topMargin);
        ToNumber(m_bottom, l.bottomMargin);
        ToNumber(m_left, l.leftMargin);
        ToNumber(m_right, l.rightMargin);
        ToNumber(m_labelWidth, l.width);
        ToNumber(m_labelHeight, l.height);
        ToNumber(m_columnSpace, l.columnSpace);
        ToNumber(m_rowSpace, l.rowSpace);
        l.columns = std::max(1, m_labelColumns->text().trimmed().toInt());
        l.rows = std::max(1, m_labelRows->text().trimmed().toInt());
        m_creator->CreateLabelReport(dataSet, fields, l, o);
        break;
    }
    case BlankReport:
        break;
    }
}

// --- Entry -----------------------------------------------------------------------

bool RunReportWizard(QWidget *parent, TVexaDesigner *designer, TDataSet *defaultDataSet)
{
    auto *report = designer ? qobject_cast<TCustomVexa *>(designer->ParentControl()) : nullptr;
    if (!report)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    report->SetReportTitle(QString());
    designer->Mover()->Detach();
    TVxDReportCreator creator(report, designer);
    creator.ClearReport();
    designer->SetChanged(false);
    TTesmolaReportExpert wizard(parent, designer);
    wizard.BindReport(report, &creator);
    wizard.SetDefaultDataset(defaultDataSet);
    TranslateForm(&wizard, QStringLiteral("VxExpertBaseForm"));
    QApplication::restoreOverrideCursor();
    const bool ok = wizard.exec() == QDialog::Accepted;
    if (ok)
        designer->SetChanged(true);
    return ok;
}

} // namespace zelmio
