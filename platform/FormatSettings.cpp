#include "platform/FormatSettings.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include <QLocale>

namespace zelmio {

namespace {

bool isQtPatternLetter(QChar c)
{
    switch (c.unicode()) {
    case u'd': case u'M': case u'y': case u'h': case u'H': case u'm':
    case u's': case u'z': case u'A': case u'a': case u't':
        return true;
    default:
        return false;
    }
}

// Quotes a literal so that none of its letters is read as a specifier.
QString quoteLiteral(const QString &text)
{
    if (text.isEmpty())
        return text;
    bool needsQuotes = false;
    for (QChar c : text) {
        if (c.isLetter() || c == QLatin1Char('/') || c == QLatin1Char(':'))
            needsQuotes = true;
    }
    if (!needsQuotes)
        return text;
    if (!text.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Qt's date and time patterns in this system's specifiers: months "M",
// minutes "m" -> "n", 24-hour "H" -> "h", "AP" -> "ampm"; the time zone
// ("t") is left out, literals are quoted.
QString fromQtPattern(const QString &qt)
{
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        out += quoteLiteral(literal);
        literal.clear();
    };
    for (qsizetype i = 0; i < qt.size();) {
        const QChar c = qt[i];
        if (c == QLatin1Char('\'')) {
            // '' is a quote; 'text' is literal text with '' for a quote inside.
            qsizetype j = i + 1;
            if (j < qt.size() && qt[j] == QLatin1Char('\'')) {
                literal += QLatin1Char('\'');
                i = j + 1;
                continue;
            }
            while (j < qt.size()) {
                if (qt[j] == QLatin1Char('\'')) {
                    if (j + 1 < qt.size() && qt[j + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += qt[j++];
            }
            i = j + 1;
            continue;
        }
        if (!isQtPatternLetter(c)) {
            if (c.isLetter()) {
                literal += c;
            } else {
                flushLiteral();
                out += c;
            }
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < qt.size() && qt[i + run] == c)
            ++run;
        flushLiteral();
        switch (c.unicode()) {
        case u'd': out += QString(int(std::min<qsizetype>(run, 4)), QLatin1Char('d')); break;
        case u'M': out += QString(int(std::min<qsizetype>(run, 4)), QLatin1Char('m')); break;
        case u'y': out += run == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case u'h': case u'H': out += run == 1 ? QStringLiteral("h") : QStringLiteral("hh"); break;
        case u'm': out += run == 1 ? QStringLiteral("n") : QStringLiteral("nn"); break;
        case u's': out += run == 1 ? QStringLiteral("s") : QStringLiteral("ss"); break;
        case u'z': out += run == 1 ? QStringLiteral("z") : QStringLiteral("zzz"); break;
        case u'A': case u'a':
            // "AP", "ap", "A" and "a" are all the locale's am/pm text.
            out += QStringLiteral("ampm");
            if (i + run < qt.size() && (qt[i + run] == QLatin1Char('P') || qt[i + run] == QLatin1Char('p')))
                ++run;
            break;
        case u't':
            // Time zones are not shown; drop the blank before it too.
            while (out.endsWith(QLatin1Char(' ')))
                out.chop(1);
            break;
        default: break;
        }
        i += run;
    }
    flushLiteral();
    return out.trimmed();
}

// Bidirectional marks of right-to-left locales carry no meaning for
// formatting and would be taken for separators.
QString withoutDirectionMarks(QString pattern)
{
    pattern.remove(QChar(0x200E));
    pattern.remove(QChar(0x200F));
    pattern.remove(QChar(0x061C));
    return pattern;
}

// The short date must be all digits, with a four-digit year, so that dates
// written with it read back and years are not lost: "d MMM yyyy" becomes
// "d/m/yyyy" in the same order, "dd.MM.yy" becomes "dd.mm.yyyy".
QString numericShortDate(QString format, QChar separator)
{
    if (format.contains(QLatin1String("mmm"), Qt::CaseInsensitive)
        || format.contains(QLatin1String("ddd"), Qt::CaseInsensitive)) {
        QString order;
        for (QChar c : format) {
            if ((c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y')) && !order.contains(c))
                order += c;
        }
        if (order.size() != 3)
            order = QStringLiteral("mdy");
        QStringList parts;
        for (QChar c : order)
            parts << (c == QLatin1Char('d') ? QStringLiteral("d") : c == QLatin1Char('m') ? QStringLiteral("m") : QStringLiteral("yyyy"));
        return parts.join(separator);
    }
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QChar firstSeparator(const QString &qtPattern, QChar fallback)
{
    bool quoted = false;
    for (QChar c : qtPattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && !c.isLetterOrNumber() && c != QLatin1Char(' '))
            return c;
    }
    return fallback;
}

QChar firstChar(const QString &s, QChar fallback)
{
    return s.isEmpty() ? fallback : s[0];
}

// Places a symbol like the locale does: 0 "€1", 1 "1€", 2 "€ 1", 3 "1 €".
int currencyFormatOf(const QString &positive, const QString &symbol)
{
    const qsizetype at = positive.indexOf(symbol);
    if (at < 0 || symbol.isEmpty())
        return 0;
    const bool before = at == 0;
    const qsizetype next = before ? at + symbol.size() : at - 1;
    const QChar between = next >= 0 && next < positive.size() ? positive[next] : QChar();
    const bool blank = between.isSpace();
    return before ? (blank ? 2 : 0) : (blank ? 3 : 1);
}

// Finds the conventional negative pattern (0 .. 15) that matches the
// locale's text of minus one.
int negCurrFormatOf(QString negative, const QString &symbol, const QString &one)
{
    negative.replace(QChar(0x00A0), QLatin1Char(' '));
    negative.replace(QChar(0x202F), QLatin1Char(' '));
    negative.replace(QChar(0x2212), QLatin1Char('-'));
    negative.remove(QChar(0x200E));
    negative.remove(QChar(0x200F));
    negative.replace(symbol, QStringLiteral("$"));
    negative.replace(one, QStringLiteral("1"));
    static const char *patterns[16] = {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
                                       "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    for (int i = 0; i < 16; ++i) {
        if (negative == QLatin1String(patterns[i]))
            return i;
    }
    return -1;
}

} // namespace

TFormatSettings TFormatSettings::fromSystem()
{
    return fromLocale(QLocale::system());
}

TFormatSettings TFormatSettings::fromLocale(const QLocale &loc)
{
    TFormatSettings fs;
    fs.DecimalSeparator = firstChar(loc.decimalPoint(), QLatin1Char('.'));
    fs.ThousandSeparator = firstChar(loc.groupSeparator(), QLatin1Char(','));
    if (fs.ThousandSeparator == QChar(0x202F))
        fs.ThousandSeparator = QChar(0x00A0);
    fs.ListSeparator = fs.DecimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');

    const QString qtShortDate = withoutDirectionMarks(loc.dateFormat(QLocale::ShortFormat));
    const QString qtShortTime = withoutDirectionMarks(loc.timeFormat(QLocale::ShortFormat));
    fs.DateSeparator = firstSeparator(qtShortDate, QLatin1Char('/'));
    fs.TimeSeparator = firstSeparator(qtShortTime, QLatin1Char(':'));
    fs.ShortDateFormat = numericShortDate(fromQtPattern(qtShortDate), fs.DateSeparator);
    fs.LongDateFormat = fromQtPattern(withoutDirectionMarks(loc.dateFormat(QLocale::LongFormat)));
    fs.ShortTimeFormat = fromQtPattern(qtShortTime);
    fs.LongTimeFormat = fromQtPattern(withoutDirectionMarks(loc.timeFormat(QLocale::LongFormat)));
    fs.TimeAMString = loc.amText();
    fs.TimePMString = loc.pmText();

    fs.CurrencyString = loc.currencySymbol(QLocale::CurrencySymbol);
    const QString positive = loc.toCurrencyString(1.0);
    fs.CurrencyFormat = currencyFormatOf(positive, fs.CurrencyString);
    const QString one = loc.toString(1.0, 'f', 0);
    {
        // Decimals: the digits after the decimal point in the locale's text of one.
        const qsizetype point = positive.indexOf(fs.DecimalSeparator);
        int decimals = 0;
        if (point >= 0) {
            for (qsizetype i = point + 1; i < positive.size() && positive[i].isDigit(); ++i)
                ++decimals;
        }
        fs.CurrencyDecimals = point >= 0 ? decimals : 0;
        QString negText = loc.toCurrencyString(-1.0);
        const QString oneWithDecimals = point >= 0 ? positive.mid(point - 1, decimals + 2) : one;
        const int neg = negCurrFormatOf(negText, fs.CurrencyString, oneWithDecimals);
        if (neg >= 0)
            fs.NegCurrFormat = neg;
        else
            fs.NegCurrFormat = fs.CurrencyFormat == 3 ? 8 : fs.CurrencyFormat == 1 ? 5 : fs.CurrencyFormat == 2 ? 9 : 1;
    }

    for (int m = 1; m <= 12; ++m) {
        fs.ShortMonthNames[size_t(m - 1)] = loc.monthName(m, QLocale::ShortFormat);
        fs.LongMonthNames[size_t(m - 1)] = loc.monthName(m, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;   // Qt counts Monday = 1 ... Sunday = 7
        fs.ShortDayNames[size_t(d)] = loc.dayName(qtDay, QLocale::ShortFormat);
        fs.LongDayNames[size_t(d)] = loc.dayName(qtDay, QLocale::LongFormat);
    }
    return fs;
}

TFormatSettings TFormatSettings::latvian()
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char(' ');
    fs.DateSeparator = QLatin1Char('.');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ListSeparator = QLatin1Char(';');
    fs.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
    fs.LongDateFormat = QStringLiteral("yyyy. 'gada' d. mmmm");
    fs.ShortTimeFormat = QStringLiteral("hh:nn");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    fs.TimeAMString = QStringLiteral("priekšp.");
    fs.TimePMString = QStringLiteral("pēcp.");
    fs.CurrencyString = QStringLiteral("€");
    fs.CurrencyFormat = 3;
    fs.NegCurrFormat = 8;
    fs.CurrencyDecimals = 2;
    fs.ShortMonthNames = {QStringLiteral("janv."), QStringLiteral("febr."), QStringLiteral("marts"),
                          QStringLiteral("apr."), QStringLiteral("maijs"), QStringLiteral("jūn."),
                          QStringLiteral("jūl."), QStringLiteral("aug."), QStringLiteral("sept."),
                          QStringLiteral("okt."), QStringLiteral("nov."), QStringLiteral("dec.")};
    fs.LongMonthNames = {QStringLiteral("janvāris"), QStringLiteral("februāris"), QStringLiteral("marts"),
                         QStringLiteral("aprīlis"), QStringLiteral("maijs"), QStringLiteral("jūnijs"),
                         QStringLiteral("jūlijs"), QStringLiteral("augusts"), QStringLiteral("septembris"),
                         QStringLiteral("oktobris"), QStringLiteral("novembris"), QStringLiteral("decembris")};
    fs.ShortDayNames = {QStringLiteral("svētd."), QStringLiteral("pirmd."), QStringLiteral("otrd."),
                        QStringLiteral("trešd."), QStringLiteral("ceturtd."), QStringLiteral("piektd."),
                        QStringLiteral("sestd.")};
    fs.LongDayNames = {QStringLiteral("svētdiena"), QStringLiteral("pirmdiena"), QStringLiteral("otrdiena"),
                       QStringLiteral("trešdiena"), QStringLiteral("ceturtdiena"), QStringLiteral("piektdiena"),
                       QStringLiteral("sestdiena")};
    return fs;
}

TFormatSettings TFormatSettings::usEnglish()
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char('.');
    fs.ThousandSeparator = QLatin1Char(',');
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ListSeparator = QLatin1Char(',');
    fs.ShortDateFormat = QStringLiteral("m/d/yyyy");
    fs.LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    fs.ShortTimeFormat = QStringLiteral("h:nn AMPM");
    fs.LongTimeFormat = QStringLiteral("h:nn:ss AMPM");
    fs.TimeAMString = QStringLiteral("AM");
    fs.TimePMString = QStringLiteral("PM");
    fs.CurrencyString = QStringLiteral("$");
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 0;
    fs.CurrencyDecimals = 2;
    fs.ShortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
                          QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
                          QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    fs.LongMonthNames = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                         QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
                         QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
                         QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    fs.ShortDayNames = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                        QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    fs.LongDayNames = {QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                       QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                       QStringLiteral("Saturday")};
    return fs;
}

namespace {

// The process-wide record is published as an immutable snapshot: readers on
// any thread take the pointer without a lock, and a replaced snapshot is kept
// (not freed), so a reference handed out before the change stays valid. The
// record changes a handful of times in a process's life.
std::mutex g_settingsMutex;
std::atomic<const TFormatSettings *> g_settings{nullptr};
std::vector<std::unique_ptr<const TFormatSettings>> g_snapshots;

// The record a run has installed on its own thread, if any.
thread_local TFormatSettings *t_settings = nullptr;

const TFormatSettings *publish(std::unique_ptr<const TFormatSettings> snapshot)
{
    const TFormatSettings *current = snapshot.get();
    g_snapshots.push_back(std::move(snapshot));
    g_settings.store(current, std::memory_order_release);
    return current;
}

const TFormatSettings &processSettings()
{
    if (const TFormatSettings *current = g_settings.load(std::memory_order_acquire))
        return *current;
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    if (const TFormatSettings *current = g_settings.load(std::memory_order_acquire))
        return *current;
    return *publish(std::make_unique<const TFormatSettings>(TFormatSettings::fromSystem()));
}

} // namespace

const TFormatSettings &FormatSettings()
{
    if (t_settings)
        return *t_settings;
    return processSettings();
}

void SetFormatSettings(const TFormatSettings &settings)
{
    if (t_settings) {
        // A thread with a record of its own changes only that record.
        *t_settings = settings;
        return;
    }
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    publish(std::make_unique<const TFormatSettings>(settings));
}

ScopedFormatSettings::ScopedFormatSettings(const TFormatSettings &settings)
    : m_settings(std::make_unique<TFormatSettings>(settings))
    , m_saved(t_settings)
{
    t_settings = m_settings.get();
}

ScopedFormatSettings::~ScopedFormatSettings()
{
    t_settings = m_saved;
}

} // namespace zelmio
