#include "designer/ReportCreator.h"

#include "designer/DesignVexa.h"
#include "designer/EVexa.h"
#include "designer/LabelFormats.h"
#include "designer/VexaDesigner.h"
#include "model/ClassRegistry.h"
#include "model/PropertyAccess.h"
#include "model/Vexa.h"
#include "model/VxBandSize.h"
#include "model/VxChildBand.h"
#include "model/VxControl.h"
#include "model/VxCustomBand.h"
#include "model/VxCustomLabel.h"
#include "model/VxFont.h"
#include "model/VxLoopBand.h"
#include "model/VxPage.h"
#include "model/VxPaperSizes.h"
#include "model/VxUnits.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"
#include "storage/RuntimeComponentMover.h"
#include "storage/UniqueComponentName.h"
#include "storage/VxDCtrlFactory.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace zelmio {

namespace {

// Rounding to nearest with ties to even.
int RoundEven(double value)
{
    return int(std::nearbyint(value));
}

QString Blanked(QString text)
{
    return text.replace(QLatin1Char('_'), QLatin1Char(' '));
}

// Characters a field's values usually take.
int FieldDisplayWidth(const TField *field)
{
    if (!field)
        return 10;
    switch (field->DataType()) {
    case TFieldType::ftString:
    case TFieldType::ftWideString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftFixedWideChar:
        return std::clamp(field->Size(), 1, 200);
    case TFieldType::ftSmallint: return 6;
    case TFieldType::ftWord: return 5;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return 11;
    case TFieldType::ftLargeint: return 15;
    case TFieldType::ftBoolean: return 5;
    case TFieldType::ftDate:
    case TFieldType::ftTime: return 10;
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp: return 18;
    default: return 10;
    }
}

void SetNameOrUnique(TVxControl *control, const QString &name)
{
    TComponent *owner = control->Owner();
    const QString free = FindUniqueComponentName(owner, name, true);
    if (control->Name().compare(free, Qt::CaseInsensitive) != 0)
        control->SetName(free);
}

} // namespace

// --- Units ----------------------------------------------------------------------

long double VxUnitConvert(const TCustomVexa *report, TVxUnit source, TVxUnit target, bool horizontal,
                          long double value)
{
    const int zoom = report ? report->Zoom() : 100;
    long double points = 10;
    if (report) {
        if (const TVxFont *font = GetFontProperty(report))
            points = std::abs(font->Size());
    }
    const long double internal = UnitToInternal(value, source, horizontal, kScreenPixelsPerInch, zoom, points);
    return InternalToUnit(internal, target, horizontal, kScreenPixelsPerInch, zoom, points);
}

TLabelSheetLayout LabelLayoutFromFormat(const TCustomVexa *report, const LabelFormatRec &rec)
{
    const TVxUnit unit = report ? report->GetUnits() : TVxUnit::MM;
    auto fromCm = [&](double cm, bool horizontal) {
        return VxUnitConvert(report, TVxUnit::MM, unit, horizontal, (long double)cm * 10);
    };
    TLabelSheetLayout l;
    l.paperSize = rec.Papersize;
    l.orientation = rec.Landscape ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
    long double pw = 0;
    long double ph = 0;
    TVxPaperDimensions dims;
    if (rec.Papersize == TVxPaperSize::Custom) {
        l.paperWidth = fromCm(rec.PageWidth, true);
        l.paperLength = fromCm(rec.PageHeight, false);
        pw = rec.Landscape ? fromCm(rec.PageHeight, true) : l.paperWidth;
        ph = rec.Landscape ? fromCm(rec.PageWidth, false) : l.paperLength;
    } else if (PaperDimensions(rec.Papersize, dims)) {
        pw = VxUnitConvert(report, TVxUnit::MM, unit, true, rec.Landscape ? dims.lengthMM : dims.widthMM);
        ph = VxUnitConvert(report, TVxUnit::MM, unit, false, rec.Landscape ? dims.widthMM : dims.lengthMM);
    } else if (report && report->Page()) {
        // The printer's default paper: the size the page has now.
        pw = report->Page()->Width();
        ph = report->Page()->Length();
    }
    l.topMargin = fromCm(rec.TopMargin, false);
    l.leftMargin = fromCm(rec.LeftMargin, true);
    l.width = fromCm(rec.Width, true);
    l.height = fromCm(rec.Height, false);
    l.columns = rec.Columns;
    l.rows = rec.Rows;
    l.columnSpace = fromCm(rec.HDistance - rec.Width, true);
    l.rowSpace = fromCm(rec.VDistance - rec.Height, false);
    l.rightMargin = pw - l.leftMargin - l.columns * l.width - l.columnSpace * (l.columns - 1);
    l.bottomMargin = ph - l.topMargin - l.rows * l.height - l.rowSpace * (l.rows - 1);
    return l;
}

