#include "model/VxUnitBase.h"

#include "platform/VxError.h"

#include "model/CustomVexa.h"
#include "model/PropertyFiler.h"
#include "model/VxControl.h"
#include "model/VxFont.h"

#include <algorithm>
#include <cmath>

namespace zelmio {

TVxUnitBase::TVxUnitBase(TVxControl *parent, int valueCount)
    : m_parent(parent)
    , m_values(std::size_t(valueCount), 0.0L)
    , m_units(DefaultUnitForLocale())
    , m_savedUnits(m_units)
{
}

TVxUnitBase::~TVxUnitBase() = default;

TPersistent *TVxUnitBase::GetOwner() const
{
    return m_parent;
}

void TVxUnitBase::Assign(const TPersistent *source)
{
    if (const auto *other = qobject_cast<const TVxUnitBase *>(source)) {
        if (other == this)
            return;
        if (other->ValueCount() == ValueCount()) {
            m_values = other->m_values;
            SetParentSizes();
            return;
        }
    }
    TPersistent::Assign(source);
}

void TVxUnitBase::DefineProperties(TPropertyFiler &filer)
{
    filer.DefineProperty(
        QStringLiteral("Values"), [this](TPropertyReader &reader) { ReadValues(reader); },
        [this](TPropertyWriter &writer) { WriteValues(writer); }, true);
}

void TVxUnitBase::SetUnits(TVxUnit units)
{
    m_units = units;
}

void TVxUnitBase::SetParentReport(TCustomVexa *report)
{
    m_parentReport = report;
}

void TVxUnitBase::SetZoom(int zoom)
{
    if (zoom <= 0 || zoom == m_zoom)
        return;
    m_zoom = zoom;
    SetParentSizes();
}

long double TVxUnitBase::ReportFontPoints() const
{
    if (m_parentReport && m_parentReport->Font())
        return m_parentReport->Font()->Size();
    return 10;
}

long double TVxUnitBase::LoadUnit(long double value, TVxUnit unit, bool horizontal) const
{
    return InternalToUnit(value, unit, horizontal, m_resolution, m_zoom, ReportFontPoints());
}

long double TVxUnitBase::SaveUnit(long double value, TVxUnit unit, bool horizontal) const
{
    return UnitToInternal(value, unit, horizontal, m_resolution, m_zoom, ReportFontPoints());
}

void TVxUnitBase::Loaded()
{
    SetParentSizes();
}

void TVxUnitBase::ReadValues(TPropertyReader &reader)
{
    // Beyond the limit (or not a number) a value is broken and would overflow
    // every conversion to pixels. The list is taken whole or not at all.
    constexpr long double kLimit = kMaxInternalLength;
    auto values = m_values;
    reader.ReadListBegin();
    std::size_t index = 0;
    while (!reader.EndOfList()) {
        const long double value = reader.ReadFloat();
        if (!(value >= -kLimit && value <= kLimit))
            throw EVxError(QStringLiteral("value %1 out of range (%2 to %3)")
                               .arg(QString::number(double(value), 'g', 12), QString::number(double(-kLimit), 'g', 12),
                                    QString::number(double(kLimit), 'g', 12)));
        // Extra values of a longer list are read and dropped.
        if (index < values.size())
            values[index] = value;
        ++index;
    }
    reader.ReadListEnd();
    m_values = values;
}

void TVxUnitBase::WriteValues(TPropertyWriter &writer) const
{
    writer.WriteListBegin();
    for (long double value : m_values)
        writer.WriteFloat(value);
    writer.WriteListEnd();
}

void TVxUnitBase::SetParentSizes()
{
}

long double TVxUnitBase::InternalValue(int index) const
{
    return index >= 0 && index < ValueCount() ? m_values[std::size_t(index)] : 0.0L;
}

namespace {

// A length kept within the range that converts to pixels without overflow.
long double BoundedLength(long double value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, -kMaxInternalLength, kMaxInternalLength);
}

} // namespace

void TVxUnitBase::SetInternalValue(int index, long double value)
{
    if (index >= 0 && index < ValueCount())
        m_values[std::size_t(index)] = BoundedLength(value);
}

long double TVxUnitBase::GetValue(int index) const
{
    return LoadUnit(InternalValue(index), GetUnits(), IsHorizontal(index));
}

void TVxUnitBase::SetValue(int index, long double value)
{
    if (index < 0 || index >= ValueCount())
        return;
    m_values[std::size_t(index)] = BoundedLength(SaveUnit(value, GetUnits(), IsHorizontal(index)));
    ValueChanged(index);
}

void TVxUnitBase::ValueChanged(int)
{
    SetParentSizes();
}

int TVxUnitBase::ToPixels(long double internal) const
{
    return RoundPixels(InternalToUnit(internal, TVxUnit::Pixels, true, m_resolution, m_zoom));
}

long double TVxUnitBase::FromPixels(long double pixels) const
{
    return UnitToInternal(pixels, TVxUnit::Pixels, true, m_resolution, m_zoom);
}

} // namespace zelmio
