#include "designer/ExtendedFunctions.h"

#include "designer/DesignVexa.h"
#include "designer/ExtendedFunctionsSupport.h"
#include "expr/VxFunctionLibrary.h"

#include <QMutex>
#include <QMutexLocker>
#include <atomic>

namespace zelmio {

namespace vxext {

TVxEvResult TVxEvExtFunction::Calculate()
{
    try {
        return Compute();
    } catch (const std::exception &) {
        return TVxEvResult::Error();
    }
}

bool TVxEvExtFunction::HasArgs(const char *kinds) const
{
    const int count = int(std::char_traits<char>::length(kinds));
    if (ArgCount() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        const TVxEvResultType kind = Arg(i).Kind;
        bool ok = false;
        switch (kinds[i]) {
        case 'S': ok = kind == TVxEvResultType::resString; break;
        case 'I': ok = kind == TVxEvResultType::resInt; break;
        case 'F': ok = kind == TVxEvResultType::resDouble; break;
        case 'N': ok = kind == TVxEvResultType::resInt || kind == TVxEvResultType::resDouble; break;
        case 'B': ok = kind == TVxEvResultType::resBool; break;
        case 'V': ok = kind != TVxEvResultType::resError; break;
        default: break;
        }
        if (!ok)
            return false;
    }
    return true;
}

double TVxEvExtFunction::Number(int index) const
{
    const TVxEvResult &value = Arg(index);
    return value.Kind == TVxEvResultType::resInt ? double(value.intResult) : value.dblResult;
}

} // namespace vxext

namespace {

using namespace vxext;

struct ExtendedEntry {
    const char *name;
    const char *data;
    const char *description;   // call template, "|", help text
};

// The first library, in registry order.
const ExtendedEntry firstEntries[] = {
    {"PAGECOUNT", "7", "PAGECOUNT|Returns the total number of pages"},
    {"DETAILCOUNT", "4", "DETAILCOUNT|Returns the number of records of the report's record set"},
    {"DETAILNO", "4", "DETAILNO|Returns the number of the current record"},
    {"COLUMNNO", "4", "COLUMNNO|Returns the number of the current column"},
    {"CURRENCY", "7", "CURRENCY|Returns the currency symbol of the locale"},
    {"QUERYPARAM", "7SS",
     "QUERYPARAM(<Query>,<Param>)|Returns the value of the parameter <Param> of the query <Query>.\r"
     "Example: QueryParam('CustQuery','MaxAmount')"},
    {"STRTOINT", "7S", "STRTOINT(<X>)|Converts the string <X> to an integer"},
    {"STRTONUM", "7S", "STRTONUM(<X>)|Converts the string <X> to a number"},
    {"GETCAPTION", "7S", "GETCAPTION(<S>)|Returns the caption of the component named <S>"},
    {"RECORDCOUNT", "7S", "RECORDCOUNT(<DS>)|Returns the number of records of the record set <DS>"},
    {"READINI", "7SSS",
     "READINI(<File>,<Section>,<Key>)|Returns the value of <Key> in <Section> of the settings file <File>"},
    {"READREGISTRY", "7SSS",
     "READREGISTRY(<Root>,<Key>,<Value>)|Returns the value <Value> of the registry key <Key> under <Root>"},
    {"REFORMATDATE", "7SS", "REFORMATDATE(<D>,<F>)|Formats the date <D> with the date-time pattern <F>"},
    {"CALCDATE", "1SNNN",
     "CALCDATE(<Date>,<D>,<M>,<Y>)|Adds <Y> years, <M> months and <D> days to <Date>"},
    {"EXTRACTDAY", "1S", "EXTRACTDAY(<Date>)|Returns the day of the month of <Date>"},
    {"EXTRACTMONTH", "1S", "EXTRACTMONTH(<Date>)|Returns the month of <Date>"},
    {"EXTRACTYEAR", "1S", "EXTRACTYEAR(<Date>)|Returns the year of <Date>"},
    {"DAYOFWEEK", "1S", "DAYOFWEEK(<Date>)|Returns the day of the week of <Date>, 1 for Sunday"},
    {"DAYSTRING", "1N", "DAYSTRING(<D>)|Returns the name of the day <D>, 1 for Sunday"},
    {"MONTHSTRING", "1N", "MONTHSTRING(<M>)|Returns the name of the month <M>"},
    {"CALCTIME", "1SNNN",
     "CALCTIME(<Time>,<H>,<M>,<S>)|Adds <H> hours, <M> minutes and <S> seconds to <Time>"},
    {"TRIM", "7S", "TRIM(<S>)|Removes leading and trailing blanks and control characters of <S>"},
    {"CHR", "7N", "CHR(<I>)|Returns the character with the code <I>"},
    {"ISNULL", "4SS", "ISNULL(<Table>,<Field>)|True when the field <Field> of <Table> is null"},
    {"ABS", "2N", "ABS(<I>)|Returns the absolute value of <I>"},
    {"FIELDLEN", "4SS", "FIELDLEN(<Table>,<Field>)|Returns the declared size of the field <Field> of <Table>"},
    {"PADLEFT", "7SN", "PADLEFT(<S>,<Len>)|Fills up the string S to Len characters."},
    {"PADRIGHT", "7SN", "PADRIGHT(<S>,<Len>)|Fills up the string S to Len characters at the end."},
};

// Names of the first library whose class the second library does not
// replace.
const char *const firstOnly[] = {"PAGECOUNT", "QUERYPARAM", "READREGISTRY"};

// The further entries of the second library, in registry order.
const ExtendedEntry secondEntries[] = {
    {"NEWPAGE", "7", "NEWPAGE|Starts a new page"},
    {"VERTPRINTPOS", "7", "VERTPRINTPOS|Returns the current vertical print position"},
    {"PAGENUMBER", "7", "PAGENUMBER|Returns the number of the current page"},
    {"COUNTER", "7", "COUNTER|Counts its own evaluations"},
    {"RESETEXPR", "7S", "RESETEXPR(<Exprname>)|Resets the sums of the expression element <Exprname>"},
    {"GROUPPRINTED", "7S", "GROUPPRINTED(<Band>)|True when the group band <Band> printed last time"},
    {"DATEDIFF", "7SS", "DATEDIFF(<D1>,<D2>)|Returns the days from <D1> to <D2>"},
    {"PRINTDATE", "1", "PRINTDATE|Returns the print date"},
    {"WEEKOFYEAR", "1S", "WEEKOFYEAR(<Date>)|Returns the week of the year of <Date>"},
    {"STRLEN", "7S", "STRLEN(<S>)|Returns the length of the string <S>"},
    {"STRETCHSTR", "7SN", "STRETCHSTR(<S>,<L>)|Puts <L> spaces after each character of <S>"},
    {"VAR", "7N", "VAR(<I>)|Returns the application's variable <I>"},
    {"ISEMPTY", "4SS", "ISEMPTY(<Table>,<Field>)|True when the field <Field> of <Table> is null or empty"},
    {"MEMOLINE", "4SS",
     "MEMOLINE(<Table>,<Field>,<LineNo>)|Returns the line <LineNo> of the memo field <Field> of <Table>.\r"
     "Example: MEMOLINE('CustTable','Info',1)"},
    {"EOF", "4S", "EOF(<Table>)|True when <Table> is past its last record"},
    {"PADLEFTZERO", "7SN", "PADLEFTZERO(<S>,<Len>)|Fills up the string S to Len characters with leading zeros."},
    {"INSERTSTR", "7SS", "INSERTSTR(<Source>,<Insert>)|Puts <Insert> in place of the %s of <Source>"},
    {"SETVAR", "7SS", "SETVAR(<Name>,<Value>)|Sets the variable <Name> to <Value>"},
    {"GETVAR", "7S", "GETVAR(<Name>)|Returns the value of the variable <Name>"},
    {"VAREXISTS", "7S", "VAREXISTS(<Name>)|True when the variable <Name> exists"},
    {"DELETEVAR", "7S", "DELETEVAR(<Name>)|Deletes the variable <Name>"},
    {"ELEMENTEXISTS", "7S", "ELEMENTEXISTS(<Name>)|True when the report element <Name> exists"},
    {"PROPEXISTS", "7SS", "PROPEXISTS(<Element>,<Property>)|True when the report element has the property"},
    {"SETCOLOR", "7SN", "SETCOLOR(<Element>,<Color>)|Sets an report element's background color"},
    {"PAGEPRINTS", "7S", "PAGEPRINTS(<Bandname>)|Returns how many times the band printed on this page"},
    {"SETBOOLPROP", "7SSB", "SETBOOLPROP(<Element>,<Property>,<Value>)|Sets an report element's boolean property"},
    {"SETINTPROP", "7SSN", "SETINTPROP(<Element>,<Property>,<Value>)|Sets an report element's integer property"},
    {"SETFLOATPROP", "7SSN", "SETFLOATPROP(<Element>,<Property>,<Value>)|Sets an report element's float property"},
    {"SETSTRPROP", "7SSS", "SETSTRPROP(<Element>,<Property>,<Value>)|Sets an report element's string property"},
    {"GETBOOLPROP", "7SS", "GETBOOLPROP(<Element>,<Property>)|Returns an report element's boolean property"},
    {"GETINTPROP", "7SS", "GETINTPROP(<Element>,<Property>)|Returns an report element's integer property"},
    {"GETFLOATPROP", "7SS", "GETFLOATPROP(<Element>,<Property>)|Returns an report element's float property"},
    {"GETSTRPROP", "7SS", "GETSTRPROP(<Element>,<Property>)|Returns an report element's string property"},
    {"OKBOX", "7S", "OKBOX(<Text>)|Shows a message with an OK button"},
    {"OKCANCELBOX", "7S", "OKCANCELBOX(<Text>)|Shows a message with OK and Cancel; true for OK"},
    {"YESNOBOX", "7S", "YESNOBOX(<Text>)|Shows a message with Yes and No; true for Yes"},
    {"INPUTBOX", "7SSS", "INPUTBOX(<Title>,<Text>,<Varname>)|Asks for the value of the variable <Varname>"},
    {"SETFONTCOLOR", "7SN", "SETFONTCOLOR(<Element>,<Color>)|Sets an report element's font color"},
    {"SETFONTSIZE", "7SN", "SETFONTSIZE(<Element>,<Size>)|Sets an report element's font size"},
    {"SETFONT", "7SS", "SETFONT(<Element>,<Fontname>)|Sets an report element's font name"},
    {"SETFONTSTYLE", "7SBBBB",
     "SETFONTSTYLE(<Element>,<Bold>,<Italic>,<Underl>,<Strikeout>)|Sets an report element's font style "
     "according to boolean parameters <Bold> etc."},
    {"BLACK", "8", "BLACK|Color value"},
    {"MAROON", "8", "MAROON|Color value"},
    {"GREEN", "8", "GREEN|Color value"},
    {"OLIVE", "8", "OLIVE|Color value"},
    {"NAVY", "8", "NAVY|Color value"},
    {"PURPLE", "8", "PURPLE|Color value"},
    {"TEAL", "8", "TEAL|Color value"},
    {"GRAY", "8", "GRAY|Color value"},
    {"SILVER", "8", "SILVER|Color value"},
    {"RED", "8", "RED|Color value"},
    {"LIME", "8", "LIME|Color value"},
    {"BLUE", "8", "BLUE|Color value"},
    {"FUCHSIA", "8", "FUCHSIA|Color value"},
    {"AQUA", "8", "AQUA|Color value"},
    {"WHITE", "8", "WHITE|Color value"},
    {"YELLOW", "8", "YELLOW|Color value"},
    {"RGBCOLOR", "7NNN",
     "RGBCOLOR(<RED>,<GREEN>,<BLUE>)|Converts RGB color values to a color for SETCOLOR and SETFONTCOLOR. "
     "Valid range for each color is 0..255."},
    {"PIXELS", "7N", "PIXELS(<X>)|Converts <X> from the report's units to pixels"},
};

const TExtendedClasses &Classes()
{
    static const TExtendedClasses classes = [] {
        TExtendedClasses all;
        CollectTextFunctions(all);
        CollectDateFunctions(all);
        CollectVariableFunctions(all);
        CollectReportFunctions(all);
        CollectElementFunctions(all);
        all.insert(QStringLiteral("PAGECOUNT"), &NewPageCountFunction);
        return all;
    }();
    return classes;
}

TVxEvFunctionClass ClassOf(const char *name)
{
    const TVxEvFunctionClass item = Classes().value(QLatin1String(name));
    Q_ASSERT(item);
    return item;
}

bool IsFirstOnly(const char *name)
{
    for (const char *first : firstOnly) {
        if (qstrcmp(first, name) == 0)
            return true;
    }
    return false;
}

const QString &Vendor()
{
    static const QString vendor = QStringLiteral("Zelmio extended functions");
    return vendor;
}

// The second library's own entry: added when missing, else its class replaces
// the registered one.
void AddOrReplace(TVxLibrary &library, const ExtendedEntry &e)
{
    if (TVxLibraryEntry *entry = library.FindEntry(QLatin1String(e.name)))
        entry->SetItem(ClassOf(e.name));
    else
        library.Add(ClassOf(e.name), QLatin1String(e.name), QString::fromUtf8(e.description),
                    QLatin1String(e.data), Vendor());
}

QMutex &PrintDateMutex()
{
    static QMutex mutex;
    return mutex;
}

QString &PrintDate()
{
    static QString date;
    return date;
}

std::atomic<TVxExprHandler *> g_exprHandler{nullptr};

} // namespace

void RegisterFirstExtendedLibrary(TVxLibrary &library)
{
    for (const ExtendedEntry &e : firstEntries) {
        if (!library.FindEntry(QLatin1String(e.name)))
            library.Add(ClassOf(e.name), QLatin1String(e.name), QString::fromUtf8(e.description),
                        QLatin1String(e.data), Vendor());
    }
}

void RegisterSecondExtendedLibrary(TVxLibrary &library)
{
    for (const ExtendedEntry &e : firstEntries) {
        if (!IsFirstOnly(e.name))
            AddOrReplace(library, e);
    }
    for (const ExtendedEntry &e : secondEntries)
        AddOrReplace(library, e);
}

void RegisterExtendedFunctions()
{
    TVxFunctionLibrary *library = VxFunctionLibrary();
    RegisterFirstExtendedLibrary(*library);
    RegisterSecondExtendedLibrary(*library);
}

QString CurrentPrintDate()
{
    QMutexLocker lock(&PrintDateMutex());
    return PrintDate();
}

void SetCurrentPrintDate(const QString &date)
{
    QMutexLocker lock(&PrintDateMutex());
    PrintDate() = date;
}

TVxExprHandler *VxExprHandler()
{
    return g_exprHandler.load();
}

void SetVxExprHandler(TVxExprHandler *handler)
{
    g_exprHandler.store(handler);
}

} // namespace zelmio
