// Date-time format texts: "dd.mm.yyyy hh:nn", "c", "dddd, mmmm d", ...
#include "platform/DateTimeParts.h"
#include "platform/Formats.h"

#include <QDate>

namespace zelmio {

namespace {

constexpr qint64 kJulianDayOfZero = 2415019;

struct Moment {
    int year = 0, month = 0, day = 0, dayOfWeek = 0;   // dayOfWeek 1 = Sunday
    int hour = 0, minute = 0, second = 0, msec = 0;
    bool midnight = true;
};

Moment decode(TDateTime value)
{
    Moment m;
    const TDateTimeParts p = TDateTimeParts::split(value);
    if (!p.valid)
        return m;
    QDate::fromJulianDay(p.day + kJulianDayOfZero).getDate(&m.year, &m.month, &m.day);
    m.dayOfWeek = int(((p.day + 6) % 7 + 7) % 7) + 1;
    m.hour = p.msec / 3600000;
    m.minute = p.msec / 60000 % 60;
    m.second = p.msec / 1000 % 60;
    m.msec = p.msec % 1000;
    m.midnight = p.msec == 0;
    return m;
}

QString number(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

template <size_t N>
QString nameAt(const std::array<QString, N> &names, int oneBased)
{
    return oneBased >= 1 && size_t(oneBased) <= N ? names[size_t(oneBased - 1)] : QString();
}

bool startsWithCI(const QString &s, qsizetype at, QLatin1String what)
{
    return s.mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// True when the format (outside quotes) holds an am/pm marker: hours are
// then shown on the 12-hour clock.
bool usesTwelveHours(const QString &f)
{
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = f.indexOf(c, i + 1);
            if (end < 0)
                return false;
            i = end;
        } else if (startsWithCI(f, i, QLatin1String("am/pm")) || startsWithCI(f, i, QLatin1String("a/p"))
                   || startsWithCI(f, i, QLatin1String("ampm"))) {
            return true;
        }
    }
    return false;
}

class DateTimeWriter {
public:
    DateTimeWriter(const Moment &m, const TFormatSettings &fs) : m_m(m), m_fs(fs) {}

    void write(const QString &f, int depth)
    {
        // Locale formats that name each other are followed only so deep.
        if (depth > 3)
            return;
        const bool twelve = usesTwelveHours(f);
        QChar lastLetter;
        qsizetype i = 0;
        while (i < f.size()) {
            const QChar c = f[i];
            const QChar lc = c.toLower();
            qsizetype run = 1;
            while (i + run < f.size() && f[i + run].toLower() == lc)
                ++run;
            const QChar letter = lc.isLetter() && lc.unicode() < 128 ? lc : QChar();
            switch (lc.unicode()) {
            case u'\'':
            case u'"': {
                const qsizetype end = f.indexOf(c, i + 1);
                if (end < 0) {
                    m_out += f.mid(i + 1);
                    i = f.size();
                } else {
                    m_out += f.mid(i + 1, end - i - 1);
                    i = end + 1;
                }
                continue;
            }
            case u'c':
                write(m_fs.ShortDateFormat, depth + 1);
                if (!m_m.midnight) {
                    m_out += QLatin1Char(' ');
                    write(m_fs.LongTimeFormat, depth + 1);
                }
                run = 1;
                break;
            case u'd':
                switch (std::min<qsizetype>(run, 6)) {
                case 1: m_out += QString::number(m_m.day); break;
                case 2: m_out += number(m_m.day, 2); break;
                case 3: m_out += nameAt(m_fs.ShortDayNames, m_m.dayOfWeek); break;
                case 4: m_out += nameAt(m_fs.LongDayNames, m_m.dayOfWeek); break;
                case 5: write(m_fs.ShortDateFormat, depth + 1); break;
                default: write(m_fs.LongDateFormat, depth + 1); break;
                }
                break;
            case u'm':
                if (lastLetter == QLatin1Char('h') && run <= 2) {
                    // Directly after an hour, "m" and "mm" are the minutes.
                    m_out += run == 1 ? QString::number(m_m.minute) : number(m_m.minute, 2);
                    break;
                }
                switch (std::min<qsizetype>(run, 4)) {
                case 1: m_out += QString::number(m_m.month); break;
                case 2: m_out += number(m_m.month, 2); break;
                case 3: m_out += nameAt(m_fs.ShortMonthNames, m_m.month); break;
                default: m_out += nameAt(m_fs.LongMonthNames, m_m.month); break;
                }
                break;
            case u'y':
                m_out += run <= 2 ? number(m_m.year % 100, 2) : number(m_m.year, 4);
                break;
            case u'h': {
                int h = m_m.hour;
                if (twelve) {
                    h %= 12;
                    if (h == 0)
                        h = 12;
                }
                m_out += run == 1 ? QString::number(h) : number(h, 2);
                break;
            }
            case u'n':
                m_out += run == 1 ? QString::number(m_m.minute) : number(m_m.minute, 2);
                break;
            case u's':
                m_out += run == 1 ? QString::number(m_m.second) : number(m_m.second, 2);
                break;
            case u'z':
                m_out += run == 1 ? QString::number(m_m.msec) : number(m_m.msec, 3);
                break;
            case u't':
                write(run == 1 ? m_fs.ShortTimeFormat : m_fs.LongTimeFormat, depth + 1);
                break;
            case u'a':
                run = amPm(f, i);
                break;
            case u'/':
                m_out += m_fs.DateSeparator;
                run = 1;
                break;
            case u':':
                m_out += m_fs.TimeSeparator;
                run = 1;
                break;
            default:
                m_out += f.mid(i, run);
                break;
            }
            if (!letter.isNull())
                lastLetter = letter;
            i += run;
        }
    }

    QString result() const { return m_out; }

private:
    // Writes the marker that starts at i; returns the characters used.
    qsizetype amPm(const QString &f, qsizetype i)
    {
        const bool pm = m_m.hour >= 12;
        if (startsWithCI(f, i, QLatin1String("am/pm"))) {
            // The marker keeps the letter case it is written in.
            m_out += pm ? f.mid(i + 3, 2) : f.mid(i, 2);
            return 5;
        }
        if (startsWithCI(f, i, QLatin1String("a/p"))) {
            m_out += pm ? f.mid(i + 2, 1) : f.mid(i, 1);
            return 3;
        }
        if (startsWithCI(f, i, QLatin1String("ampm"))) {
            m_out += pm ? m_fs.TimePMString : m_fs.TimeAMString;
            return 4;
        }
        m_out += f[i];
        return 1;
    }

    const Moment &m_m;
    const TFormatSettings &m_fs;
    QString m_out;
};

} // namespace

QString FormatDateTime(const QString &format, TDateTime value, const TFormatSettings &fs)
{
    const Moment m = decode(value);
    DateTimeWriter w(m, fs);
    w.write(format.isEmpty() ? QStringLiteral("c") : format, 0);
    return w.result();
}

QString DateToStr(TDateTime value, const TFormatSettings &fs)
{
    return FormatDateTime(QStringLiteral("ddddd"), value, fs);
}

QString TimeToStr(TDateTime value, const TFormatSettings &fs)
{
    return FormatDateTime(QStringLiteral("tt"), value, fs);
}

QString DateTimeToStr(TDateTime value, const TFormatSettings &fs)
{
    return FormatDateTime(QStringLiteral("c"), value, fs);
}

} // namespace zelmio
