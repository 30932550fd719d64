#include "model/VxPage.h"

#include "model/CustomVexa.h"
#include "model/VxPaperSizes.h"
#include "model/VxPrinterSettings.h"

#include <algorithm>
#include <utility>

namespace zelmio {

TVxPage::TVxPage(TCustomVexa *report)
    : TVxUnitBase(report, 7)
{
    SetParentReport(report);
    const bool inches = LocaleMeasuresInInches();
    SetUnits(inches ? TVxUnit::Inches : TVxUnit::MM);
    SetSavedUnits(Units());
    m_paperSize = inches ? TVxPaperSize::Letter : TVxPaperSize::A4;
    TVxPaperDimensions paper;
    PaperDimensions(m_paperSize, paper);
    m_values[WidthIndex] = paper.widthMM * 10;
    m_values[LengthIndex] = paper.lengthMM * 10;
    const long double margin = inches ? 127.0L : 100.0L;
    m_values[TopMarginIndex] = margin;
    m_values[BottomMarginIndex] = margin;
    m_values[LeftMarginIndex] = margin;
    m_values[RightMarginIndex] = margin;
    m_values[ColumnSpaceIndex] = 0;
}

TCustomVexa *TVxPage::Report() const
{
    return qobject_cast<TCustomVexa *>(m_parent);
}

void TVxPage::Assign(const TPersistent *source)
{
    if (const auto *other = qobject_cast<const TVxPage *>(source)) {
        if (other == this)
            return;
        m_values = other->m_values;
        m_columns = other->m_columns;
        m_orientation = other->m_orientation;
        m_paperSize = other->m_paperSize;
        m_ruler = other->m_ruler;
        m_continuous = other->m_continuous;
        SetUnits(other->Units());
        SetParentSizes();
        LayOut();
        return;
    }
    TVxUnitBase::Assign(source);
}

bool TVxPage::IsHorizontal(int index) const
{
    return index == WidthIndex || index == LeftMarginIndex || index == RightMarginIndex
        || index == ColumnSpaceIndex;
}

void TVxPage::SetLength(long double value)
{
    if (m_paperSize == TVxPaperSize::Custom)
        SetValue(LengthIndex, value);
}

void TVxPage::SetWidth(long double value)
{
    if (m_paperSize == TVxPaperSize::Custom)
        SetValue(WidthIndex, value);
}

void TVxPage::SetColumns(int columns)
{
    // More columns than the published range cannot be laid out in pixels.
    columns = std::min(columns, kMaxColumns);
    if (columns < 1 || columns == m_columns)
        return;
    m_columns = columns;
    LayOut();
}

void TVxPage::SetOrientation(TPrinterOrientation orientation)
{
    if (m_paperSize == TVxPaperSize::Custom && orientation != m_orientation) {
        std::swap(m_values[WidthIndex], m_values[LengthIndex]);
        SetParentSizes();
    }
    m_orientation = orientation;
    if (TCustomVexa *report = Report()) {
        if (report->PrinterSettings())
            report->PrinterSettings()->SetOrientation(orientation);
    }
    SetPaperSize(m_paperSize);
    LayOut();
}

void TVxPage::SetPaperSize(TVxPaperSize paperSize)
{
    TVxPaperDimensions paper;
    if (PaperDimensions(paperSize, paper)) {
        long double width = paper.widthMM * 10;
        long double length = paper.lengthMM * 10;
        if (m_orientation == TPrinterOrientation::poLandscape)
            std::swap(width, length);
        m_values[WidthIndex] = width;
        m_values[LengthIndex] = length;
        SetParentSizes();
        LayOut();
    }
    m_paperSize = paperSize;
    if (TCustomVexa *report = Report())
        report->Invalidate();
}

void TVxPage::SetRuler(bool ruler)
{
    m_ruler = ruler;
    if (TCustomVexa *report = Report()) {
        report->Invalidate();
        report->SetUnits(report->GetUnits());
    }
}

void TVxPage::ValueChanged(int index)
{
    switch (index) {
    case BottomMarginIndex:
    case LengthIndex:
    case WidthIndex:
        SetParentSizes();
        break;
    default:
        break;
    }
    // Every length moves or resizes the bands of the design view.
    LayOut();
    if (TCustomVexa *report = Report())
        report->Invalidate();
}

void TVxPage::SetParentSizes()
{
    TCustomVexa *report = Report();
    if (!report || report->IsLoading() || report->IsDestroying())
        return;
    const int width = ToPixels(InternalValue(WidthIndex));
    const int length = ToPixels(InternalValue(LengthIndex));
    WithParentUpdating([&] { report->SetBounds(report->Left(), report->Top(), width, length); });
}

void TVxPage::LayOut()
{
    if (TCustomVexa *report = Report())
        report->SetBandValues();
}

} // namespace zelmio