// --- Base creator -----------------------------------------------------------------

TVexaCreator::TVexaCreator(TCustomVexa *targetReport)
    : m_report(targetReport)
{
    if (!m_report)
        throw EVxError(QStringLiteral("The report creator needs a report"));
}

TVexaCreator::~TVexaCreator()
{
    delete m_factory;
}

TVxCtrlFactory *TVexaCreator::Factory()
{
    if (!m_factory)
        m_factory = new TVxCtrlFactory(nullptr);
    return m_factory;
}

void TVexaCreator::ClearReport()
{
    // Elements first, then the bands, the last created first.
    std::vector<TVxControl *> bands;
    std::vector<TVxControl *> elements;
    for (TVxControl *band : m_report->ControlList()) {
        bands.push_back(band);
        for (TVxControl *element : band->ControlList())
            elements.push_back(element);
    }
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        delete *it;
    for (auto it = bands.rbegin(); it != bands.rend(); ++it)
        delete *it;
}

void TVexaCreator::AfterReportComponentCreated(TVxControl *) {}

QString TVexaCreator::FindField4DisplayLabel(TDataSet *, const QString &displayLabel)
{
    return displayLabel;
}

QString TVexaCreator::DisplayLabel(const TField *field)
{
    return field ? field->FieldName() : QString();
}

TVxControl *TVexaCreator::CreateLoopbandComponent()
{
    TComponent *owner = m_report->Owner() ? m_report->Owner() : m_report;
    TComponent *created = CreateComponentByClassName(QStringLiteral("TVxLoopBand"), owner);
    auto *band = qobject_cast<TVxControl *>(created);
    if (!band) {
        delete created;
        throw EVxError(QStringLiteral("Class TVxLoopBand is not registered"));
    }
    band->SetParent(m_report);
    return band;
}

TVxControl *TVexaCreator::CreateBandComponent(TVxBandType bandType)
{
    switch (bandType) {
    case TVxBandType::rbGroupHeader: return Factory()->CreateGroup(m_report, -1);
    case TVxBandType::rbSubDetail: return Factory()->CreateSubdetail(m_report, -1);
    case TVxBandType::rbChild: return Factory()->CreateChildband(m_report, -1);
    default: return Factory()->CreateBand(m_report, bandType, -1);
    }
}

TVxControl *TVexaCreator::CreateLabelComponent(TVxControl *parent)
{
    return Factory()->CreateLabel(parent, 0, 0);
}

TVxControl *TVexaCreator::CreateDBTextComponent(TVxControl *parent)
{
    return Factory()->CreateDBText(parent, 0, 0);
}

TVxControl *TVexaCreator::CreateShapeComponent(TVxControl *parent)
{
    return Factory()->CreateShape(parent, 0, 0);
}

TVxControl *TVexaCreator::CreateBand(TVxBandType bandType, int height, const QString &name)
{
    TVxControl *band = CreateBandComponent(bandType);
    if (!name.isEmpty())
        SetNameOrUnique(band, name);
    if (height != -1)
        band->SetHeight(height);
    return band;
}

TVxControl *TVexaCreator::CreateLoopband(int height, const QString &name)
{
    TVxControl *band = CreateLoopbandComponent();
    if (!name.isEmpty())
        SetNameOrUnique(band, name);
    if (height != -1)
        band->SetHeight(height);
    return band;
}

