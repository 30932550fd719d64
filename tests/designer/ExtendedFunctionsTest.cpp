// The extended expression functions: their registration, a table of cases
// per family, the record set and element lookups on a loaded template, and
// the functions inside a running report.
#include "../engine/EngineTestSupport.h"
#include "../expr/ExpressionCases.h"

#include "designer/DesignVexa.h"
#include "designer/ExtendedFunctions.h"
#include "designer/ReportPrintForm.h"
#include "designer/TesmolaBand.h"
#include "designer/TesmolaExpr.h"
#include "designer/TesmolaGroup.h"
#include "designer/TesmolaLabel.h"
#include "designer/TesmolaMemo.h"
#include "designer/TesmolaShape.h"
#include "designer/ZelmioStartup.h"
#include "expr/VxFunctionLibrary.h"
#include "expr/VxScript.h"
#include "expr/VxUserDialogs.h"
#include "model/PropertyAccess.h"
#include "platform/ClientDataSet.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentLoader.h"
#include "storage/RuntimeDatamodule.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

constexpr auto I = TVxEvResultType::resInt;
constexpr auto F = TVxEvResultType::resDouble;
constexpr auto S = TVxEvResultType::resString;
constexpr auto B = TVxEvResultType::resBool;
constexpr auto E = TVxEvResultType::resError;

// The extended functions in the process-wide registry for one test; the
// names they added go again afterwards, so that other tests of this program
// see the registry as they expect it.
class ExtendedFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_before = VxFunctionLibrary()->Names();
        RegisterExtendedFunctions();
        FreeScriptVars();
    }
    void TearDown() override
    {
        for (const QString &name : VxFunctionLibrary()->Names()) {
            if (!m_before.contains(name))
                VxFunctionLibrary()->Remove(name);
        }
        FreeScriptVars();
        GlobalUserDialogs() = {};
        SetCurrentPrintDate(QString());
    }

    ScopedFormatSettings m_settings{TFormatSettings::latvian()};

private:
    QStringList m_before;
};

// The application's main window with a record set of goods.
class TGoodsWindow {
public:
    TGoodsWindow()
    {
        m_window.setObjectName(QStringLiteral("ZelmioMain"));
        m_data = new TClientDataSet(&m_window);
        m_data->setObjectName(QStringLiteral("RovevarurezDataSet"));
        m_data->SetXMLData(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            "<FIELD attrname=\"PRECE\" fieldtype=\"string.uni\" WIDTH=\"40\"/>"
            "<FIELD attrname=\"INFO\" fieldtype=\"string.uni\" WIDTH=\"200\"/>"
            "<FIELD attrname=\"CENA\" fieldtype=\"r8\"/>"
            "</FIELDS></METADATA><ROWDATA>"
            "<ROW PRECE=\"Piens\" INFO=\"first&#13;&#10;second&#13;&#10;\" CENA=\"1.5\"/>"
            "<ROW PRECE=\"\"/>"
            "</ROWDATA></DATAPACKET>");
        m_data->Open();
        RegisterApplicationWindow(&m_window);
    }
    ~TGoodsWindow() { UnregisterApplicationWindow(&m_window); }
    QObject *Window() { return &m_window; }
    TClientDataSet *Data() const { return m_data; }

private:
    QObject m_window;
    TClientDataSet *m_data;
};

