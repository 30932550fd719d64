// Reading dates and times typed by the locale's rules.
#include "platform/Formats.h"

#include <QDate>

namespace zelmio {

namespace {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The order of day, month and year in the short date format.
DateOrder dateOrder(const TFormatSettings &fs)
{
    const QString &f = fs.ShortDateFormat;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i].toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = f.indexOf(f[i], i + 1);
            if (end < 0)
                break;
            i = end;
        } else if (c == QLatin1Char('d')) {
            return DateOrder::DayMonthYear;
        } else if (c == QLatin1Char('m')) {
            return DateOrder::MonthDayYear;
        } else if (c == QLatin1Char('y')) {
            return DateOrder::YearMonthDay;
        }
    }
    return DateOrder::MonthDayYear;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x00A0);
}

class Scanner {
public:
    Scanner(const QString &text, const TFormatSettings &fs) : m_t(text), m_fs(fs) {}

    qsizetype pos() const { return m_pos; }
    void setPos(qsizetype p) { m_pos = p; }
    bool atEnd() const { return m_pos >= m_t.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_t[m_pos]; }

    bool skipBlanks()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && isBlank(m_t[m_pos]))
            ++m_pos;
        return m_pos > start;
    }

    // Up to maxDigits decimal digits; the count read goes to digits.
    bool number(int maxDigits, int &value, int &digits)
    {
        value = 0;
        digits = 0;
        while (!atEnd() && m_t[m_pos] >= QLatin1Char('0') && m_t[m_pos] <= QLatin1Char('9')) {
            if (digits == maxDigits)
                return false;
            value = value * 10 + (m_t[m_pos].unicode() - u'0');
            ++digits;
            ++m_pos;
        }
        return digits > 0;
    }

    bool isDateSeparator(QChar c) const
    {
        return c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-') || c == m_fs.DateSeparator;
    }

    bool isTimeSeparator(QChar c) const { return c == QLatin1Char(':') || c == m_fs.TimeSeparator; }

    // Matches one of the texts ignoring case; longest first.
    bool word(const QStringList &words)
    {
        qsizetype best = 0;
        for (const QString &w : words) {
            if (!w.isEmpty() && w.size() > best && m_t.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) == 0)
                best = w.size();
        }
        m_pos += best;
        return best > 0;
    }

    bool date(TDateTime &value)
    {
        int n[3] = {0, 0, 0};
        int len[3] = {0, 0, 0};
        int count = 0;
        QChar separator;
        skipBlanks();
        if (!number(4, n[0], len[0]))
            return false;
        count = 1;
        while (count < 3 && !atEnd() && isDateSeparator(peek())) {
            if (!separator.isNull() && peek() != separator)
                break;
            const qsizetype back = m_pos;
            separator = peek();
            ++m_pos;
            if (!number(4, n[count], len[count])) {
                m_pos = back;   // a closing separator, as in "08.12.2026."
                break;
            }
            ++count;
        }
        if (count < 2)
            return false;
        // A closing separator is part of the date only where the text or a blank follows.
        if (!atEnd() && peek() == separator && (m_pos + 1 >= m_t.size() || isBlank(m_t[m_pos + 1])))
            ++m_pos;

        const int currentYear = QDate::currentDate().year();
        int year = currentYear, month = 0, day = 0, yearDigits = 4;
        const DateOrder order = dateOrder(m_fs);
        if (count == 3) {
            if (len[0] > 2 || order == DateOrder::YearMonthDay) {
                // A year written first with four digits reads as year, month, day.
                year = n[0]; month = n[1]; day = n[2]; yearDigits = len[0];
            } else if (order == DateOrder::DayMonthYear) {
                day = n[0]; month = n[1]; year = n[2]; yearDigits = len[2];
            } else {
                month = n[0]; day = n[1]; year = n[2]; yearDigits = len[2];
            }
        } else if (order == DateOrder::DayMonthYear) {
            day = n[0]; month = n[1];
        } else {
            month = n[0]; day = n[1];
        }
        if (yearDigits <= 2) {
            // Two-digit years fall in the hundred years starting
            // TwoDigitYearCenturyWindow years before the current one.
            const int window = m_fs.TwoDigitYearCenturyWindow;
            const int base = currentYear - window;
            year += base / 100 * 100;
            if (window > 0 && year < base)
                year += 100;
        }
        return TryEncodeDate(year, month, day, value);
    }

    bool time(TDateTime &value)
    {
        skipBlanks();
        int hour = 0, minute = 0, second = 0, msec = 0, digits = 0;
        if (!number(2, hour, digits))
            return false;
        bool haveMinutes = false;
        if (!atEnd() && isTimeSeparator(peek())) {
            ++m_pos;
            if (!number(2, minute, digits))
                return false;
            haveMinutes = true;
            if (!atEnd() && isTimeSeparator(peek())) {
                ++m_pos;
                if (!number(2, second, digits))
                    return false;
                if (!atEnd() && (peek() == QLatin1Char('.') || peek() == m_fs.DecimalSeparator)) {
                    ++m_pos;
                    if (!number(3, msec, digits))
                        return false;
                    while (digits++ < 3)
                        msec *= 10;
                }
            }
        }
        const qsizetype beforeMarker = m_pos;
        skipBlanks();
        const bool am = word({m_fs.TimeAMString, QStringLiteral("AM"), QStringLiteral("A")});
        const bool pm = !am && word({m_fs.TimePMString, QStringLiteral("PM"), QStringLiteral("P")});
        if (am || pm) {
            if (hour < 1 || hour > 12)
                return false;
            if (hour == 12)
                hour = 0;
            if (pm)
                hour += 12;
        } else {
            m_pos = beforeMarker;
            if (!haveMinutes)
                return false;
        }
        return TryEncodeTime(hour, minute, second, msec, value);
    }

    bool finished()
    {
        skipBlanks();
        return atEnd();
    }

