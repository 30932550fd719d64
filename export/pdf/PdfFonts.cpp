#include "export/pdf/PdfFonts.h"

#include "export/pdf/GlyphNames.h"
#include "export/pdf/PdfFontTables.h"
#include "model/VxFont.h"
#include "platform/CodePage.h"

#include <QFont>
#include <QRawFont>
#include <QVector>
#include <cmath>

namespace zelmio {

namespace {

const QChar kTab = QLatin1Char('\t');

quint16 BigEndian16(const QByteArray &data, int offset)
{
    if (offset < 0 || offset + 2 > data.size())
        return 0;
    return quint16((quint8(data[offset]) << 8) | quint8(data[offset + 1]));
}

qint32 BigEndian32(const QByteArray &data, int offset)
{
    if (offset < 0 || offset + 4 > data.size())
        return 0;
    return qint32((quint32(quint8(data[offset])) << 24) | (quint32(quint8(data[offset + 1])) << 16)
                  | (quint32(quint8(data[offset + 2])) << 8) | quint32(quint8(data[offset + 3])));
}

int Scaled(int designUnits, int unitsPerEm)
{
    return unitsPerEm > 0 ? int(std::lround(designUnits * 1024.0 / unitsPerEm)) : designUnits;
}

const TCodePage &CodePageOrWestern(int charset)
{
    const TCodePage *cp = TCodePage::find(CodePageOfCharset(charset));
    if (!cp)
        cp = TCodePage::find(1252);
    return *cp;
}

} // namespace

TPdfFontKey TPdfFontKey::FromFont(const TVxFont &font)
{
    return Make(font.Name(), font.Style().testFlag(TFontStyle::fsBold), font.Style().testFlag(TFontStyle::fsItalic),
                int(font.Charset()));
}

TPdfFontKey TPdfFontKey::Make(const QString &name, bool bold, bool italic, int charset)
{
    TPdfFontKey key;
    key.Name = name.trimmed();
    key.Bold = bold;
    key.Italic = italic;
    key.Charset = charset;
    key.PSName = key.Name;
    key.PSName.remove(QLatin1Char(' '));
    if (key.Bold || key.Italic) {
        key.PSName += QLatin1Char(',');
        if (key.Bold)
            key.PSName += QLatin1String("Bold");
        if (key.Italic)
            key.PSName += QLatin1String("Italic");
    }
    return key;
}

TPdfFontKey TPdfFontKey::Parse(const QString &text)
{
    const QStringList fields = text.split(kTab);
    TPdfFontKey key;
    key.Name = fields.value(0);
    key.Bold = fields.value(1).contains(QLatin1Char('B'));
    key.Italic = fields.value(1).contains(QLatin1Char('I'));
    key.Charset = fields.value(2).toInt();
    key.PSName = fields.value(3);
    return key;
}

QString TPdfFontKey::Text() const
{
    QString style;
    if (Bold)
        style += QLatin1Char('B');
    if (Italic)
        style += QLatin1Char('I');
    return Name + kTab + style + kTab + QString::number(Charset) + kTab + PSName;
}

QRawFont SelectRawFont(const TPdfFontKey &key)
{
    // The font as a canvas selects it, with an em of 1024 units.
    QFont qfont(key.Name);
    qfont.setBold(key.Bold);
    qfont.setItalic(key.Italic);
    qfont.setPixelSize(1024);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setStyleStrategy(QFont::NoFontMerging);
    return QRawFont::fromFont(qfont);
}

TTFontrec ReadTrueTypeFont(const TPdfFontKey &key, const QString &customWidths)
{
    const QRawFont raw = SelectRawFont(key);
    const QString quotedName = QLatin1Char('"') + key.Name + QLatin1Char('"');
    if (!raw.isValid())
        throw EVxError(QStringLiteral("GetFontData error: no font file found for %1").arg(quotedName));
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray os2 = raw.fontTable("OS/2");
    if (head.size() < 54 || hhea.size() < 36)
        throw EVxError(QStringLiteral("GetFontData error: the font file of %1 (%2) has no TrueType head or "
                                      "hhea table")
                           .arg(quotedName, raw.familyName()));

    TTFontrec rec;
    const int unitsPerEm = BigEndian16(head, 18);
    // Outline metrics: typographic ascent and descent, italic angle in
    // tenths of a degree (from the post table's 16.16 value).
    if (os2.size() >= 72) {
        rec.Ascent = qint16(Scaled(qint16(BigEndian16(os2, 68)), unitsPerEm));
        rec.Descent = qint16(Scaled(qint16(BigEndian16(os2, 70)), unitsPerEm));
    } else {
        rec.Ascent = qint16(std::lround(raw.ascent()));
        rec.Descent = qint16(-std::lround(raw.descent()));
    }
    const QByteArray post = raw.fontTable("post");
    rec.ItalicA = int(std::lround(BigEndian32(post, 4) / 65536.0 * 10.0));

    rec.FirstChar = 0;
    rec.LastChar = 255;
    if (!customWidths.isEmpty()) {
        const QStringList widths = customWidths.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (widths.size() < 256)
            throw ERangeError(QStringLiteral("Not enough Custom widths (%1 < 256) for font \"%2\"  ")
                                  .arg(widths.size())
                                  .arg(key.Text()));
        for (int i = 0; i < 256; ++i)
            rec.Metrics[size_t(i)] = widths[i].toInt();
    } else {
        // The advance of every code of the character set's code page; a code
        // the font has no glyph for gets the missing glyph's advance.
        const TCodePage &cp = CodePageOrWestern(key.Charset);
        QVector<quint32> glyphs(256, 0);
        for (int code = 0; code < 256; ++code) {
            const QString ch(QChar(cp.toUnicode(static_cast<unsigned char>(code))));
            const QVector<quint32> found = raw.glyphIndexesForString(ch);
            glyphs[code] = found.isEmpty() ? 0 : found.first();
        }
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        if (advances.size() != 256)
            throw ERangeError(QStringLiteral("Font widths for %1 not obtainable (%2)")
                                  .arg(quotedName, QStringLiteral("no advance widths in %1").arg(raw.familyName())));
        for (int code = 0; code < 256; ++code)
            rec.Metrics[size_t(code)] = int(std::lround(advances[code].x()));
    }

    const int familyClass = os2.size() > 31 ? quint8(os2[30]) : 0;
    switch (familyClass) {
    case 0:
    case 12:
        rec.Flags = 4;
        break;
    case 8:
        rec.Flags = 32;
        break;
    case 10:
        rec.Flags = 40;
        break;
    default:
        rec.Flags = 34;
        break;
    }
    for (int i = 0; i < 4; ++i)
        rec.BBox[size_t(i)] = qint16(BigEndian16(head, 36 + 2 * i));
    return rec;
}

QString TrueTypeEncoding(int charset, int firstChar, const QString &customDifferences)
{
    const QString start = QStringLiteral(" <</Type/Encoding /Differences [ ");
    if (!customDifferences.isEmpty())
        return start + customDifferences + QStringLiteral(" ]>>");
    const TCodePage &cp = CodePageOrWestern(charset);
    QString s = start + QString::number(firstChar + 2) + QLatin1Char(' ');
    for (int code = 2; code <= 255; ++code) {
        QByteArray name = GlyphName(cp.toUnicode(static_cast<unsigned char>(code)));
        if (name.isEmpty())
            name = "space";
        s += QLatin1Char('/') + QString::fromLatin1(name);
    }
    return s + QStringLiteral("]>>");
}

QString FontResourceName(int index)
{
    return QString::asprintf("F%-2.2d", index);
}

QStringList TrueTypeFontObjects(int m, int j, const TTFontrec &font, const QString &psName, const QString &encoding,
                                const TFontEmbedding *embedding)
{
    QString widths;
    for (int w : font.Metrics)
        widths += QString::asprintf("%-d ", w);
    widths += QStringLiteral(" ]");
    QStringList lines{QString::asprintf("%d 0 obj", m),
            QStringLiteral("<<"),
            QStringLiteral("/Type /Font"),
            QStringLiteral("/Subtype /TrueType"),
            QStringLiteral("/Name /") + FontResourceName(j),
            QStringLiteral("/BaseFont /") + (embedding ? embedding->SubsetTag + QLatin1Char('+') : QString()) + psName,
            QStringLiteral("/FirstChar ") + QString::number(font.FirstChar),
            QStringLiteral("/LastChar ") + QString::number(font.LastChar),
            QStringLiteral("/Widths [ "),
            widths,
            QStringLiteral("/Encoding ") + encoding,
            QStringLiteral("/FontDescriptor %1 0 R").arg(m + 1)};
    if (embedding)
        lines << QStringLiteral("/ToUnicode %1 0 R").arg(embedding->ToUnicodeObject);
    lines << QStringList{QStringLiteral(">>"),
            QStringLiteral("endobj"),
            QString::asprintf("%d 0 obj", m + 1),
            QStringLiteral("<<"),
            QStringLiteral("/Type /FontDescriptor"),
            QStringLiteral("/Ascent ") + QString::number(font.Ascent),
            QStringLiteral("/Descent ") + QString::number(font.Descent),
            QStringLiteral("/Flags ") + QString::number(font.Flags),
            QString::asprintf("/FontBBox [ %-d %-d %-d %-d ]", font.BBox[0], font.BBox[1], font.BBox[2], font.BBox[3]),
            QStringLiteral("/FontName /") + FontResourceName(j),
            QStringLiteral("/ItalicAngle ") + QString::number(font.ItalicA)};
    if (embedding)
        lines << QStringLiteral("/FontFile2 %1 0 R").arg(m + 2);
    lines << QStringLiteral(">>") << QStringLiteral("endobj");
    return lines;
}

QString SubstitutedBaseFont(const TPdfFontKey &key, const QStringList &rules)
{
    QString family = QStringLiteral("Courier");
    const QString name = key.Name.toLower();
    for (const QString &rule : rules) {
        if (!rule.toLower().startsWith(name))
            continue;
        QString target = rule.section(QLatin1Char(':'), 1);
        if (target.isEmpty())
            target = QStringLiteral("Courier");
        const QString wanted = target.section(QLatin1Char('-'), 0, 0);
        family = QStringLiteral("Courier");
        for (const char *known : {"Courier", "Helvetica", "Times", "Symbol", "ZapfDingbats"}) {
            if (wanted.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                family = QLatin1String(known);
        }
        break;
    }
    const bool oblique = family == QLatin1String("Helvetica") || family == QLatin1String("Courier");
    QString base = family;
    if (key.Bold || key.Italic)
        base += QLatin1Char('-');
    if (key.Bold)
        base += QLatin1String("Bold");
    if (key.Italic)
        base += oblique ? QLatin1String("Oblique") : QLatin1String("Italic");
    return base;
}

QStringList Type1FontObject(int m, int j, const QString &baseFont)
{
    return {QString::asprintf("%d 0 obj", m),
            QStringLiteral("<<"),
            QStringLiteral("/Type /Font"),
            QStringLiteral("/Subtype /Type1"),
            QStringLiteral("/Name /") + FontResourceName(j),
            QStringLiteral("/BaseFont /") + baseFont,
            QStringLiteral("/Encoding /WinAnsiEncoding"),
            QStringLiteral(">>"),
            QStringLiteral("endobj")};
}

} // namespace zelmio
