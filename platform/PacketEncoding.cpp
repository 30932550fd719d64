#include "platform/PacketEncoding.h"

#include "platform/CodePage.h"
#include "platform/PacketValues.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace zelmio {

namespace {

// The Baltic code page of the hosts' users: the reading of 8-bit packets
// that do not say what they are, and of 8-bit memo bytes in Unicode packets.
constexpr int kDefaultCodePage = 1257;

std::size_t lineOf(const std::string &s, std::size_t offset)
{
    return 1 + std::size_t(std::count(s.begin(), s.begin() + std::ptrdiff_t(std::min(offset, s.size())), '\n'));
}

// The encoding named in an XML declaration at the start, or empty.
QString declaredEncoding(const std::string &s)
{
    if (s.compare(0, 5, "<?xml") != 0)
        return {};
    const std::size_t end = s.find("?>", 5);
    if (end == std::string::npos || end > 1024)
        return {};
    const std::string decl = s.substr(0, end);
    std::size_t p = decl.find("encoding");
    if (p == std::string::npos)
        return {};
    p += 8;
    while (p < decl.size() && std::strchr(" \t\r\n", decl[p]))
        ++p;
    if (p >= decl.size() || decl[p] != '=')
        return {};
    ++p;
    while (p < decl.size() && std::strchr(" \t\r\n", decl[p]))
        ++p;
    if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\''))
        return {};
    const char quote = decl[p++];
    const std::size_t q = decl.find(quote, p);
    if (q == std::string::npos)
        return {};
    return QString::fromLatin1(decl.data() + p, qsizetype(q - p)).trimmed();
}

bool isUtf16(const std::string &s, bool &littleEndian, std::size_t &bomSize)
{
    const auto b = [&s](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0x100u; };
    if (b(0) == 0xFF && b(1) == 0xFE) {
        littleEndian = true;
        bomSize = 2;
        return true;
    }
    if (b(0) == 0xFE && b(1) == 0xFF) {
        littleEndian = false;
        bomSize = 2;
        return true;
    }
    // "<?" without a byte order mark
    if (b(0) == '<' && b(1) == 0 && b(2) == '?' && b(3) == 0) {
        littleEndian = true;
        bomSize = 0;
        return true;
    }
    if (b(0) == 0 && b(1) == '<' && b(2) == 0 && b(3) == '?') {
        littleEndian = false;
        bomSize = 0;
        return true;
    }
    return false;
}

bool hasNul(const std::string &s)
{
    return std::memchr(s.data(), 0, s.size()) != nullptr;
}

const char *kNulProblem = "the file holds NUL bytes: it is not an XML text file";

} // namespace

bool DecodePacketBytes(std::string bytes, TPacketText &text, QString &problem)
{
    text.textCodePage = TCodePage::find(kDefaultCodePage);
    if (bytes.empty()) {
        problem = QStringLiteral("the file is empty");
        return false;
    }

    bool littleEndian = true;
    std::size_t bomSize = 0;
    if (isUtf16(bytes, littleEndian, bomSize)) {
        QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString s = decoder(QByteArrayView(bytes.data() + bomSize, qsizetype(bytes.size() - bomSize)));
        if (decoder.hasError()) {
            problem = QStringLiteral("the file is not valid UTF-16");
            return false;
        }
        bytes.clear();
        bytes.shrink_to_fit();
        const QByteArray u = s.toUtf8();
        text.utf8.assign(u.constData(), std::size_t(u.size()));
        text.encodingName = QStringLiteral("UTF-16");
        if (hasNul(text.utf8)) {
            problem = QString::fromLatin1(kNulProblem);
            return false;
        }
        return true;
    }

    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    if (hasNul(bytes)) {
        problem = QString::fromLatin1(kNulProblem);
        return false;
    }

    const QString declared = declaredEncoding(bytes);
    const QString lower = declared.toLower();
    const bool declaresUnicode = lower == QLatin1String("utf-8") || lower == QLatin1String("utf8")
        || lower == QLatin1String("us-ascii") || lower == QLatin1String("ascii")
        || lower.startsWith(QLatin1String("utf-16"));

    if (declared.isEmpty() || declaresUnicode) {
        const std::size_t bad = packet::FindInvalidUtf8(bytes.data(), bytes.size());
        if (bad == std::string::npos) {
            text.utf8 = std::move(bytes);
            text.encodingName = QStringLiteral("UTF-8");
            return true;
        }
        if (declaresUnicode) {
            problem = QStringLiteral("line %1: bytes that are not valid UTF-8, although the file "
                                     "declares the encoding '%2'")
                          .arg(lineOf(bytes, bad))
                          .arg(declared);
            return false;
        }
        // No declaration and not UTF-8: an 8-bit file of the hosts' code page.
    }

    const TCodePage *cp = declared.isEmpty() ? TCodePage::find(kDefaultCodePage)
                                             : TCodePage::fromName(declared);
    if (cp) {
        text.textCodePage = cp;
        text.encodingName = cp->name();
        cp->decodeToUtf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())), text.utf8);
        return true;
    }

    // Another encoding Qt may know (through ICU).
    const QByteArray name = declared.toLatin1();
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid()) {
        problem = QStringLiteral("the declared encoding '%1' is not supported").arg(declared);
        return false;
    }
    const QString s = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError()) {
        problem = QStringLiteral("the file is not valid %1").arg(declared);
        return false;
    }
    const QByteArray u = s.toUtf8();
    text.utf8.assign(u.constData(), std::size_t(u.size()));
    text.encodingName = declared;
    return true;
}

} // namespace zelmio
