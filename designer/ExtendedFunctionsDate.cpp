// Date and time functions. Date arguments are texts read as date and time by
// the locale's rules; dates given back are texts in its short date format.
#include "designer/ExtendedFunctions.h"
#include "designer/ExtendedFunctionsSupport.h"

#include "platform/Formats.h"

#include <cmath>

namespace zelmio::vxext {

namespace {

TDateTime ParseDate(const QString &text)
{
    return StrToDateTime(text);   // EConvertError when it does not read
}

// Floor division and the matching non-negative remainder.
qint64 FloorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

qint64 FloorMod(qint64 a, qint64 b)
{
    return a - FloorDiv(a, b) * b;
}

enum class TDatePart { Day, Month, Year, DayOfWeek, WeekOfYear };

template <TDatePart Part>
class TVxEvDatePartFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        const TDateTime date = ParseDate(Text(0));
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(date, year, month, day);
        switch (Part) {
        case TDatePart::Day: return TVxEvResult::Int(day);
        case TDatePart::Month: return TVxEvResult::Int(month);
        case TDatePart::Year: return TVxEvResult::Int(year);
        case TDatePart::DayOfWeek: return TVxEvResult::Int(DayOfWeek(date));
        case TDatePart::WeekOfYear: return TVxEvResult::Int(WeekOfTheYear(date));
        }
        return TVxEvResult::Error();
    }
};

class TVxEvDayStringFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("I") || Int(0) < 1 || Int(0) > 7)
            return TVxEvResult::Error();
        return TVxEvResult::String(FormatSettings().LongDayNames[size_t(Int(0) - 1)]);
    }
};

class TVxEvMonthStringFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("I") || Int(0) < 1 || Int(0) > 12)
            return TVxEvResult::Error();
        return TVxEvResult::String(FormatSettings().LongMonthNames[size_t(Int(0) - 1)]);
    }
};

class TVxEvReformatDateFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SS") || Text(0).isEmpty())
            return TVxEvResult::Error();
        return TVxEvResult::String(FormatDateTime(Text(1), ParseDate(Text(0))));
    }
};

class TVxEvDateDiffFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SS"))
            return TVxEvResult::Error();
        return TVxEvResult::Double(ParseDate(Text(1)) - ParseDate(Text(0)));
    }
};

// Day counts run from 1 January 1900 (day 0) and stay below 65536 (June 2079).
constexpr qint64 kMaxDayCount = 65536;

class TVxEvCalcDateFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SIII"))
            return TVxEvResult::Error();
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(ParseDate(Text(0)), year, month, day);
        const qint64 months = qint64(month) - 1 + Int(2);
        const qint64 newMonth = FloorMod(months, 12) + 1;
        const qint64 newYear = year + FloorDiv(months, 12) + Int(3);
        if (newYear < 1900 || newYear > 2079)
            return TVxEvResult::Error();
        // The day adds to the start of the new month, so that a day beyond
        // its end runs on into the next month.
        const TDateTime base = EncodeDate(1900, 1, 1);
        const qint64 monthStart = qint64(std::llround(EncodeDate(int(newYear), int(newMonth), 1) - base));
        const qint64 count = monthStart + (day - 1) + Int(1);
        if (count < 0 || count >= kMaxDayCount)
            return TVxEvResult::Error();
        return TVxEvResult::String(DateToStr(base + double(count)));
    }
};

class TVxEvCalcTimeFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SIII"))
            return TVxEvResult::Error();
        const TDateTime value = ParseDate(Text(0));
        int hour = 0;
        int minute = 0;
        int second = 0;
        int msec = 0;
        DecodeTime(value, hour, minute, second, msec);
        // Seconds carry into minutes, minutes into hours; the hours wrap
        // into one day. The milliseconds stay.
        qint64 s = qint64(second) + Int(3);
        qint64 m = qint64(minute) + Int(2) + FloorDiv(s, 60);
        s = FloorMod(s, 60);
        qint64 h = qint64(hour) + Int(1) + FloorDiv(m, 60);
        m = FloorMod(m, 60);
        h = FloorMod(h, 24);
        return TVxEvResult::String(TimeToStr(EncodeTime(int(h), int(m), int(s), msec)));
    }
};

class TVxEvPrintDateFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (ArgCount() != 0)
            return TVxEvResult::Error();
        const QString date = CurrentPrintDate();
        return TVxEvResult::String(date.isEmpty() ? DateToStr(Date()) : date);
    }
};

} // namespace

void CollectDateFunctions(TExtendedClasses &classes)
{
    auto add = [&classes](const char *name, TVxEvFunctionClass item) { classes.insert(QLatin1String(name), item); };
    add("EXTRACTDAY", &VxFunctionClass<TVxEvDatePartFunction<TDatePart::Day>>);
    add("EXTRACTMONTH", &VxFunctionClass<TVxEvDatePartFunction<TDatePart::Month>>);
    add("EXTRACTYEAR", &VxFunctionClass<TVxEvDatePartFunction<TDatePart::Year>>);
    add("DAYOFWEEK", &VxFunctionClass<TVxEvDatePartFunction<TDatePart::DayOfWeek>>);
    add("WEEKOFYEAR", &VxFunctionClass<TVxEvDatePartFunction<TDatePart::WeekOfYear>>);
    add("DAYSTRING", &VxFunctionClass<TVxEvDayStringFunction>);
    add("MONTHSTRING", &VxFunctionClass<TVxEvMonthStringFunction>);
    add("REFORMATDATE", &VxFunctionClass<TVxEvReformatDateFunction>);
    add("DATEDIFF", &VxFunctionClass<TVxEvDateDiffFunction>);
    add("CALCDATE", &VxFunctionClass<TVxEvCalcDateFunction>);
    add("CALCTIME", &VxFunctionClass<TVxEvCalcTimeFunction>);
    add("PRINTDATE", &VxFunctionClass<TVxEvPrintDateFunction>);
}

} // namespace zelmio::vxext
