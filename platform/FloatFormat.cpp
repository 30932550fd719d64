// Float masks, general float texts and number parsing.
#include "platform/FloatDecimal.h"
#include "platform/FloatText.h"
#include "platform/Formats.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <cmath>
#include <limits>

namespace zelmio {

EConvertError::EConvertError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString NonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    return {};
}

namespace {

// Appends integral digits, with the thousand separator between groups of three.
void appendGrouped(QString &out, const std::string &digits, bool thousands, QChar separator)
{
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        out += QLatin1Char(digits[size_t(i)]);
        const int fromRight = n - 1 - i;
        if (thousands && fromRight > 0 && fromRight % 3 == 0)
            out += separator;
    }
}

} // namespace

QString FixedFloatText(double value, int decimals, bool thousands, const TFormatSettings &fs)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    TFloatDecimal d = TFloatDecimal::fromDouble(value);
    d.roundToDecimals(decimals);
    QString out;
    if (d.negative && !d.isZero())
        out += QLatin1Char('-');
    std::string whole = d.integerDigits();
    if (whole.empty())
        whole.assign(1, '0');
    appendGrouped(out, whole, thousands, fs.ThousandSeparator);
    if (decimals > 0) {
        out += fs.DecimalSeparator;
        out += QString::fromLatin1(d.fractionDigits(decimals));
    }
    return out;
}

QString ExponentFloatText(double value, int precision, int expDigits, const TFormatSettings &fs)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    precision = std::clamp(precision, 1, 18);
    TFloatDecimal d = TFloatDecimal::fromDouble(value);
    d.roundToSignificant(precision);
    QString out;
    if (d.negative && !d.isZero())
        out += QLatin1Char('-');
    std::string digits = d.digits;
    digits.resize(size_t(precision), '0');
    out += QLatin1Char(digits[0]);
    if (precision > 1) {
        out += fs.DecimalSeparator;
        out += QString::fromLatin1(digits.substr(1));
    }
    const int exp = d.isZero() ? 0 : d.exponent - 1;
    out += QLatin1Char('E');
    out += exp < 0 ? QLatin1Char('-') : QLatin1Char('+');
    out += QString::number(std::abs(exp)).rightJustified(expDigits, QLatin1Char('0'));
    return out;
}

// --- General rendering ----------------------------------------------------------

QString FloatToStrGeneral(double value, int precision, int digits, const TFormatSettings &fs)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 4);
    TFloatDecimal d = TFloatDecimal::fromDouble(value);
    d.roundToSignificant(precision);
    if (d.isZero())
        return QStringLiteral("0");

    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    // Fixed notation while the integral digits fit the precision and the
    // value is not below 0.00001.
    if (d.exponent >= -3 && d.exponent <= precision) {
        std::string whole = d.integerDigits();
        out += whole.empty() ? QStringLiteral("0") : QString::fromLatin1(whole);
        const int fracCount = int(d.digits.size()) - d.exponent;
        if (fracCount > 0) {
            out += fs.DecimalSeparator;
            out += QString::fromLatin1(d.fractionDigits(fracCount));
        }
        return out;
    }
    out += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1) {
        out += fs.DecimalSeparator;
        out += QString::fromLatin1(d.digits.substr(1));
    }
    const int exp = d.exponent - 1;
    out += QLatin1Char('E');
    if (exp < 0)
        out += QLatin1Char('-');
    out += QString::number(std::abs(exp)).rightJustified(digits, QLatin1Char('0'));
    return out;
}

QString FloatToStr(double value, const TFormatSettings &fs)
{
    return FloatToStrGeneral(value, 15, 0, fs);
}

// --- Masks ------------------------------------------------------------------------