QByteArray PriceTags()
{
    QFile file(QStringLiteral(ZELMIO_SOURCE_DIR "/tests/storage/data/price-tags.vx2"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The price-tag template loaded into a report window (an open window).
struct LoadedTemplate {
    TGoodsWindow main;
    TReportPrintForm window{main.Window()};

    LoadedTemplate()
    {
        QByteArray text = PriceTags();
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        window.Loader()->LoadCompsAndDatamoduleFromStream(buffer);
    }
    template <class T>
    T *Find(const char *name) const
    {
        return qobject_cast<T *>(window.FindComponent(QLatin1String(name)));
    }
};

} // namespace

TEST(ExtendedFunctionRegistry, EffectiveOrderAndDataTexts)
{
    TVxLibrary library;
    RegisterCoreFunctions(library);
    const int core = library.Count();
    RegisterFirstExtendedLibrary(library);
    RegisterSecondExtendedLibrary(library);

    const QStringList expected = {
        "PAGECOUNT=7", "DETAILCOUNT=4", "DETAILNO=4", "COLUMNNO=4", "CURRENCY=7", "QUERYPARAM=7SS",
        "STRTOINT=7S", "STRTONUM=7S", "GETCAPTION=7S", "RECORDCOUNT=7S", "READINI=7SSS", "READREGISTRY=7SSS",
        "REFORMATDATE=7SS", "CALCDATE=1SNNN", "EXTRACTDAY=1S", "EXTRACTMONTH=1S", "EXTRACTYEAR=1S",
        "DAYOFWEEK=1S", "DAYSTRING=1N", "MONTHSTRING=1N", "CALCTIME=1SNNN", "TRIM=7S", "CHR=7N",
        "ISNULL=4SS", "ABS=2N", "FIELDLEN=4SS", "PADLEFT=7SN", "PADRIGHT=7SN",
        "NEWPAGE=7", "VERTPRINTPOS=7", "PAGENUMBER=7", "COUNTER=7", "RESETEXPR=7S", "GROUPPRINTED=7S",
        "DATEDIFF=7SS", "PRINTDATE=1", "WEEKOFYEAR=1S", "STRLEN=7S", "STRETCHSTR=7SN", "VAR=7N",
        "ISEMPTY=4SS", "MEMOLINE=4SS", "EOF=4S", "PADLEFTZERO=7SN", "INSERTSTR=7SS", "SETVAR=7SS",
        "GETVAR=7S", "VAREXISTS=7S", "DELETEVAR=7S", "ELEMENTEXISTS=7S", "PROPEXISTS=7SS", "SETCOLOR=7SN",
        "PAGEPRINTS=7S", "SETBOOLPROP=7SSB", "SETINTPROP=7SSN", "SETFLOATPROP=7SSN", "SETSTRPROP=7SSS",
        "GETBOOLPROP=7SS", "GETINTPROP=7SS", "GETFLOATPROP=7SS", "GETSTRPROP=7SS", "OKBOX=7S",
        "OKCANCELBOX=7S", "YESNOBOX=7S", "INPUTBOX=7SSS", "SETFONTCOLOR=7SN", "SETFONTSIZE=7SN",
        "SETFONT=7SS", "SETFONTSTYLE=7SBBBB", "BLACK=8", "MAROON=8", "GREEN=8", "OLIVE=8", "NAVY=8",
        "PURPLE=8", "TEAL=8", "GRAY=8", "SILVER=8", "RED=8", "LIME=8", "BLUE=8", "FUCHSIA=8", "AQUA=8",
        "WHITE=8", "YELLOW=8", "RGBCOLOR=7NNN", "PIXELS=7N"};
    QStringList actual;
    for (int i = core; i < library.Count(); ++i)
        actual << library.GetEntry(i)->Name() + u'=' + library.GetEntry(i)->Data();
    EXPECT_EQ(actual, expected);

    // Every entry makes a function element, and the template names its
    // arguments before the help text.
    for (int i = core; i < library.Count(); ++i) {
        const TVxLibraryEntry *entry = library.GetEntry(i);
        SCOPED_TRACE(entry->Name().toStdString());
        EXPECT_NE(entry->CreateFunction(), nullptr);
        EXPECT_TRUE(entry->CallTemplate().startsWith(entry->Name()));
        EXPECT_FALSE(entry->HelpText().isEmpty());
    }
    EXPECT_EQ(library.FindEntry(QStringLiteral("PADLEFT"))->Description(),
              QStringLiteral("PADLEFT(<S>,<Len>)|Fills up the string S to Len characters."));
    EXPECT_EQ(library.FindEntry(QStringLiteral("SETFONTSTYLE"))->Description(),
              QStringLiteral("SETFONTSTYLE(<Element>,<Bold>,<Italic>,<Underl>,<Strikeout>)|Sets an report "
                             "element's font style according to boolean parameters <Bold> etc."));
    EXPECT_EQ(library.FindEntry(QStringLiteral("RGBCOLOR"))->Description(),
              QStringLiteral("RGBCOLOR(<RED>,<GREEN>,<BLUE>)|Converts RGB color values to a color for SETCOLOR "
                             "and SETFONTCOLOR. Valid range for each color is 0..255."));
    EXPECT_TRUE(library.FindEntry(QStringLiteral("QUERYPARAM"))
                    ->HelpText()
                    .endsWith(QStringLiteral("\rExample: QueryParam('CustQuery','MaxAmount')")));
    EXPECT_TRUE(library.FindEntry(QStringLiteral("MEMOLINE"))
                    ->HelpText()
                    .endsWith(QStringLiteral("\rExample: MEMOLINE('CustTable','Info',1)")));

    // Registering again changes nothing.
    const int count = library.Count();
    RegisterFirstExtendedLibrary(library);
    RegisterSecondExtendedLibrary(library);
    EXPECT_EQ(library.Count(), count);
}

TEST(ExtendedFunctionRegistry, FirstLibraryKeepsExistingEntriesSecondReplacesOnlyTheClass)
{
    TVxLibrary library;
    TVxEvFunctionClass placeholder = &VxFunctionClass<TVxEvElementFunction>;
    library.Add(placeholder, QStringLiteral("TRIM"), QStringLiteral("TRIM(<S>)|mine"), QStringLiteral("9S"),
                QStringLiteral("host"));
    library.Add(placeholder, QStringLiteral("NEWPAGE"), QStringLiteral("NEWPAGE|mine"), QStringLiteral("9"),
                QStringLiteral("host"));

    RegisterFirstExtendedLibrary(library);
    EXPECT_EQ(library.Count(), 2 + 27);
    EXPECT_EQ(library.GetEntry(0)->Item(), placeholder);

    RegisterSecondExtendedLibrary(library);
    EXPECT_EQ(library.Count(), 2 + 27 + 58);
    for (const char *name : {"TRIM", "NEWPAGE"}) {
        const TVxLibraryEntry *entry = library.FindEntry(QLatin1String(name));
        SCOPED_TRACE(name);
        EXPECT_EQ(library.IndexOf(QLatin1String(name)), QLatin1String(name) == QLatin1String("TRIM") ? 0 : 1);
        EXPECT_EQ(entry->HelpText(), QStringLiteral("mine"));
        EXPECT_TRUE(entry->Data().startsWith(u'9'));
        EXPECT_EQ(entry->Vendor(), QStringLiteral("host"));
        EXPECT_NE(entry->Item(), placeholder);
    }
}

TEST(ExtendedFunctionRegistry, StartUpRegistersThemAfterTheCoreSet)
{
    StartZelmioCore();
    const TVxFunctionLibrary *library = VxFunctionLibrary();
    EXPECT_GT(library->IndexOf(QStringLiteral("DETAILCOUNT")), library->IndexOf(QStringLiteral("FORMATNUMERIC")));
    EXPECT_GT(library->IndexOf(QStringLiteral("PIXELS")), library->IndexOf(QStringLiteral("PADRIGHT")));
    // Registry first: a bare PAGENUMBER is the function, which outside a
    // report finds no report; the environment's entry is reached in brackets.
    TVxEvEnvironment environment;
    environment.AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("7"));
    environment.Prepare();
    TVxEvaluator evaluator;
    evaluator.SetEnvironment(&environment);
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("PAGENUMBER")).Kind, E);
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("[PAGENUMBER]")).intResult, 7);
    environment.Unprepare();
}

