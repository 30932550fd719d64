// "%" format strings: %[index:][-][width][.precision]type.
#include "platform/FloatText.h"
#include "platform/Formats.h"

#include <QMetaType>
#include <cmath>
#include <limits>
#include <optional>

namespace zelmio {

namespace {

bool isIntegerKind(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Char:
        return true;
    default:
        return false;
    }
}

bool isFloatKind(const QVariant &v)
{
    const int id = v.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

bool isTextKind(const QVariant &v)
{
    const int id = v.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QChar || id == QMetaType::QByteArray;
}

class Formatter {
public:
    Formatter(const QString &format, const std::vector<QVariant> &args, const TFormatSettings &fs)
        : m_format(format), m_args(args), m_fs(fs)
    {
    }

    QString run()
    {
        QString out;
        qsizetype i = 0;
        while (i < m_format.size()) {
            const QChar c = m_format[i];
            if (c != QLatin1Char('%')) {
                out += c;
                ++i;
                continue;
            }
            ++i;
            if (i < m_format.size() && m_format[i] == QLatin1Char('%')) {
                out += QLatin1Char('%');
                ++i;
                continue;
            }
            out += directive(i);
        }
        return out;
    }

private:
    [[noreturn]] void invalid() const
    {
        throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(m_format));
    }

    const QVariant &nextArg()
    {
        if (m_next >= m_args.size())
            throw EConvertError(QStringLiteral("No argument for format '%1'").arg(m_format));
        return m_args[m_next++];
    }

    // A number or "*" (taken from the arguments); nullopt when absent.
    std::optional<qint64> number(qsizetype &i)
    {
        if (i < m_format.size() && m_format[i] == QLatin1Char('*')) {
            ++i;
            const QVariant &v = nextArg();
            if (!isIntegerKind(v))
                invalid();
            return v.toLongLong();
        }
        qsizetype start = i;
        qint64 n = 0;
        while (i < m_format.size() && m_format[i] >= QLatin1Char('0') && m_format[i] <= QLatin1Char('9')) {
            n = n * 10 + (m_format[i].unicode() - u'0');
            if (n > 100000)
                invalid();
            ++i;
        }
        if (i == start)
            return std::nullopt;
        return n;
    }

    QString directive(qsizetype &i)
    {
        // The index comes first and is told apart from the width by its ':'.
        qsizetype save = i;
        std::optional<qint64> n = number(i);
        if (n && i < m_format.size() && m_format[i] == QLatin1Char(':')) {
            if (*n < 0 || size_t(*n) >= m_args.size())
                throw EConvertError(QStringLiteral("No argument for format '%1'").arg(m_format));
            m_next = size_t(*n);
            ++i;
        } else {
            // Not an index: read it again as the width (a "*" there takes no argument twice).
            if (n && i > save && m_format[save] == QLatin1Char('*'))
                --m_next;
            i = save;
        }
        bool left = false;
        if (i < m_format.size() && m_format[i] == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        qint64 width = number(i).value_or(0);
        if (width < 0) {
            left = true;
            width = -width;
        }
        std::optional<qint64> precision;
        if (i < m_format.size() && m_format[i] == QLatin1Char('.')) {
            ++i;
            precision = number(i).value_or(0);
            if (*precision < 0)
                precision.reset();
        }
        if (i >= m_format.size())
            invalid();
        const QChar type = m_format[i++].toLower();
        QString text = convert(type, precision);
        if (text.size() < width) {
            const QString pad(int(width - text.size()), QLatin1Char(' '));
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    qint64 integerArg(const QVariant &v) const
    {
        if (!isIntegerKind(v))
            invalid();
        return v.toLongLong();
    }

    double floatArg(const QVariant &v) const
    {
        // Integers are accepted where a float is asked for; texts are not.
        if (isFloatKind(v))
            return v.toDouble();
        if (isIntegerKind(v))
            return v.metaType().id() == QMetaType::ULongLong ? double(v.toULongLong()) : double(v.toLongLong());
        invalid();
    }

    static QString hexText(const QVariant &v, qint64 value)
    {
        quint64 bits = quint64(value);
        const int id = v.metaType().id();
        if (id == QMetaType::ULongLong || id == QMetaType::ULong)
            bits = v.toULongLong();
        else if (value < 0 && value >= std::numeric_limits<qint32>::min())
            bits = quint32(qint32(value));   // 32-bit pattern, as for a 32-bit integer
        return QString::number(bits, 16).toUpper();
    }

    QString convert(QChar type, const std::optional<qint64> &precision)
    {
        const QVariant &arg = nextArg();
        const int prec = precision ? int(std::min<qint64>(*precision, 1000)) : -1;
        switch (type.unicode()) {
        case u'd': {
            if (arg.metaType().id() == QMetaType::ULongLong || arg.metaType().id() == QMetaType::ULong)
                return QString::number(arg.toULongLong()).rightJustified(std::max(prec, 0), QLatin1Char('0'));
            const qint64 v = integerArg(arg);
            QString digits = QString::number(v < 0 ? -(quint64(v)) : quint64(v));
            digits = digits.rightJustified(std::max(prec, 0), QLatin1Char('0'));
            return v < 0 ? QLatin1Char('-') + digits : digits;
        }
        case u'u': {
            const qint64 v = integerArg(arg);
            quint64 u = quint64(v);
            if (v < 0 && v >= std::numeric_limits<qint32>::min())
                u = quint32(qint32(v));
            if (arg.metaType().id() == QMetaType::ULongLong || arg.metaType().id() == QMetaType::ULong)
                u = arg.toULongLong();
            return QString::number(u).rightJustified(std::max(prec, 0), QLatin1Char('0'));
        }
        case u'x': {
            const qint64 v = integerArg(arg);
            return hexText(arg, v).rightJustified(std::max(prec, 0), QLatin1Char('0'));
        }
        case u'p': {
            const qint64 v = integerArg(arg);
            return hexText(arg, v).rightJustified(int(sizeof(void *) * 2), QLatin1Char('0'));
        }
        case u'e':
            return ExponentFloatText(floatArg(arg), prec < 0 ? 15 : prec, 3, m_fs);
        case u'f':
            return FixedFloatText(floatArg(arg), prec < 0 ? 2 : std::min(prec, 18), false, m_fs);
        case u'n':
            return FixedFloatText(floatArg(arg), prec < 0 ? 2 : std::min(prec, 18), true, m_fs);
        case u'g':
            return FloatToStrGeneral(floatArg(arg), prec < 0 ? 15 : prec, 0, m_fs);
        case u'm':
            return moneyText(floatArg(arg), prec < 0 ? m_fs.CurrencyDecimals : std::min(prec, 18));
        case u's': {
            if (!isTextKind(arg))
                invalid();
            QString s = arg.metaType().id() == QMetaType::QByteArray ? QString::fromUtf8(arg.toByteArray())
                                                                       : arg.toString();
            if (prec >= 0 && s.size() > prec)
                s.truncate(prec);
            return s;
        }
        default:
            invalid();
        }
    }

    QString moneyText(double value, int decimals) const
    {
        if (!std::isfinite(value))
            return NonFiniteText(value);
        QString amount = FixedFloatText(value, decimals, true, m_fs);
        const bool negative = amount.startsWith(QLatin1Char('-'));
        if (negative)
            amount.remove(0, 1);
        const QString &c = m_fs.CurrencyString;
        if (!negative) {
            switch (m_fs.CurrencyFormat) {
            case 1: return amount + c;
            case 2: return c + QLatin1Char(' ') + amount;
            case 3: return amount + QLatin1Char(' ') + c;
            default: return c + amount;
            }
        }
        switch (m_fs.NegCurrFormat) {
        case 1: return QLatin1Char('-') + c + amount;
        case 2: return c + QLatin1Char('-') + amount;
        case 3: return c + amount + QLatin1Char('-');
        case 4: return QLatin1Char('(') + amount + c + QLatin1Char(')');
        case 5: return QLatin1Char('-') + amount + c;
        case 6: return amount + QLatin1Char('-') + c;
        case 7: return amount + c + QLatin1Char('-');
        case 8: return QLatin1Char('-') + amount + QLatin1Char(' ') + c;
        case 9: return QLatin1Char('-') + c + QLatin1Char(' ') + amount;
        case 10: return amount + QLatin1Char(' ') + c + QLatin1Char('-');
        case 11: return c + QLatin1Char(' ') + amount + QLatin1Char('-');
        case 12: return c + QLatin1Char(' ') + QLatin1Char('-') + amount;
        case 13: return amount + QLatin1Char('-') + QLatin1Char(' ') + c;
        case 14: return QLatin1String("(") + c + QLatin1Char(' ') + amount + QLatin1Char(')');
        case 15: return QLatin1Char('(') + amount + QLatin1Char(' ') + c + QLatin1Char(')');
        default: return QLatin1Char('(') + c + amount + QLatin1Char(')');
        }
    }

    const QString &m_format;
    const std::vector<QVariant> &m_args;
    const TFormatSettings &m_fs;
    size_t m_next = 0;
};

} // namespace

QString FormatString(const QString &format, const std::vector<QVariant> &args, const TFormatSettings &fs)
{
    return Formatter(format, args, fs).run();
}

} // namespace zelmio