namespace {

// What one section of a mask asks for; found by a first pass over its text.
struct MaskLayout {
    int intPlaces = 0;      // '0' and '#' before the decimal point
    int minInt = 0;         // integral digits always printed
    int decPlaces = 0;      // placeholders after the decimal point
    int minDec = 0;         // decimals always printed (up to the last '0')
    bool thousands = false;
    bool scientific = false;
};

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

// Position just after the quoted run that starts at i (an unclosed quote runs to the end).
qsizetype skipQuoted(const QString &s, qsizetype i)
{
    const QChar q = s[i];
    qsizetype j = i + 1;
    while (j < s.size() && s[j] != q)
        ++j;
    return j < s.size() ? j + 1 : j;
}

bool isExponentAt(const QString &s, qsizetype i)
{
    return (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e')) && i + 1 < s.size()
        && (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'));
}

QStringList splitSections(const QString &mask)
{
    QStringList sections;
    QString current;
    for (qsizetype i = 0; i < mask.size();) {
        if (isQuote(mask[i])) {
            const qsizetype end = skipQuoted(mask, i);
            current += mask.mid(i, end - i);
            i = end;
        } else if (mask[i] == QLatin1Char(';')) {
            sections << current;
            current.clear();
            ++i;
        } else {
            current += mask[i++];
        }
    }
    sections << current;
    return sections;
}

MaskLayout analyse(const QString &section)
{
    MaskLayout l;
    bool point = false;
    int firstIntZero = -1;
    for (qsizetype i = 0; i < section.size();) {
        const QChar c = section[i];
        if (isQuote(c)) {
            i = skipQuoted(section, i);
            continue;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!point) {
                if (c == QLatin1Char('0') && firstIntZero < 0)
                    firstIntZero = l.intPlaces;
                ++l.intPlaces;
            } else {
                ++l.decPlaces;
                if (c == QLatin1Char('0'))
                    l.minDec = l.decPlaces;
            }
        } else if (c == QLatin1Char('.')) {
            point = true;
        } else if (c == QLatin1Char(',')) {
            if (l.intPlaces > 0 && !point)
                l.thousands = true;
        } else if (isExponentAt(section, i)) {
            l.scientific = true;
            break;   // digits after the exponent mark belong to the exponent
        }
        ++i;
    }
    l.minInt = firstIntZero < 0 ? 0 : l.intPlaces - firstIntZero;
    return l;
}

// Rounds the value as the section shows it; true when the result is zero.
TFloatDecimal roundForLayout(double value, const MaskLayout &l)
{
    TFloatDecimal d = TFloatDecimal::fromDouble(value);
    if (l.scientific)
        d.roundToSignificant(std::max(1, l.intPlaces + l.decPlaces));
    else
        d.roundToDecimals(l.decPlaces);
    return d;
}

QString applySection(const QString &section, const MaskLayout &l, const TFloatDecimal &d,
                     const TFormatSettings &fs)
{
    std::string intDigits;
    std::string fracDigits;
    int exp10 = 0;
    if (l.scientific) {
        if (!d.isZero()) {
            intDigits = d.digits.substr(0, std::min<size_t>(d.digits.size(), size_t(l.intPlaces)));
            intDigits.resize(size_t(l.intPlaces), '0');
            exp10 = d.exponent - l.intPlaces;
            fracDigits = d.digits.size() > size_t(l.intPlaces) ? d.digits.substr(size_t(l.intPlaces)) : std::string();
            fracDigits.resize(size_t(l.decPlaces), '0');
        } else {
            fracDigits.assign(size_t(l.decPlaces), '0');
        }
    } else {
        intDigits = d.integerDigits();
        fracDigits = d.fractionDigits(l.decPlaces);
    }
    // Optional decimals ('#') drop their trailing zeros.
    while (int(fracDigits.size()) > l.minDec && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();

    QString out;
    const int len = int(intDigits.size());
    int intSeen = 0;
    int decSeen = 0;
    bool point = false;
    bool anyDigit = false;
    auto separatorAfter = [&](int fromRight) {
        if (l.thousands && fromRight > 0 && fromRight % 3 == 0 && anyDigit)
            out += fs.ThousandSeparator;
    };
    for (qsizetype i = 0; i < section.size();) {
        const QChar c = section[i];
        if (isQuote(c)) {
            const qsizetype end = skipQuoted(section, i);
            const bool closed = end - 1 > i && section[end - 1] == c;
            out += section.mid(i + 1, (closed ? end - 1 : end) - i - 1);
            i = end;
            continue;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!point) {
                if (intSeen == 0) {
                    // Digits beyond the placeholders go in front of the first one.
                    for (int k = 0; k < len - l.intPlaces; ++k) {
                        out += QLatin1Char(intDigits[size_t(k)]);
                        anyDigit = true;
                        separatorAfter(len - 1 - k);
                    }
                }
                const int fromRight = l.intPlaces - 1 - intSeen;
                if (fromRight < len) {
                    out += QLatin1Char(intDigits[size_t(len - 1 - fromRight)]);
                    anyDigit = true;
                } else if (fromRight < l.minInt) {
                    out += QLatin1Char('0');
                    anyDigit = true;
                }
                separatorAfter(fromRight);
                ++intSeen;
            } else {
                if (decSeen < int(fracDigits.size()))
                    out += QLatin1Char(fracDigits[size_t(decSeen)]);
                ++decSeen;
            }
            ++i;
            continue;
        }
        if (c == QLatin1Char('.')) {
            if (!point && l.intPlaces == 0) {
                // No integral placeholders: the integral digits still show.
                for (int k = 0; k < len; ++k) {
                    out += QLatin1Char(intDigits[size_t(k)]);
                    anyDigit = true;
                    separatorAfter(len - 1 - k);
                }
            }
            if (!point && !fracDigits.empty())
                out += fs.DecimalSeparator;
            point = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char(',')) {
            ++i;
            continue;
        }
        if (l.scientific && isExponentAt(section, i)) {
            out += c;
            const bool alwaysSign = section[i + 1] == QLatin1Char('+');
            if (exp10 < 0)
                out += QLatin1Char('-');
            else if (alwaysSign)
                out += QLatin1Char('+');
            i += 2;
            int expDigits = 0;
            while (i < section.size() && section[i] == QLatin1Char('0')) {
                ++expDigits;
                ++i;
            }
            out += QString::number(std::abs(exp10)).rightJustified(std::min(expDigits, 4), QLatin1Char('0'));
            // Placeholders after the exponent have no digits left to show.
            while (i < section.size() && (section[i] == QLatin1Char('0') || section[i] == QLatin1Char('#')))
                ++i;
            point = true;
            decSeen = int(fracDigits.size());
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace

QString FormatFloat(const QString &mask, double value, const TFormatSettings &fs)
{
    if (mask.isEmpty())
        return FloatToStr(value, fs);
    if (!std::isfinite(value))
        return NonFiniteText(value);

    const QStringList sections = splitSections(mask);
    const bool hasNegative = sections.size() > 1 && !sections[1].isEmpty();
    const bool hasZero = sections.size() > 2 && !sections[2].isEmpty();

    const bool negative = value < 0;
    const QString &chosen = negative && hasNegative ? sections[1] : sections[0];
    const MaskLayout layout = analyse(chosen);
    const TFloatDecimal d = roundForLayout(value, layout);

    if (d.isZero()) {
        // Zero, or a value that shows as zero: the zero section, else the
        // positive one without a sign.
        if (hasZero) {
            const MaskLayout zl = analyse(sections[2]);
            return applySection(sections[2], zl, TFloatDecimal(), fs);
        }
        const MaskLayout pl = analyse(sections[0]);
        return applySection(sections[0], pl, TFloatDecimal(), fs);
    }
    QString text = applySection(chosen, layout, d, fs);
    if (negative && !hasNegative)
        text.prepend(QLatin1Char('-'));
    return text;
}

// --- Parsing ----------------------------------------------------------------------

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x00A0);
}

QString trimBlanks(const QString &text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

} // namespace

bool TryStrToFloat(const QString &text, double &value, const TFormatSettings &fs)
{
    const QString t = trimBlanks(text);
    // Rebuild the number in the C form: [sign] digits [. digits] [e [sign] digits].
    std::string c;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        if (t[i] == QLatin1Char('-'))
            c.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        c.push_back(char(t[i].unicode()));
        ++mantissaDigits;
        ++i;
    }
    if (i < t.size() && t[i] == fs.DecimalSeparator) {
        c.push_back('.');
        ++i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            c.push_back(char(t[i].unicode()));
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        c.push_back('e');
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            c.push_back(char(t[i++].unicode()));
        int expDigits = 0;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            c.push_back(char(t[i].unicode()));
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != t.size())
        return false;
    double v = 0;
    const auto res = std::from_chars(c.data(), c.data() + c.size(), v);
    if (res.ec != std::errc() || res.ptr != c.data() + c.size()) {
        // Underflow gives zero; overflow is an error. The two are told apart
        // by the decimal magnitude: where the first significant digit stands
        // relative to the point, moved by the exponent (a plain 400-digit
        // number overflows as surely as 1e400 does).
        if (res.ec != std::errc::result_out_of_range)
            return false;
        const std::size_t ePos = c.find('e');
        const std::string mantissa = c.substr(0, ePos);
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        const std::size_t first = mantissa.find_first_of("123456789");
        if (first == std::string::npos)
            return false;
        long long magnitude = first < point ? (long long)(point - first) : -(long long)(first - point - 1);
        if (ePos != std::string::npos) {
            long long exponent = 0;
            bool negative = false;
            for (std::size_t k = ePos + 1; k < c.size(); ++k) {
                if (c[k] == '-')
                    negative = true;
                else if (c[k] >= '0' && c[k] <= '9')
                    exponent = std::min<long long>(exponent * 10 + (c[k] - '0'), 1000000000LL);
            }
            magnitude += negative ? -exponent : exponent;
        }
        if (magnitude > 0)
            return false;
        value = 0.0;
        return true;
    }
    value = v;
    return true;
}

double StrToFloat(const QString &text, const TFormatSettings &fs)
{
    double v = 0;
    if (!TryStrToFloat(text, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

bool TryStrToInt(const QString &text, int &value)
{
    const QString t = trimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == QLatin1Char('0')
               && (t[i + 1] == QLatin1Char('x') || t[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return false;
    quint64 acc = 0;
    for (; i < t.size(); ++i) {
        const char16_t u = t[i].unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (base == 16 && u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return false;
        acc = acc * quint64(base) + quint64(digit);
        if (acc > 0xFFFFFFFFull)
            return false;
    }
    qint64 v = 0;
    if (base == 16) {
        // Hexadecimal texts give the 32-bit pattern: $FFFFFFFF is -1.
        v = qint64(qint32(quint32(acc)));
        if (negative)
            v = -v;
    } else {
        v = negative ? -qint64(acc) : qint64(acc);
    }
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = int(v);
    return true;
}

int StrToInt(const QString &text)
{
    int v = 0;
    if (!TryStrToInt(text, v))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace zelmio