TVxControl *TVexaCreator::CreateDBText(TVxControl *parentBand, TDataSet *dataSet, const TVxFont *font, int top,
                                       int left, const QString &dataField)
{
    TVxControl *text = CreateDBTextComponent(parentBand);
    text->SetName(FindUniqueComponentName(text->Owner(), QStringLiteral("VxDBText"), false));
    text->SetLeft(left);
    text->SetTop(top);
    text->SetWidth(60);
    text->SetHeight(20);
    SetPointerProperty(text, QStringLiteral("DataSet"), dataSet);
    SetStringProperty(text, QStringLiteral("DataField"), dataField);
    if (font)
        text->Font()->Assign(font);
    SetBooleanProperty(text, QStringLiteral("AutoSize"), true);
    const TField *field = dataSet ? dataSet->FindField(dataField) : nullptr;
    if (auto *label = qobject_cast<TVxCustomLabel *>(text); label && field)
        label->SetCaption(Blanked(DisplayLabel(field)));
    return text;
}

TVxControl *TVexaCreator::CreateLabel(TVxControl *parentBand, const QString &caption, const TVxFont *font, int top,
                                      int left)
{
    TVxControl *label = CreateLabelComponent(parentBand);
    label->SetName(FindUniqueComponentName(label->Owner(), QStringLiteral("VxLabel"), false));
    label->SetLeft(left);
    label->SetTop(top);
    if (font)
        label->Font()->Assign(font);
    SetBooleanProperty(label, QStringLiteral("AutoSize"), true);
    SetStringProperty(label, QStringLiteral("Caption"), caption);
    return label;
}

TVxControl *TVexaCreator::CreateShape(TVxControl *parentBand, TVxShapeType shapeType, int height, int width, int top,
                                      int left)
{
    TVxControl *shape = CreateShapeComponent(parentBand);
    shape->SetName(FindUniqueComponentName(shape->Owner(), QStringLiteral("VxShape"), false));
    SetIntegerProperty(shape, QStringLiteral("Shape"), qint64(shapeType));
    shape->SetLeft(left);
    shape->SetTop(top);
    shape->SetWidth(width);
    shape->SetHeight(height);
    return shape;
}

int TVexaCreator::FontSize(const TVxFont *font) const
{
    const TVxFont *f = OrReportFont(font);
    return f ? std::abs(f->Size()) : 10;
}

const TVxFont *TVexaCreator::OrReportFont(const TVxFont *font) const
{
    return font ? font : GetFontProperty(m_report);
}

QString TVexaCreator::Caption(TDataSet *dataSet, const QString &fieldName)
{
    const TField *field = dataSet ? dataSet->FindField(fieldName) : nullptr;
    const QString label = field ? DisplayLabel(field) : QString();
    return Blanked(label.isEmpty() ? fieldName : label);
}

void TVexaCreator::SetDataSet(TDataSet *dataSet)
{
    if (auto *vexa = qobject_cast<TVexa *>(m_report))
        vexa->SetDataSet(dataSet);
}

// --- List -------------------------------------------------------------------------