TEST_F(ExtendedFunctions, TextNumbersAndColours)
{
    checkCases({
        {"PADLEFT('7', 3)", S, "  7"},
        {"PADLEFT('abcd', 3)", S, "abcd"},
        {"PADRIGHT('ab', 4) + '|'", S, "ab  |"},
        {"PADLEFTZERO(7, 3)", S, "007"},
        {"PADLEFTZERO('12', 4)", S, "0012"},
        {"PADLEFT('a',-3)", S, "a"},
        {"PADLEFT(7, 3)", E, ""},
        {"PADLEFT('7', 3.0)", E, ""},
        {"PADLEFT('a', 2000000000)", E, ""},   // refused, not gigabytes of spaces
        {"STRETCHSTR('ABC', 1)", S, "A B C"},
        {"STRETCHSTR('AB', 0)", S, "AB"},
        {"STRETCHSTR('AB', 2000000000)", E, ""},
        {"INSERTSTR('Total: %s EUR', '12')", S, "Total: 12 EUR"},
        {"INSERTSTR('%d', 'x')", E, ""},
        {"TRIM(CHR(9) + ' a b ' + CHR(10))", S, "a b"},
        {"STRLEN('Ābols')", I, "5"},
        {"STRLEN(5)", E, ""},
        {"CHR(65)", S, "A"},
        {"CHR(65536 + 66)", S, "B"},
        {"STRTOINT('42')", I, "42"},
        {"STRTOINT('$1F')", I, "31"},
        {"STRTOINT('4x')", E, ""},
        {"STRTONUM('1,5')", F, "1,5"},
        {"STRTONUM('')", F, "0"},
        {"STRTONUM('x')", E, ""},
        {"STRTONUM(5)", E, ""},
        {"CURRENCY", S, "€"},
        {"ABS(0-5)", I, "5"},
        {"ABS(0-2.5)", F, "2,5"},
        {"ABS(-2147483647-1)", E, ""},
        {"ABS('5')", E, ""},
        {"RED", I, "255"},
        {"NAVY + TEAL", I, "16809984"},
        {"YELLOW", I, "65535"},
        {"RED(1)", E, ""},
        {"RGBCOLOR(255, 0, 0) = RED", B, "True"},
        {"RGBCOLOR(1, 2, 3)", I, "197121"},
        {"RGBCOLOR(256, 0, 0)", E, ""},
        {"RGBCOLOR(0, 0,-1)", E, ""},
        {"RGBCOLOR(1, 2)", E, ""},
        {"READREGISTRY('HKEY_CURRENT_USER', 'Software\\Zelmio', 'Path')", S, ""},
        {"READREGISTRY('HKEY_CURRENT_USER', 'Software')", E, ""},
        {"QUERYPARAM('CustQuery', 'MaxAmount')", E, "(Error in expression)"},
    });
}

