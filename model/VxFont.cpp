#include "model/VxFont.h"

#include <QRawFont>
#include <cmath>
#include <limits>

namespace zelmio {

namespace {

// Windows' MulDiv: rounds half away from zero; -1 when the result does not
// fit 32 bits.
int MulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const double exact = double(product) / double(denominator);
    const double rounded = exact < 0 ? -std::floor(-exact + 0.5) : std::floor(exact + 0.5);
    if (rounded < double(std::numeric_limits<int>::min()) || rounded > double(std::numeric_limits<int>::max()))
        return -1;
    return int(rounded);
}

// The published range of Height: a character or cell height in pixels at the
// reference resolution.
constexpr int kMaxFontHeight = 10000;

} // namespace

TVxFont::TVxFont(TPersistent *owner)
    : m_owner(owner)
{
}

TVxFont::~TVxFont() = default;

void TVxFont::Assign(const TPersistent *source)
{
    if (const auto *font = qobject_cast<const TVxFont *>(source)) {
        if (font == this)
            return;
        m_charset = font->m_charset;
        m_color = font->m_color;
        m_height = font->m_height;
        m_name = font->m_name;
        m_style = font->m_style;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TVxFont::Changed()
{
    m_qfont.reset();
    if (m_onChange)
        m_onChange();
}

void TVxFont::SetCharset(TFontCharset charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    Changed();
}

void TVxFont::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TVxFont::SetHeight(int height)
{
    height = qBound(-kMaxFontHeight, height, kMaxFontHeight);
    if (height == m_height)
        return;
    m_height = height;
    Changed();
}

void TVxFont::SetName(const QString &name)
{
    if (name == m_name || name.isEmpty())
        return;
    m_name = name;
    Changed();
}

int TVxFont::Size() const
{
    return -MulDiv(m_height, 72, kReferenceDpi);
}

void TVxFont::SetSize(int points)
{
    const int limit = kMaxFontHeight * 72 / kReferenceDpi;
    points = qBound(-limit, points, limit);
    SetHeight(-MulDiv(points, kReferenceDpi, 72));
}

void TVxFont::SetStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

double TVxFont::PixelSize() const
{
    if (m_height < 0)
        return -m_height;
    if (m_height == 0)
        return 13;
    // A cell height: find the character height whose ascent plus descent
    // fill the cell.
    QFont probe(m_name);
    probe.setPixelSize(100);
    probe.setBold(m_style.testFlag(TFontStyle::fsBold));
    probe.setItalic(m_style.testFlag(TFontStyle::fsItalic));
    const QRawFont raw = QRawFont::fromFont(probe);
    const double cell = raw.isValid() ? raw.ascent() + raw.descent() : 115.0;
    return cell > 0 ? m_height * 100.0 / cell : m_height;
}

QFont TVxFont::ToQFont(int zoomPercent) const
{
    if (zoomPercent == 100 && m_qfont)
        return *m_qfont;
    QFont font(m_name);
    const double pixels = PixelSize() * zoomPercent / 100.0;
    font.setPixelSize(qMax(1, int(std::lround(pixels))));
    font.setBold(m_style.testFlag(TFontStyle::fsBold));
    font.setItalic(m_style.testFlag(TFontStyle::fsItalic));
    font.setUnderline(m_style.testFlag(TFontStyle::fsUnderline));
    font.setStrikeOut(m_style.testFlag(TFontStyle::fsStrikeOut));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    if (zoomPercent == 100)
        m_qfont = font;
    return font;
}

bool TVxFont::SameAs(const TVxFont &other) const
{
    return m_charset == other.m_charset && m_color == other.m_color && m_height == other.m_height
        && m_name == other.m_name && m_style == other.m_style;
}

} // namespace zelmio