void TVexaCreator::CreateListReport(TDataSet *dataSet, const QStringList &fields, const TCreatorOptions &options)
{
    ClearReport();
    SetDataSet(dataSet);
    const TVxFont *labelFont = OrReportFont(options.labelFont);
    const TVxFont *dataFont = OrReportFont(options.dataFieldFont);
    const int cfs = FontSize(labelFont);
    const int dfs = FontSize(dataFont);

    TVxControl *detail = CreateBand(TVxBandType::rbDetail, RoundEven((dfs + 7) * 1.1), QStringLiteral("Detailband"));
    AfterReportComponentCreated(detail);
    const int bandHeight = detail->Height();
    const int bandWidth = detail->Width();

    QStringList names;
    for (const QString &label : fields.mid(0, 200))
        names << FindField4DisplayLabel(dataSet, label);
    std::vector<int> widths;
    for (const QString &name : names)
        widths.push_back(FieldDisplayWidth(dataSet ? dataSet->FindField(name) : nullptr) * dfs + 5);
    auto total = [&] {
        long long sum = 0;
        for (int w : widths)
            sum += w;
        return sum;
    };
    // Narrow the columns by a tenth in turn until they fit, never below one
    // character.
    if (!widths.empty()) {
        size_t next = 0;
        size_t unchanged = 0;
        while (total() > bandWidth && unchanged < widths.size()) {
            int &w = widths[next];
            if (w > dfs + 5) {
                const int narrower = RoundEven(w * 0.9);
                unchanged = narrower == w ? unchanged + 1 : 0;
                w = narrower;
            } else {
                ++unchanged;
            }
            next = (next + 1) % widths.size();
        }
    }

    std::vector<TVxControl *> texts;
    int left = 3;
    for (size_t i = 0; i < size_t(names.size()); ++i) {
        TVxControl *text = CreateDBText(detail, dataSet, dataFont, (bandHeight - dfs - 7) / 2, left, names[int(i)]);
        SetBooleanProperty(text, QStringLiteral("AutoSize"), false);
        text->SetHeight(dfs + 7);
        text->SetWidth(widths[i] - 5);
        AfterReportComponentCreated(text);
        texts.push_back(text);
        left += widths[i];
    }

    const int headerHeight = (cfs + 7) * 2 + 20;
    if (options.pageHeader)
        AfterReportComponentCreated(CreateBand(TVxBandType::rbPageHeader, headerHeight, QStringLiteral("Pageheader")));
    TVxControl *header = CreateBand(TVxBandType::rbColumnHeader, headerHeight, QStringLiteral("Columnheader"));
    AfterReportComponentCreated(header);
    for (size_t i = 0; i < texts.size(); ++i) {
        TVxControl *caption = CreateLabel(header, Caption(dataSet, names[int(i)]), labelFont,
                                          RoundEven((cfs + 7) * 0.5) + 20, texts[i]->Left());
        SetBooleanProperty(caption, QStringLiteral("AutoSize"), false);
        caption->SetWidth(texts[i]->Width());
        AfterReportComponentCreated(caption);
    }
    if (options.title) {
        TVxControl *title = CreateBand(TVxBandType::rbTitle, 50, QStringLiteral("Titleband"));
        AfterReportComponentCreated(title);
        TVxControl *label = CreateLabel(title, options.reportTitle, labelFont, 5, 5);
        label->Font()->SetSize(18);
        AfterReportComponentCreated(label);
    }
    if (options.pageFooter)
        AfterReportComponentCreated(CreateBand(TVxBandType::rbPageFooter, 50, QStringLiteral("Pagefooter")));
    if (options.summary)
        AfterReportComponentCreated(CreateBand(TVxBandType::rbSummary, 50, QStringLiteral("Summary")));

    auto line = [&](TVxControl *band, TVxShapeType type, int height, int width, int top, int l) {
        AfterReportComponentCreated(CreateShape(band, type, height, width, top, l));
    };
    const int hh = header->Height();
    const int hw = header->Width();
    if (options.horizontalLines) {
        line(detail, TVxShapeType::vxsHorLine, 5, bandWidth - 6, bandHeight - 3, 3);
        line(header, TVxShapeType::vxsHorLine, 5, hw - 6, hh - 3, 3);
    }
    if (options.boxLines) {
        line(detail, TVxShapeType::vxsVertLine, bandHeight + 1, 5, -1, 0);
        line(detail, TVxShapeType::vxsVertLine, bandHeight + 1, 5, -1, bandWidth - 5);
        line(header, TVxShapeType::vxsVertLine, hh - 20, 5, 20, 0);
        line(header, TVxShapeType::vxsVertLine, hh - 20, 5, 20, hw - 5);
        line(header, TVxShapeType::vxsHorLine, 5, hw - 6, 18, 3);
    }
    if (options.verticalLines && texts.size() >= 2) {
        int right = 3;
        for (size_t i = 0; i + 1 < texts.size(); ++i) {
            right += widths[i];
            line(detail, TVxShapeType::vxsVertLine, bandHeight + 1, 5, -1, right - 5);
            line(header, TVxShapeType::vxsVertLine, hh - 20, 5, 20, right - 5);
        }
    }
}

// --- One field per line ---------------------------------------------------------------