TEST_F(ExtendedFunctions, DatesAndTimes)
{
    checkCases({
        {"EXTRACTDAY('08.12.2026')", I, "8"},
        {"EXTRACTMONTH('08.12.2026 10:30:00')", I, "12"},
        {"EXTRACTYEAR('08.12.2026')", I, "2026"},
        {"EXTRACTYEAR('31.02.2026')", E, ""},
        {"EXTRACTYEAR(20261208)", E, ""},
        {"DAYOFWEEK('04.01.2026')", I, "1"},   // a Sunday
        {"DAYOFWEEK('10.01.2026')", I, "7"},
        {"WEEKOFYEAR('01.01.2026')", I, "1"},
        {"WEEKOFYEAR('31.12.2024')", I, "1"},   // ISO: the week of 2 January 2025
        {"WEEKOFYEAR('28.12.2026')", I, "53"},
        {"DAYSTRING(1)", S, "svētdiena"},
        {"DAYSTRING(8)", E, ""},
        {"DAYSTRING(0)", E, ""},
        {"MONTHSTRING(12)", S, "decembris"},
        {"MONTHSTRING(0)", E, ""},
        {"REFORMATDATE('08.12.2026', 'yyyy-mm-dd')", S, "2026-12-08"},
        {"REFORMATDATE('', 'yyyy')", E, ""},
        {"DATEDIFF('01.01.2026', '03.01.2026 12:00:00')", F, "2,5"},
        {"DATEDIFF('03.01.2026', '01.01.2026')", F, "-2"},
        {"DATEDIFF('x', '01.01.2026')", E, ""},
        // The day stays and runs on past the end of the new month.
        {"CALCDATE('31.01.2026', 0, 1, 0)", S, "03.03.2026"},
        {"CALCDATE('31.01.2024', 0, 1, 0)", S, "02.03.2024"},
        {"CALCDATE('29.02.2024', 0, 0, 1)", S, "01.03.2025"},
        {"CALCDATE('01.03.2026',-1, 0, 0)", S, "28.02.2026"},
        {"CALCDATE('15.01.2026', 0,-13, 0)", S, "15.12.2024"},
        {"CALCDATE('15.01.2026 18:00:00', 10, 0, 0)", S, "25.01.2026"},
        {"CALCDATE('01.01.1900',-1, 0, 0)", E, ""},   // before the day count starts
        {"CALCDATE('01.06.2079', 10, 0, 0)", E, ""},  // beyond it
        {"CALCDATE('01.01.2026', 0, 2147483647, 0)", E, ""},
        {"CALCDATE('01.01.2026', 1, 1)", E, ""},
        {"CALCDATE('1. janvāris', 1, 1, 1)", E, ""},
        {"CALCTIME('23:30:00', 1, 0, 0)", S, "00:30:00"},
        {"CALCTIME('10:00:00', 0, 0, 60)", S, "10:01:00"},
        {"CALCTIME('00:10:00', 0,-20, 0)", S, "23:50:00"},
        {"CALCTIME('10:00:00', 0, 0,-3601)", S, "08:59:59"},
        {"CALCTIME('10:00:00', 0, 0, 2000000000)", S, "13:33:20"},
        {"CALCTIME('25:00:00', 0, 0, 0)", E, ""},
    });
    {
        ScopedFormatSettings english(TFormatSettings::usEnglish());
        checkCases({{"CALCTIME('11:30:00 PM', 1, 0, 0)", S, "12:30:00 AM"},
                    {"CALCDATE('1/31/2026', 0, 1, 0)", S, "3/3/2026"}});
    }
    EXPECT_EQ(calculate(QStringLiteral("PRINTDATE")).StringVal, DateToStr(Date()));
    SetCurrentPrintDate(QStringLiteral("01.02.2026"));
    checkCases({{"PRINTDATE", S, "01.02.2026"}, {"PRINTDATE(1)", E, ""}});
}

