#include "designer/LabelFormats.h"

#include <QLocale>

#include <cmath>

namespace zelmio {

QStringList LabelFormatLines()
{
    // Windows-1252 and Latin-1 agree on every letter the table uses.
    const QString text = QString::fromLatin1(LabelFormatsResource());
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList LabelManufacturers()
{
    QStringList names;
    for (const QString &line : LabelFormatLines()) {
        if (!line.contains(QLatin1Char(';')))
            names << line;
    }
    return names;
}

QStringList LabelFormatLinesOf(const QString &manufacturer)
{
    QStringList result;
    bool inside = false;
    for (const QString &line : LabelFormatLines()) {
        if (!line.contains(QLatin1Char(';'))) {
            if (inside)
                break;
            inside = line.compare(manufacturer, Qt::CaseInsensitive) == 0;
        } else if (inside) {
            result << line;
        }
    }
    return result;
}

namespace {

// A number with a decimal comma; a point is no separator here.
bool ToDouble(const QString &text, double &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char('.')))
        return false;
    bool ok = false;
    value = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::isfinite(value);
}

bool ToInt(const QString &text, int &value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

void LabelPaperFromCode(const QString &code, LabelFormatRec &rec)
{
    QString c = code.trimmed().toUpper().left(20);
    if (c == QLatin1String("0"))
        c = QStringLiteral("A4");
    rec.Landscape = false;
    rec.PageWidth = 0;
    rec.PageHeight = 0;
    rec.Papersize = TVxPaperSize::Default;
    if (c.isEmpty())
        return;
    const bool landscape = c.endsWith(QLatin1Char('Q'));
    const QString base = landscape ? c.left(c.size() - 1) : c;
    if (base == QLatin1String("A4"))
        rec.Papersize = TVxPaperSize::A4;
    else if (base == QLatin1String("L"))
        rec.Papersize = TVxPaperSize::Letter;
    else if (base == QLatin1String("A5"))
        rec.Papersize = TVxPaperSize::A5;
    else if (base == QLatin1String("B5"))
        rec.Papersize = TVxPaperSize::B5;
    else if (base == QLatin1String("B4 JIS"))
        rec.Papersize = TVxPaperSize::B4;
    else if (base == QLatin1String("P")) {
        rec.Papersize = TVxPaperSize::Custom;
        rec.PageWidth = 10.0;
        rec.PageHeight = 14.8;
    } else if (base == QLatin1String("M")) {
        rec.Papersize = TVxPaperSize::Custom;
        rec.PageWidth = 10.48;
        rec.PageHeight = 12.7;
    } else {
        return;
    }
    rec.Landscape = landscape;
}

bool GetLabelValues(const QString &line, LabelFormatRec &rec)
{
    const QStringList f = line.split(QLatin1Char(';'));
    if (f.size() < 10)
        return false;
    LabelFormatRec r;
    r.Name = f[0].trimmed();
    r.Name.replace(QLatin1Char('_'), QLatin1Char(' '));
    if (r.Name.isEmpty())
        return false;
    if (!ToDouble(f[1], r.TopMargin) || !ToDouble(f[2], r.LeftMargin) || !ToDouble(f[3], r.Width)
        || !ToDouble(f[4], r.Height) || !ToInt(f[5], r.Columns) || !ToInt(f[6], r.Rows))
        return false;
    // A sheet without labels, or labels without size, would build an empty
    // or endless report.
    if (r.Columns < 1 || r.Rows < 1 || r.Width <= 0 || r.Height <= 0)
        return false;
    if (f[7].trimmed().isEmpty())
        r.VDistance = r.Height;
    else if (!ToDouble(f[7], r.VDistance))
        return false;
    if (f[8].trimmed().isEmpty())
        r.HDistance = r.Width;
    else if (!ToDouble(f[8], r.HDistance))
        return false;
    LabelPaperFromCode(f[9], r);
    rec = r;
    return true;
}

QString LabelFormatCaption(const LabelFormatRec &rec)
{
    auto two = [](double v) { return QLocale().toString(std::round(v * 100) / 100, 'g', 12); };
    return rec.Name + QStringLiteral(" (") + two(rec.Width) + QStringLiteral(" x ") + two(rec.Height)
        + QLatin1Char(')');
}

} // namespace zelmio