void TVexaCreator::FieldRows(TVxControl *band, TDataSet *dataSet, const QStringList &names,
                             const TCreatorOptions &options, int m, double pitch, int firstTop)
{
    const TVxFont *labelFont = OrReportFont(options.labelFont);
    const TVxFont *dataFont = OrReportFont(options.dataFieldFont);
    const int cfs = FontSize(labelFont);
    const int dfs = FontSize(dataFont);
    int widest = 0;
    for (int i = 0; i < names.size(); ++i) {
        TVxControl *caption = CreateLabel(band, Caption(dataSet, names[i]), labelFont,
                                          RoundEven(firstTop + (pitch - cfs) * 0.5 + i * pitch), m);
        AfterReportComponentCreated(caption);
        widest = std::max(widest, caption->Width());
    }
    m_firstDataLeft = 2 * m + widest;
    for (int i = 0; i < names.size(); ++i) {
        TVxControl *text = CreateDBText(band, dataSet, dataFont, RoundEven(firstTop + (pitch - dfs) * 0.5 + i * pitch),
                                        m_firstDataLeft, names[i]);
        AfterReportComponentCreated(text);
    }
}

void TVexaCreator::CreateTabularReport(TDataSet *dataSet, const QStringList &fields, long double detailBandHeight,
                                       bool newPageAfterEachRecord, const TCreatorOptions &options)
{
    ClearReport();
    SetDataSet(dataSet);
    const TVxFont *labelFont = OrReportFont(options.labelFont);
    const int m = std::max(FontSize(options.labelFont), FontSize(options.dataFieldFont)) + 7;
    QStringList names;
    for (const QString &label : fields)
        names << FindField4DisplayLabel(dataSet, label);
    const int n = std::max(1, int(names.size()));

    TVxControl *detail = CreateBand(TVxBandType::rbDetail, -1, QStringLiteral("Detailband"));
    if (detailBandHeight > 0) {
        if (auto *band = qobject_cast<TVxCustomBand *>(detail))
            band->Size()->SetHeight(detailBandHeight);
    } else {
        detail->SetHeight((int(names.size()) + 1) * 2 * m);
    }
    SetBooleanProperty(detail, QStringLiteral("ForceNewPage"), newPageAfterEachRecord);
    AfterReportComponentCreated(detail);
    const int bh = detail->Height();
    const int bw = detail->Width();
    const double p = double(bh - 2 * m) / n;
    FieldRows(detail, dataSet, names, options, m, p, m);

    if (options.pageHeader) {
        TVxControl *header = CreateBand(TVxBandType::rbPageHeader, 30, QStringLiteral("Pageheader"));
        if (options.title)
            SetBooleanProperty(header, QStringLiteral("NotOnFirstPage"), true);
        AfterReportComponentCreated(header);
        TVxControl *label = CreateLabel(header, options.reportTitle, labelFont, 5, 5);
        label->Font()->SetSize(12);
        AfterReportComponentCreated(label);
    }
    if (options.title) {
        TVxControl *title = CreateBand(TVxBandType::rbTitle, 50, QStringLiteral("Titleband"));
        AfterReportComponentCreated(title);
        TVxControl *label = CreateLabel(title, options.reportTitle, labelFont, 5, 5);
        label->Font()->SetSize(18);
        AfterReportComponentCreated(label);
    }
    if (options.pageFooter)
        AfterReportComponentCreated(CreateBand(TVxBandType::rbPageFooter, 50, QStringLiteral("Pagefooter")));
    if (options.summary)
        AfterReportComponentCreated(CreateBand(TVxBandType::rbSummary, 50, QStringLiteral("Summary")));

    auto line = [&](TVxShapeType type, int height, int width, int top, int left) {
        AfterReportComponentCreated(CreateShape(detail, type, height, width, top, left));
    };
    if (options.horizontalLines && names.size() >= 2) {
        for (int i = 1; i < n; ++i)
            line(TVxShapeType::vxsHorLine, 5, bw - 6, RoundEven(i * p + m), 3);
    }
    const int boxTop = RoundEven(m) + 2;
    const int boxHeight = RoundEven(bh - 2 * m) - 3;
    if (options.boxLines) {
        line(TVxShapeType::vxsHorLine, 5, bw - 6, RoundEven(m), 3);
        line(TVxShapeType::vxsHorLine, 5, bw - 6, RoundEven(bh - m - 3), 3);
        line(TVxShapeType::vxsVertLine, boxHeight, 5, boxTop, 1);
        line(TVxShapeType::vxsVertLine, boxHeight, 5, boxTop, bw - 6);
    }
    if (options.verticalLines && !names.isEmpty())
        line(TVxShapeType::vxsVertLine, boxHeight, 5, boxTop, m_firstDataLeft - m);
}