TEST_F(ExtendedFunctions, VariablesAreTheScriptsVariables)
{
    checkCases({
        {"SETVAR('x', 5)", I, "5"},
        {"GETVAR('X')", I, "5"},
        {"VAREXISTS('x')", B, "True"},
        {"GETVAR('never set')", E, ""},
        {"SETVAR('s', 'a') + GETVAR('S')", S, "aa"},
        {"SETVAR('bad', 1/0)", E, ""},
        {"VAREXISTS('bad')", B, "False"},
        {"DELETEVAR('x')", B, "True"},
        {"DELETEVAR('x')", B, "False"},
        {"GETVAR('x')", E, ""},
        {"SETVAR(1, 2)", E, ""},
    });
    // A script counts with a variable the expressions then read, and the
    // other way round.
    calculate(QStringLiteral("SETVAR('N', 0)"));
    TVxEvResult result;
    RunScript({"LOOP", "SETVAR('N', GETVAR('N') + 1)", "IF (GETVAR('N') > 3)", "BREAKLOOP", "ENDIF", "ENDLOOP",
               "RETURN(GETVAR('n'))"},
              0, nullptr, result);
    EXPECT_EQ(result.intResult, 4);
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("n"))->Value.intResult, 4);
    SetVxDScriptVar(QStringLiteral("Total"), TVxEvResult::Double(2.5));
    checkCases({{"GETVAR('TOTAL') * 2", F, "5"}});
}

TEST_F(ExtendedFunctions, ApplicationValuesComeFromTheHandler)
{
    checkCases({{"VAR(1)", E, ""}});
    TVxExprHandler handler;
    SetVxExprHandler(&handler);
    checkCases({{"VAR(1)", S, ""}});
    handler.OnCalcVar = [](int number, const QString &name) { return QStringLiteral("%1:%2").arg(number).arg(name); };
    checkCases({{"VAR(3)", S, "3:"}, {"VAR('Firma')", S, "9999:Firma"}, {"VAR(TRUE)", E, ""}});
    SetVxExprHandler(nullptr);
}

TEST_F(ExtendedFunctions, DialogsWithoutADisplayLetTheReportGoOn)
{
    SetVxDScriptVar(QStringLiteral("Answer"), TVxEvResult::Int(5));
    checkCases({
        {"OKBOX('Printing')", B, "True"},
        {"OKCANCELBOX('Go on?')", B, "True"},
        {"YESNOBOX('Go on?')", B, "True"},
        {"INPUTBOX('Title', 'Amount', 'Answer')", B, "False"},
        {"GETVAR('Answer')", I, "5"},
        {"INPUTBOX('Title', 'Amount', 'New')", B, "False"},
        {"VAREXISTS('New')", B, "False"},
        {"OKBOX(1)", E, ""},
    });
}

TEST_F(ExtendedFunctions, InputBoxStoresTheEnteredTextInTheVariablesKind)
{
    QStringList shown;
    QString answer;
    bool confirm = true;
    GlobalUserDialogs().InputBox = [&](const QString &title, const QString &prompt, QString &text) {
        shown << title + u'/' + prompt + u'/' + text;
        text = answer;
        return confirm;
    };
    struct Row {
        TVxEvResult before;
        const char *entered;
        TVxEvResultType kind;
        const char *after;
    };
    const Row rows[] = {
        {TVxEvResult::Int(5), "12", I, "12"},
        {TVxEvResult::Int(5), "12a", S, "12a"},
        {TVxEvResult::Double(1.5), "2,25", F, "2,25"},
        {TVxEvResult::Bool(false), "true", B, "True"},
        {TVxEvResult::Bool(true), "0", B, "False"},
        {TVxEvResult::Bool(true), "ja", S, "ja"},
        {TVxEvResult::String(QStringLiteral("a")), "42", S, "42"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.entered);
        SetVxDScriptVar(QStringLiteral("V"), row.before);
        answer = QString::fromUtf8(row.entered);
        EXPECT_TRUE(calculate(QStringLiteral("INPUTBOX('T', 'P', 'v')")).booResult);
        const TVxEvResult value = FindVxDScriptVar(QStringLiteral("V"))->Value;
        EXPECT_EQ(value.Kind, row.kind);
        EXPECT_EQ(VxEvResultText(value).toStdString(), row.after);
    }
    EXPECT_EQ(shown.at(0), QStringLiteral("T/P/5"));
    EXPECT_EQ(shown.at(2), QStringLiteral("T/P/1,5"));
    EXPECT_EQ(shown.at(3), QStringLiteral("T/P/False"));

    // A new variable is a text; a cancelled box changes nothing.
    answer = QStringLiteral("7");
    EXPECT_TRUE(calculate(QStringLiteral("INPUTBOX('T', 'P', 'Fresh')")).booResult);
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("Fresh"))->Value.StringVal, QStringLiteral("7"));
    EXPECT_EQ(shown.last(), QStringLiteral("T/P/"));
    confirm = false;
    answer = QStringLiteral("8");
    EXPECT_FALSE(calculate(QStringLiteral("INPUTBOX('T', 'P', 'Fresh')")).booResult);
    EXPECT_FALSE(calculate(QStringLiteral("INPUTBOX('T', 'P', 'Other')")).booResult);
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("Fresh"))->Value.StringVal, QStringLiteral("7"));
    EXPECT_FALSE(FindVxDScriptVar(QStringLiteral("Other")));

    // Message boxes report the user's answer.
    GlobalUserDialogs().MessageBox = [](TVxMessageBoxKind kind, const QString &) {
        return kind == TVxMessageBoxKind::Ok;
    };
    checkCases({{"OKBOX('a')", B, "True"}, {"OKCANCELBOX('a')", B, "False"}, {"YESNOBOX('a')", B, "False"}});
}

