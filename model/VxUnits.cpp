#include "model/VxUnits.h"

#include <QLocale>
#include <atomic>
#include <cmath>

namespace zelmio {

namespace {

// -1: follow the system locale; 0: metric; 1: U.S.
std::atomic<int> g_measurementOverride{-1};

long double EffectivePoints(long double points)
{
    const long double s = std::fabs(points);
    return s > 0 ? s : 10.0L;
}

} // namespace

long double CharacterWidthMM(long double points)
{
    return 80.0L / EffectivePoints(points) / 2.54L;
}

long double CharacterHeightMM(long double points)
{
    return 145.3L / EffectivePoints(points) / 2.54L;
}

long double InternalToUnit(long double x, TVxUnit unit, bool horizontal, int resolution, int zoom,
                           long double fontPoints)
{
    switch (unit) {
    case TVxUnit::MM:
        return x / 10.0L;
    case TVxUnit::Inches:
        return x / 254.0L;
    case TVxUnit::Pixels:
        return x / (254.0L / resolution) * zoom / 100.0L;
    case TVxUnit::Characters:
        return horizontal ? x / CharacterWidthMM(fontPoints) / 10.0L
                          : x / CharacterHeightMM(fontPoints) / 10.0L;
    case TVxUnit::Native:
        return x;
    }
    return x;
}

long double UnitToInternal(long double v, TVxUnit unit, bool horizontal, int resolution, int zoom,
                           long double fontPoints)
{
    switch (unit) {
    case TVxUnit::MM:
        return v * 10.0L;
    case TVxUnit::Inches:
        return v * 254.0L;
    case TVxUnit::Pixels:
        return zoom == 0 ? 0.0L : v * (254.0L / resolution) / zoom * 100.0L;
    case TVxUnit::Characters:
        return horizontal ? v * CharacterWidthMM(fontPoints) * 10.0L
                          : v * CharacterHeightMM(fontPoints) * 10.0L;
    case TVxUnit::Native:
        return v;
    }
    return v;
}

int InternalToPixels(long double internal, int zoom)
{
    return RoundPixels(InternalToUnit(internal, TVxUnit::Pixels, true, kScreenPixelsPerInch, zoom));
}

long double PixelsToInternal(long double pixels, int zoom)
{
    return UnitToInternal(pixels, TVxUnit::Pixels, true, kScreenPixelsPerInch, zoom);
}

int RoundPixels(long double value)
{
    return int(std::llround(value));
}

bool LocaleMeasuresInInches()
{
    const int forced = g_measurementOverride.load();
    if (forced >= 0)
        return forced == 1;
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
}

void SetLocaleMeasuresInInches(std::optional<bool> inches)
{
    g_measurementOverride.store(inches ? (*inches ? 1 : 0) : -1);
}

TVxUnit DefaultUnitForLocale()
{
    return LocaleMeasuresInInches() ? TVxUnit::Inches : TVxUnit::MM;
}

ScopedMeasurementSystem::ScopedMeasurementSystem(bool inches)
{
    const int previous = g_measurementOverride.load();
    if (previous >= 0)
        m_saved = previous == 1;
    SetLocaleMeasuresInInches(inches);
}

ScopedMeasurementSystem::~ScopedMeasurementSystem()
{
    SetLocaleMeasuresInInches(m_saved);
}

} // namespace zelmio