private:
    const QString &m_t;
    const TFormatSettings &m_fs;
    qsizetype m_pos = 0;
};

} // namespace

bool TryStrToDate(const QString &text, TDateTime &value, const TFormatSettings &fs)
{
    Scanner s(text, fs);
    TDateTime d = 0;
    if (!s.date(d) || !s.finished())
        return false;
    value = d;
    return true;
}

bool TryStrToTime(const QString &text, TDateTime &value, const TFormatSettings &fs)
{
    Scanner s(text, fs);
    TDateTime t = 0;
    if (!s.time(t) || !s.finished())
        return false;
    value = t;
    return true;
}

bool TryStrToDateTime(const QString &text, TDateTime &value, const TFormatSettings &fs)
{
    Scanner s(text, fs);
    TDateTime d = 0;
    TDateTime t = 0;
    if (s.date(d)) {
        const qsizetype afterDate = s.pos();
        if (s.finished()) {
            value = d;
            return true;
        }
        s.setPos(afterDate);
        // The time follows after blanks, or after "T" in ISO texts.
        const bool isoT = s.peek() == QLatin1Char('T');
        if (isoT)
            s.setPos(s.pos() + 1);
        else if (!s.skipBlanks())
            return false;
        if (!s.time(t) || !s.finished())
            return false;
        value = ComposeDateTime(d, t);
        return true;
    }
    Scanner timeOnly(text, fs);
    if (!timeOnly.time(t) || !timeOnly.finished())
        return false;
    value = t;
    return true;
}

TDateTime StrToDate(const QString &text, const TFormatSettings &fs)
{
    TDateTime v = 0;
    if (!TryStrToDate(text, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return v;
}

TDateTime StrToTime(const QString &text, const TFormatSettings &fs)
{
    TDateTime v = 0;
    if (!TryStrToTime(text, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return v;
}

TDateTime StrToDateTime(const QString &text, const TFormatSettings &fs)
{
    TDateTime v = 0;
    if (!TryStrToDateTime(text, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return v;
}

} // namespace zelmio