// --- Single form ------------------------------------------------------------------------

void TVexaCreator::CreateSingleFormReport(TDataSet *dataSet, const QStringList &fields, const TCreatorOptions &options)
{
    ClearReport();
    SetDataSet(dataSet);
    const TVxFont *labelFont = OrReportFont(options.labelFont);
    const int m = std::max(FontSize(options.labelFont), FontSize(options.dataFieldFont)) + 7;
    QStringList names;
    for (const QString &label : fields)
        names << FindField4DisplayLabel(dataSet, label);

    // One band as tall as the page's printable area, the title on top and
    // the fields below it, one pair a line.
    TVxControl *band = CreateBand(TVxBandType::rbTitle, -1, QStringLiteral("Titleband"));
    if (TVxPage *page = m_report->Page()) {
        const long double length = page->Length() - page->TopMargin() - page->BottomMargin();
        if (auto *b = qobject_cast<TVxCustomBand *>(band); b && length > 0)
            b->Size()->SetHeight(length);
    }
    AfterReportComponentCreated(band);
    int top = m;
    if (!options.reportTitle.isEmpty()) {
        TVxControl *title = CreateLabel(band, options.reportTitle, labelFont, 5, 5);
        title->Font()->SetSize(18);
        AfterReportComponentCreated(title);
        top = 5 + title->Height() + m;
    }
    const double p = 2.0 * m;
    FieldRows(band, dataSet, names, options, m, p, top);

    const int bw = band->Width();
    const int n = int(names.size());
    const int bottom = RoundEven(top + n * p);
    auto line = [&](TVxShapeType type, int height, int width, int t, int left) {
        AfterReportComponentCreated(CreateShape(band, type, height, width, t, left));
    };
    if (options.horizontalLines && n >= 2) {
        for (int i = 1; i < n; ++i)
            line(TVxShapeType::vxsHorLine, 5, bw - 6, RoundEven(top + i * p), 3);
    }
    if (options.boxLines && n > 0) {
        line(TVxShapeType::vxsHorLine, 5, bw - 6, top - 3, 3);
        line(TVxShapeType::vxsHorLine, 5, bw - 6, bottom - 3, 3);
        line(TVxShapeType::vxsVertLine, bottom - top - 3, 5, top + 2, 1);
        line(TVxShapeType::vxsVertLine, bottom - top - 3, 5, top + 2, bw - 6);
    }
    if (options.verticalLines && n > 0)
        line(TVxShapeType::vxsVertLine, bottom - top - 3, 5, top + 2, m_firstDataLeft - m);
}

// --- Labels ---------------------------------------------------------------------------------

