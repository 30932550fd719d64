#include "expr/CoreFunctions.h"

#include "expr/Aggregates.h"
#include "expr/VxFunctionLibrary.h"

namespace zelmio {

namespace {

struct CoreEntry {
    TVxEvFunctionClass item;
    const char *name;
    const char *data;
    const char *description;   // call template, "|", help text
};

// In this order: it is also the order of the registry's list.
const CoreEntry coreEntries[] = {
    {&VxFunctionClass<TVxEvIfFunction>, "IF", "5BVV",
     "IF(<Exp>, <X>, <Y>)|Returns <X> or <Y> depending on the boolean expression <Exp>"},
    {&VxFunctionClass<TVxEvStrFunction>, "STR", "7N", "STR(<X>)|Convert a numeric <X> to a string"},
    {&VxFunctionClass<TVxEvUpperFunction>, "UPPER", "7S",
     "UPPER(<X>)|Converts a string to upper case letters"},
    {&VxFunctionClass<TVxEvLowerFunction>, "LOWER", "7S",
     "LOWER(<X>)|Converts a string to lower case letters"},
    {&VxFunctionClass<TVxEvPrettyFunction>, "PRETTY", "7S",
     "PRETTY(<X>)|Makes the first character upper case and the rest lower case"},
    {&VxFunctionClass<TVxEvTimeFunction>, "TIME", "1", "TIME|Return current time as a string"},
    {&VxFunctionClass<TVxEvDateFunction>, "DATE", "1", "DATE|Return current date as a string"},
    {&VxFunctionClass<TVxEvCopyFunction>, "COPY", "7SNN",
     "COPY(<X>, <St>,<Len>)|Returns a substring of string X"},
    {&VxFunctionClass<TVxEvSumFunction>, "SUM", "3N", "SUM(<X>)|Sums the numeric <X>"},
    {&VxFunctionClass<TVxEvCountFunction>, "COUNT", "3", "COUNT|Increments for each iteration"},
    {&VxFunctionClass<TVxEvMaxFunction>, "MAX", "3V", "MAX(<X>)|Returns the highest <X>"},
    {&VxFunctionClass<TVxEvMinFunction>, "MIN", "3V", "MIN(<X>)|Returns the lowest <X>"},
    {&VxFunctionClass<TVxEvAverageFunction>, "AVERAGE", "3N",
     "AVERAGE(<X>)|Returns the average of numeric <X>"},
    {&VxFunctionClass<TVxEvTrue>, "TRUE", "5", "TRUE|boolean value"},
    {&VxFunctionClass<TVxEvFalse>, "FALSE", "5", "FALSE|boolean value"},
    {&VxFunctionClass<TVxEvIntFunction>, "INT", "2N", "INT(<X>)|Returns the integer part of <X>"},
    {&VxFunctionClass<TVxEvFracFunction>, "FRAC", "2N",
     "FRAC(<X>)|Returns the fractional part of <X>"},
    {&VxFunctionClass<TVxEvSQRTFunction>, "SQRT", "2N", "SQRT(<X>)|Returns square root of <X>"},
    {&VxFunctionClass<TVxEvDivFunction>, "DIV", "2NN",
     "DIV(<X>, <Y>) | Integer division of <X> by <Y>"},
    {&VxFunctionClass<TVxEvTypeOfFunction>, "TYPEOF", "6N",
     "TYPEOF(<Exp>)|Returns the data type of <Exp>"},
    {&VxFunctionClass<TVxEvFormatNumericFunction>, "FORMATNUMERIC", "7SN",
     "FORMATNUMERIC(<F>,<N>)|Formats numeric <N> using the mask in <F>"},
};

} // namespace

void RegisterCoreFunctions(TVxLibrary &library)
{
    const QString vendor = QStringLiteral("Zelmio core functions");
    for (const CoreEntry &e : coreEntries)
        library.Add(e.item, QLatin1String(e.name), QLatin1String(e.description),
                    QLatin1String(e.data), vendor);
}

} // namespace zelmio