TEST_F(ExtendedFunctions, RecordSetsOfTheOpenWindows)
{
    TGoodsWindow main;
    checkCases({
        {"RECORDCOUNT('RovevarurezDataSet')", I, "2"},
        {"RECORDCOUNT('rovevarurezdataset')", I, "2"},
        {"RECORDCOUNT('Missing')", E, ""},
        {"EOF('RovevarurezDataSet')", B, "False"},
        {"ISNULL('RovevarurezDataSet', 'CENA')", B, "False"},
        {"ISEMPTY('RovevarurezDataSet', 'PRECE')", B, "False"},
        {"FIELDLEN('RovevarurezDataSet', 'PRECE')", I, "20"},
        {"FIELDLEN('RovevarurezDataSet', 'NOSUCH')", E, ""},
        {"MEMOLINE('RovevarurezDataSet', 'INFO', 2)", S, "second"},
        {"MEMOLINE('RovevarurezDataSet', 'INFO', 3)", S, ""},
        {"MEMOLINE('RovevarurezDataSet', 'INFO', 0)", S, ""},
        {"MEMOLINE('RovevarurezDataSet', 'INFO', '1')", E, ""},
    });
    main.Data()->Next();
    checkCases({
        {"ISNULL('RovevarurezDataSet', 'CENA')", B, "True"},
        {"ISEMPTY('RovevarurezDataSet', 'PRECE')", B, "True"},
        {"MEMOLINE('RovevarurezDataSet', 'INFO', 1)", S, ""},
    });
    main.Data()->Next();
    checkCases({{"EOF('RovevarurezDataSet')", B, "True"}});

    // An open data module comes before the windows; a record set without the
    // required field does not count.
    TRuntimeDatamodule module;
    auto *other = new TClientDataSet(&module);
    other->setObjectName(QStringLiteral("RovevarurezDataSet"));
    other->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                      "<FIELD attrname=\"KODS\" fieldtype=\"i4\"/></FIELDS></METADATA><ROWDATA>"
                      "<ROW KODS=\"1\"/><ROW KODS=\"2\"/><ROW KODS=\"3\"/></ROWDATA></DATAPACKET>");
    other->Open();
    checkCases({{"RECORDCOUNT('RovevarurezDataSet')", I, "3"},
                {"FIELDLEN('RovevarurezDataSet', 'PRECE')", I, "20"}});
}

TEST_F(ExtendedFunctions, IniFilesAreReadWithoutRegardToCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("zelmio.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; settings\r\n[Other]\r\nPrinter=No\r\n[Print]\r\n  Printer = Kase 1 \r\nTitle=\"Čeks\"\r\n");
    file.close();
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    checkCases({
        {"READINI('zelmio.ini', 'print', 'PRINTER')", S, "Kase 1"},
        {"READINI('zelmio.ini', 'Print', 'Title')", S, "Čeks"},
        {"READINI('zelmio.ini', 'Other', 'Printer')", S, "No"},
        {"READINI('zelmio.ini', 'Print', 'Missing')", S, ""},
        {"READINI('missing.ini', 'Print', 'Printer')", S, ""},
        {"READINI('.', 'Print', 'Printer')", S, ""},
        {"READINI('zelmio.ini', 'Print')", E, ""},
    });
    // A named pipe is not waited on.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.ini"))).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    checkCases({{"READINI('pipe.ini', 'Print', 'Printer')", S, ""}});
    EXPECT_LT(timer.elapsed(), 5000);
    QDir::setCurrent(saved);
}