void TVexaCreator::CreateLabelReport(TDataSet *dataSet, const QStringList &fields, const TLabelSheetLayout &layout,
                                     const TCreatorOptions &options)
{
    ClearReport();
    auto *sheet = qobject_cast<TEVexa *>(m_report);
    if (sheet)
        sheet->LabelSettings()->SetFirstLabel(1);
    TVxPage *page = m_report->Page();
    // The printers' unprintable bottom edge: the last row must not be cut.
    long double safety = 3;
    switch (m_report->GetUnits()) {
    case TVxUnit::MM: safety = 3; break;
    case TVxUnit::Inches: safety = 0.03L; break;
    case TVxUnit::Pixels: safety = 12; break;
    case TVxUnit::Characters: safety = 0.3L; break;
    case TVxUnit::Native: safety = 30; break;
    }
    page->SetLeftMargin(std::max<long double>(0, layout.leftMargin));
    page->SetRightMargin(std::max<long double>(0, layout.rightMargin));
    page->SetTopMargin(std::max<long double>(0, layout.topMargin));
    page->SetBottomMargin(std::max<long double>(0, layout.bottomMargin - safety));
    page->SetColumns(std::max(1, layout.columns));
    page->SetColumnSpace(std::max<long double>(0, layout.columnSpace));
    SetDataSet(dataSet);
    page->SetPaperSize(layout.paperSize);
    page->SetOrientation(layout.orientation);
    if (layout.paperSize == TVxPaperSize::Custom) {
        if (layout.paperWidth > 0)
            page->SetWidth(layout.paperWidth);
        if (layout.paperLength > 0)
            page->SetLength(layout.paperLength);
    }

    TVxControl *labelBand = nullptr;
    if (dataSet) {
        TCreatorOptions labelOptions = options;
        labelOptions.summary = labelOptions.pageFooter = labelOptions.title = labelOptions.pageHeader = false;
        CreateTabularReport(dataSet, fields, layout.height, false, labelOptions);
        labelBand = qobject_cast<TVxControl *>(m_report->Owner() ? m_report->Owner()->FindComponent(QStringLiteral("Detailband"))
                                                                 : nullptr);
        if (auto *band = qobject_cast<TVxCustomBand *>(labelBand))
            band->Size()->SetHeight(layout.height);
    } else {
        labelBand = CreateLoopband(-1, QStringLiteral("LabelBand"));
        if (auto *band = qobject_cast<TVxCustomBand *>(labelBand))
            band->Size()->SetHeight(layout.height);
        const int count = std::max(1, layout.rows) * std::max(1, layout.columns);
        SetIntegerProperty(labelBand, QStringLiteral("PrintCount"), count);
        if (sheet)
            sheet->LabelSettings()->SetLabelCount(count);
    }
    if (layout.rowSpace > 0 && labelBand) {
        TVxControl *space = CreateBand(TVxBandType::rbChild, -1, QStringLiteral("RowSpace"));
        SetPointerProperty(space, QStringLiteral("ParentBand"), labelBand);
        if (auto *band = qobject_cast<TVxCustomBand *>(space))
            band->Size()->SetHeight(layout.rowSpace);
    }
}

// --- Designer creator -----------------------------------------------------------------------

TVxDReportCreator::TVxDReportCreator(TCustomVexa *targetReport, TVexaDesigner *designer)
    : TVexaCreator(targetReport)
    , m_designer(designer)
{
}

TVxCtrlFactory *TVxDReportCreator::Factory()
{
    return m_designer ? m_designer->ControlFactory() : TVexaCreator::Factory();
}

void TVxDReportCreator::ClearReport()
{
    if (m_designer)
        m_designer->Mover()->Detach();
    TVexaCreator::ClearReport();
}

void TVxDReportCreator::AfterReportComponentCreated(TVxControl *control)
{
    if (m_designer)
        m_designer->AfterReportComponentCreated()(control);
}

QString TVxDReportCreator::FindField4DisplayLabel(TDataSet *dataSet, const QString &displayLabel)
{
    if (m_designer && dataSet) {
        if (const TField *field = m_designer->FieldByLabel(dataSet, displayLabel))
            return field->FieldName();
    }
    return displayLabel;
}

QString TVxDReportCreator::DisplayLabel(const TField *field)
{
    if (!field)
        return QString();
    if (m_designer && field->DataSet() && m_designer->IsFieldShown(const_cast<TField *>(field)))
        return m_designer->DisplayLabel(field);
    return field->FieldName();
}

TVxControl *TVxDReportCreator::CreateLoopbandComponent()
{
    TComponent *owner = TargetReport()->Owner() ? TargetReport()->Owner() : TargetReport();
    TComponent *created = CreateComponentByClassName(QStringLiteral("TTesmolaLoopband"), owner);
    auto *band = qobject_cast<TVxControl *>(created);
    if (!band) {
        delete created;
        return TVexaCreator::CreateLoopbandComponent();
    }
    band->SetParent(TargetReport());
    return band;
}

} // namespace zelmio
