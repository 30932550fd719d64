#include "platform/CodePage.h"

#include "platform/CodePageTables_p.h"

#include <algorithm>
#include <memory>

namespace zelmio {

namespace {

QString normalisedName(QStringView name)
{
    QString n = name.trimmed().toString().toLower();
    n.replace(QLatin1Char('_'), QLatin1Char('-'));
    return n;
}

} // namespace

TCodePage::TCodePage(int number, const char *name, const char16_t *high)
    : m_number(number), m_name(name), m_high(high)
{
    for (int i = 0; i < 128; ++i) {
        m_reverse[i] = {high[i], static_cast<unsigned char>(0x80 + i)};
        const char16_t c = high[i];
        auto &u = m_utf8[i];
        if (c < 0x800) {
            u = {2, static_cast<unsigned char>(0xC0 | (c >> 6)),
                 static_cast<unsigned char>(0x80 | (c & 0x3F)), 0};
        } else {
            u = {3, static_cast<unsigned char>(0xE0 | (c >> 12)),
                 static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<unsigned char>(0x80 | (c & 0x3F))};
        }
    }
    std::sort(m_reverse.begin(), m_reverse.end());
}

const std::vector<std::unique_ptr<TCodePage>> &TCodePage::all()
{
    // Built on first use; constant afterwards and read without locks.
    static const std::vector<std::unique_ptr<TCodePage>> pages = [] {
        std::vector<std::unique_ptr<TCodePage>> v;
        for (int i = 0; i < codepage_tables::kTableCount; ++i) {
            const auto &t = codepage_tables::kTables[i];
            v.push_back(std::unique_ptr<TCodePage>(new TCodePage(t.number, t.name, t.high)));
        }
        std::sort(v.begin(), v.end(), [](const auto &a, const auto &b) {
            return a->number() < b->number();
        });
        return v;
    }();
    return pages;
}

const TCodePage *TCodePage::find(int number)
{
    for (const auto &p : all())
        if (p->number() == number)
            return p.get();
    return nullptr;
}

const TCodePage *TCodePage::fromName(QStringView name)
{
    const QString n = normalisedName(name);
    if (n.isEmpty())
        return nullptr;
    static const struct { const char *alias; int number; } aliases[] = {
        {"latin1", 28591}, {"latin-1", 28591}, {"l1", 28591}, {"iso8859-1", 28591},
        {"iso-ir-100", 28591}, {"latin2", 28592}, {"l2", 28592}, {"latin4", 28594},
        {"l4", 28594}, {"latin7", 28603}, {"l7", 28603}, {"latin9", 28605},
        {"latin-9", 28605}, {"tis-620", 874}, {"cyrillic", 28595},
    };
    for (const auto &a : aliases)
        if (n == QLatin1String(a.alias))
            return find(a.number);
    for (const auto &p : all()) {
        const QString own = p->name();
        if (n == own)
            return p.get();
        const QString num = QString::number(p->number());
        if (own.startsWith(QLatin1String("windows-"))) {
            // cp1257, x-cp1257, ms-1257, windows1257, 1257
            if (n == QLatin1String("cp") + num || n == QLatin1String("x-cp") + num
                || n == QLatin1String("ms-") + num || n == QLatin1String("windows") + num
                || n == num)
                return p.get();
        } else {
            // iso-8859-13 also written iso8859-13, iso-8859-13:1998 is not used
            QString compact = own;
            compact.remove(3, 1);   // "iso8859-13"
            if (n == compact || n == QLatin1String("cp") + num)
                return p.get();
        }
    }
    return nullptr;
}

std::vector<int> TCodePage::numbers()
{
    std::vector<int> v;
    for (const auto &p : all())
        v.push_back(p->number());
    return v;
}

QString TCodePage::decode(QByteArrayView bytes) const
{
    QString s(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(s.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = toUnicode(static_cast<unsigned char>(bytes[i]));
    return s;
}

void TCodePage::decodeToUtf8(QByteArrayView bytes, std::string &out) const
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    out.reserve(out.size() + size_t(bytes.size()) + size_t(bytes.size()) / 8);
    while (p < end) {
        // Runs of ASCII are copied as they are.
        const auto *run = p;
        while (p < end && *p < 0x80)
            ++p;
        out.append(reinterpret_cast<const char *>(run), size_t(p - run));
        while (p < end && *p >= 0x80) {
            const auto &u = m_utf8[*p - 0x80];
            out.append(reinterpret_cast<const char *>(u.data() + 1), u[0]);
            ++p;
        }
    }
}

bool TCodePage::fromUnicode(char32_t ch, unsigned char &byte) const
{
    if (ch < 0x80) {
        byte = static_cast<unsigned char>(ch);
        return true;
    }
    if (ch > 0xFFFF || ch == 0xFFFD)
        return false;
    const auto it = std::lower_bound(
        m_reverse.begin(), m_reverse.end(), std::pair<char16_t, unsigned char>(char16_t(ch), 0));
    if (it == m_reverse.end() || it->first != ch)
        return false;
    byte = it->second;
    return true;
}

QByteArray TCodePage::encode(QStringView text, char replacement) const
{
    // At most one byte a UTF-16 unit; written in place (page contents are
    // long and mostly ASCII).
    QByteArray out(text.size(), Qt::Uninitialized);
    char *next = out.data();
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t ch = units[i];
        if (ch < 0x80) {
            *next++ = char(ch);
            continue;
        }
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && QChar::isLowSurrogate(units[i + 1])) {
            ch = QChar::surrogateToUcs4(char16_t(ch), units[i + 1]);
            ++i;
        }
        unsigned char b;
        *next++ = fromUnicode(ch, b) ? char(b) : replacement;
    }
    out.truncate(next - out.data());
    return out;
}

bool TCodePage::canEncode(QStringView text) const
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        unsigned char b;
        if (!fromUnicode(text[i].unicode(), b))
            return false;
    }
    return true;
}

} // namespace zelmio
