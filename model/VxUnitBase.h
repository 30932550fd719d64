#pragma once
// The base of the unit-bearing records (band size, element size, page): a
// fixed list of lengths held in the internal unit and shown in a display
// unit. Reading a value through its property converts with LoadUnit in the
// record's current unit; writing converts with SaveUnit and then sets the
// owner's pixel bounds (SetParentSizes). The values persist as one defined
// property "Values": the internal values in the record's fixed order.

#include "model/Persistent.h"
#include "model/VxTypes.h"
#include "model/VxUnits.h"

#include <vector>

namespace zelmio {

class TCustomVexa;
class TPropertyReader;
class TPropertyWriter;
class TVxControl;

// The largest length a size record holds, in tenths of a millimetre (a
// kilometre): far beyond any paper, and safe to convert to pixels.
constexpr long double kMaxInternalLength = 10000000.0L;

class TVxUnitBase : public TPersistent {
    Q_OBJECT
public:
    TVxUnitBase(TVxControl *parent, int valueCount);
    ~TVxUnitBase() override;

    TPersistent *GetOwner() const override;
    void Assign(const TPersistent *source) override;
    void DefineProperties(TPropertyFiler &filer) override;

    TVxControl *ParentControl() const { return m_parent; }

    int Resolution() const { return m_resolution; }
    virtual TVxUnit GetUnits() const { return m_units; }
    virtual void SetUnits(TVxUnit units);
    TVxUnit Units() const { return GetUnits(); }
    // The unit in effect before a temporary switch (the engine works in Native).
    TVxUnit SavedUnits() const { return m_savedUnits; }
    void SetSavedUnits(TVxUnit units) { m_savedUnits = units; }

    TCustomVexa *ParentReport() const { return m_parentReport; }
    virtual void SetParentReport(TCustomVexa *report);

    int Zoom() const { return m_zoom; }
    // Changing the zoom changes the owner's pixel bounds.
    void SetZoom(int zoom);

    // True while the record sets its owner's bounds (guards against feedback).
    bool ParentUpdating() const { return m_parentUpdating; }

    virtual long double LoadUnit(long double value, TVxUnit unit, bool horizontal) const;
    virtual long double SaveUnit(long double value, TVxUnit unit, bool horizontal) const;

    // Finishes loading: the owner takes the loaded sizes.
    virtual void Loaded();
    virtual void ReadValues(TPropertyReader &reader);
    virtual void WriteValues(TPropertyWriter &writer) const;
    // Sets the owner's pixel bounds from the internal values.
    virtual void SetParentSizes();

    int ValueCount() const { return int(m_values.size()); }
    // Internal value at a position of the stored order.
    long double InternalValue(int index) const;
    // Sets an internal value without any further effect (loading, layout).
    void SetInternalValue(int index, long double value);
    // The value in the current unit, and setting it from one.
    long double GetValue(int index) const;
    void SetValue(int index, long double value);
    virtual bool IsHorizontal(int index) const = 0;

    // Pixel value of an internal value with this record's zoom, rounded.
    int ToPixels(long double internal) const;
    long double FromPixels(long double pixels) const;

protected:
    // Runs fn with the feedback guard set.
    template <class Fn>
    void WithParentUpdating(Fn fn)
    {
        const bool saved = m_parentUpdating;
        m_parentUpdating = true;
        try {
            fn();
        } catch (...) {
            m_parentUpdating = saved;
            throw;
        }
        m_parentUpdating = saved;
    }
    // After SetValue stored a value.
    virtual void ValueChanged(int index);
    long double ReportFontPoints() const;

    TVxControl *m_parent;
    std::vector<long double> m_values;

private:
    int m_resolution = kScreenPixelsPerInch;
    TVxUnit m_units;
    TVxUnit m_savedUnits;
    TCustomVexa *m_parentReport = nullptr;
    bool m_parentUpdating = false;
    int m_zoom = 100;
};

} // namespace zelmio