TEST_F(ExtendedFunctions, ElementsOfALoadedTemplate)
{
    LoadedTemplate t;
    auto *label = t.Find<TTesmolaLabel>("CenaLabel");
    auto *frame = t.Find<TTesmolaShape>("Ramis");
    ASSERT_TRUE(label && frame);
    auto *memo = new TTesmolaMemo(&t.window);
    memo->SetName(QStringLiteral("Memo1"));
    auto *stray = new TClientDataSet(&t.window);
    stray->setObjectName(QStringLiteral("Stray"));

    checkCases({
        {"ELEMENTEXISTS('cenalabel')", B, "True"},
        {"ELEMENTEXISTS('DetailBand1')", B, "True"},
        {"ELEMENTEXISTS('Vexa')", B, "True"},
        {"ELEMENTEXISTS('Nothing')", B, "False"},
        {"ELEMENTEXISTS('VxDLoader1')", B, "False"},   // not an element
        {"PROPEXISTS('CenaLabel', 'caption')", B, "True"},
        {"PROPEXISTS('CenaLabel', 'Bogus')", B, "False"},
        {"PROPEXISTS('Nothing', 'Caption')", E, ""},
        {"GETCAPTION('CenaLabel')", S, "Cena:"},
        {"GETSTRPROP('Nosaukums', 'DataField')", S, "PRECE"},
        {"GETINTPROP('Ramis', 'Pen.Width')", I, "2"},
        {"GETBOOLPROP('Ramis', 'StretchHeightWithBand')", B, "True"},
        {"GETBOOLPROP('Ramis', 'Pen.Width')", E, ""},
        {"GETSTRPROP('Ramis', 'Pen.Width')", E, ""},
        {"SETSTRPROP('CenaLabel', 'Caption', 'Price:')", S, "Price:"},
        {"GETCAPTION('CenaLabel')", S, "Price:"},
        {"SETINTPROP('Ramis', 'Pen.Width', 3)", I, "3"},
        {"SETINTPROP('Ramis', 'Pen.Width', 3.5)", E, ""},
        {"SETFLOATPROP('Ramis', 'RoundFactor', 0.5)", F, "0,5"},
        {"SETFLOATPROP('Ramis', 'RoundFactor', 1)", E, ""},   // an integer is refused
        {"GETFLOATPROP('Ramis', 'RoundFactor')", F, "0,5"},
        {"SETBOOLPROP('Nosaukums', 'Enabled', FALSE)", B, "False"},
        {"SETBOOLPROP('CenaLabel', 'BlockEdit', TRUE)", E, ""},
        {"SETBOOLPROP('CenaLabel', 'blockmove', TRUE)", E, ""},
        {"SETBOOLPROP('CenaLabel', 'NoSuchFlag', TRUE)", E, ""},
        {"SETSTRPROP('Memo1', 'Lines', 'one' + CHR(13) + CHR(10) + 'two')", S, "one\r\ntwo"},
        {"GETSTRPROP('Memo1', 'Lines')", S, "one\r\ntwo"},
        // Cena carries the add-on BlockEdit: no setter touches it.
        {"SETBOOLPROP('Cena', 'Enabled', FALSE)", E, ""},
        {"SETSTRPROP('Cena', 'DataField', 'X')", E, ""},
        {"GETBOOLPROP('Cena', 'Enabled')", B, "True"},
        {"SETCOLOR('Ramis', RED)", B, "True"},
        {"SETCOLOR('CenaLabel', BLUE)", B, "True"},
        {"SETCOLOR('Stray', BLUE)", E, ""},
        {"SETCOLOR('Nothing', BLUE)", E, ""},
        {"SETFONTCOLOR('Ramis', GREEN)", B, "True"},
        {"SETFONTCOLOR('CenaLabel', GREEN)", B, "True"},
        {"SETFONTSIZE('CenaLabel', 14)", B, "True"},
        {"SETFONT('CenaLabel', 'DejaVu Sans')", B, "True"},
        {"SETFONTSTYLE('CenaLabel', TRUE, FALSE, TRUE, FALSE)", B, "True"},
        {"SETFONTSIZE('DetailBand1', 14)", B, "False"},   // a band's font is not an element's font
        {"SETFONTSTYLE('CenaLabel', TRUE, FALSE, TRUE)", E, ""},
        {"PAGEPRINTS('CenaLabel')", E, ""},
    });
    EXPECT_EQ(label->Caption(), QStringLiteral("Price:"));
    EXPECT_EQ(frame->Pen()->Width(), 3);
    EXPECT_FLOAT_EQ(frame->RoundFactor(), 0.5f);
    EXPECT_EQ(frame->Brush()->Color(), TColor(255));
    EXPECT_EQ(frame->Pen()->Color(), TColor(32768));
    EXPECT_EQ(GetIntegerProperty(label, QStringLiteral("Color")), 16711680);
    EXPECT_EQ(label->Font()->Color(), TColor(32768));
    EXPECT_EQ(label->Font()->Size(), 14);
    EXPECT_EQ(label->Font()->Name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(label->Font()->Style(), TFontStyles(TFontStyle::fsBold) | TFontStyle::fsUnderline);
    EXPECT_FALSE(GetBooleanProperty(t.Find<QObject>("Nosaukums"), QStringLiteral("Enabled")));
    EXPECT_EQ(GetStringProperty(t.Find<QObject>("Cena"), QStringLiteral("DataField")), QStringLiteral("CENA"));
    EXPECT_EQ(memo->Lines(), (QStringList{"one", "two"}));

    // BlockChange refuses only a new data field.
    TPropertyAddons *addons = t.window.Loader()->PropertyAddons();
    addons->SetBoolProp(t.Find<TComponent>("Nosaukums"), QStringLiteral("BlockChange"), true);
    checkCases({{"SETSTRPROP('Nosaukums', 'DataField', 'X')", E, ""},
                {"SETBOOLPROP('Nosaukums', 'Enabled', TRUE)", B, "True"}});

    // Only windows that hold a design report count for the element lookup;
    // GETCAPTION looks at every window.
    checkCases({{"ELEMENTEXISTS('RovevarurezDataSet')", B, "False"}});
}

namespace {

// A design report named as the report windows name it, on an open window.
struct RunningDesignReport : BasicReportFixture<TDesignVexa> {
    TTesmolaBand *detail = nullptr;
    RunningDesignReport()
    {
        report->SetName(QStringLiteral("Vexa"));
        RegisterApplicationWindow(&form);
        SetData(kNumberField, NumberedRows(3));
        detail = AddBand<TTesmolaBand>(TVxBandType::rbDetail, 100, QStringLiteral("DetailBand1"));
    }
    ~RunningDesignReport() { UnregisterApplicationWindow(&form); }
};

} // namespace

TEST_F(ExtendedFunctions, InARunningReport)
{
    RunningDesignReport r;
    r.AddExpr(r.detail, QStringLiteral("COUNTER"), 0);
    r.AddExpr(r.detail, QStringLiteral("STR(DETAILNO) + '/' + STR(DETAILCOUNT) + ' p' + STR(PAGENUMBER)"), 500);
    r.AddExpr(r.detail, QStringLiteral("STR(RECORDCOUNT('Data')) + ' ' + STR(PIXELS(10))"), 1000);
    // The band's script sees the record sets and the report too.
    r.report->SetScript({"[DetailBand1.AfterPrint]", "SETVAR('Y', VERTPRINTPOS)"});
    EXPECT_EQ(r.Run().AllTexts(), (QStringList{"1", "1/3 p1", "3 38", "2", "2/3 p1", "3 38", "3", "3/3 p1",
                                               "3 38"}));
    EXPECT_GT(FindVxDScriptVar(QStringLiteral("Y"))->Value.intResult, 0);
    // Outside the job the report is still found in its window, in its own unit.
    checkCases({{"PIXELS(10)", I, "38"}, {"PIXELS(2.5)", I, "9"}, {"RECORDCOUNT('Data')", I, "3"}});

    // Every run compiles its expressions afresh: the counter starts again.
    const QStringList texts = r.Run().AllTexts();
    EXPECT_EQ(texts.mid(0, 1), QStringList{"1"});
}

TEST_F(ExtendedFunctions, GroupPrintedAndResetExpr)
{
    RunningDesignReport r;
    // A group per record whose header prints only for the first two.
    auto *group = r.AddBand<TTesmolaGroup>(TVxBandType::rbGroupHeader, 100, QStringLiteral("Group1"));
    group->SetExpression(QStringLiteral("NR"));
    group->SetPrintExpression(QStringLiteral("NR < 3"));
    r.AddExpr(r.detail, QStringLiteral("IF(GROUPPRINTED('Group1'), 'printed', 'left out')"), 0);
    EXPECT_EQ(r.Run().AllTexts(), (QStringList{"printed", "printed", "left out"}));
    checkCases({{"GROUPPRINTED('group1')", B, "False"}, {"GROUPPRINTED('NoGroup')", E, ""},
                {"GROUPPRINTED('DetailBand1')", E, ""}});

    auto *total = new TTesmolaExpr(&r.form);
    total->SetName(QStringLiteral("Total"));
    total->SetParent(r.detail);
    total->SetExpression(QStringLiteral("SUM(NR)"));
    total->Prepare();
    r.data->First();
    total->Evaluator()->DoAggregate();
    r.data->Next();
    total->Evaluator()->DoAggregate();
    EXPECT_EQ(total->Evaluator()->Value().intResult, 3);
    checkCases({{"RESETEXPR('total')", S, ""}, {"RESETEXPR('Nothing')", S, ""}});
    EXPECT_EQ(total->Evaluator()->Value().intResult, 0);
    total->UnPrepare();
}
