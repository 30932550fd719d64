#pragma once
// Splitting a date-time double into its day number and time of day, shared by
// the date routines so that all of them round the time the same way.

#include "platform/Formats.h"

#include <QtGlobal>

namespace zelmio {

struct TDateTimeParts {
    qint64 day = 0;      // days since 30 December 1899
    int msec = 0;        // milliseconds since midnight, 0 .. 86 399 999
    bool valid = false;  // false for NaN and values outside the years 1 .. 9999

    // Negative values count days backwards; their time of day is the
    // absolute fractional part (-1.25 is 29 December 1899, 06:00).
    static TDateTimeParts split(TDateTime value);
};

// First and last day numbers of the years 1 .. 9999.
constexpr qint64 kMinDateDay = -693593;
constexpr qint64 kMaxDateDay = 2958465;

} // namespace zelmio
