#pragma once
// Conversions between the internal length unit (tenths of a millimetre, held
// as 80-bit extended floats) and the display units, and the locale's choice
// of a default unit. All arithmetic is in extended precision; conversion to
// whole pixels rounds to the nearest integer (RoundPixels).

#include "model/VxTypes.h"

#include <optional>

namespace zelmio {

// The model's screen resolution: fixed, so that a template lays out the same
// on every machine (high-density screens scale the windows instead).
constexpr int kScreenPixelsPerInch = 96;

// Internal units per pixel at 96 pixels per inch and zoom 100.
constexpr long double kInternalPerPixel = 254.0L / kScreenPixelsPerInch;

// Character cell in millimetres for a font of the given size in points:
// CW(s) = 80 / s / 2.54 and CH(s) = 145.3 / s / 2.54 (a larger font gives a
// smaller cell). Sizes of 0 count as 10 points.
long double CharacterWidthMM(long double points);
long double CharacterHeightMM(long double points);

// Internal value -> unit. resolution: pixels per inch; zoom: percent;
// fontPoints: absolute size of the report font (Characters only).
long double InternalToUnit(long double internal, TVxUnit unit, bool horizontal,
                           int resolution = kScreenPixelsPerInch, int zoom = 100,
                           long double fontPoints = 10);
// Unit value -> internal.
long double UnitToInternal(long double value, TVxUnit unit, bool horizontal,
                           int resolution = kScreenPixelsPerInch, int zoom = 100,
                           long double fontPoints = 10);

// Internal value -> whole design pixels at a zoom.
int InternalToPixels(long double internal, int zoom = 100);
long double PixelsToInternal(long double pixels, int zoom = 100);

// Round to nearest, halves away from zero (as the platform's Round).
int RoundPixels(long double value);

// Whether the locale measures in U.S. units (new pages then use inches and
// Letter paper). Taken from the system locale unless overridden.
bool LocaleMeasuresInInches();
void SetLocaleMeasuresInInches(std::optional<bool> inches);
TVxUnit DefaultUnitForLocale();

// Overrides the locale's measurement system for the lifetime of the object (tests).
class ScopedMeasurementSystem {
public:
    explicit ScopedMeasurementSystem(bool inches);
    ~ScopedMeasurementSystem();
    ScopedMeasurementSystem(const ScopedMeasurementSystem &) = delete;
    ScopedMeasurementSystem &operator=(const ScopedMeasurementSystem &) = delete;

private:
    std::optional<bool> m_saved;
};

} // namespace zelmio
