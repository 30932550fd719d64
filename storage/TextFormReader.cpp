#include "storage/TextFormReader.h"

#include "platform/CodePage.h"
#include "storage/ETextFormError.h"

#include <QStringDecoder>
#include <charconv>
#include <limits>

namespace zelmio {

namespace {

bool IsBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsSymbolStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool IsSymbolChar(unsigned char c)
{
    return IsSymbolStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsKeyword(const QString &symbol, const char *keyword)
{
    return symbol.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool IsObjectHead(const QString &symbol)
{
    return IsKeyword(symbol, "object") || IsKeyword(symbol, "inherited") || IsKeyword(symbol, "inline");
}

bool IsValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

TTextFormReader::TTextFormReader(QByteArrayView data, qsizetype offset)
    : m_data(data)
    , m_pos(qBound<qsizetype>(0, offset, data.size()))
{
    for (qsizetype i = 0; i < m_pos; ++i) {
        if (m_data[i] == '\n') {
            ++m_line;
            m_lineStart = i + 1;
        }
    }
}

qsizetype TTextFormReader::SkipWhiteSpace(QByteArrayView data, qsizetype offset)
{
    while (offset < data.size() && IsBlank(static_cast<unsigned char>(data[offset])))
        ++offset;
    return offset;
}

bool TTextFormReader::CanStartObject(QByteArrayView head)
{
    qsizetype p = SkipWhiteSpace(head, 0);
    if (head.sliced(p).startsWith("\xEF\xBB\xBF"))
        p = SkipWhiteSpace(head, p + 3);
    const qsizetype start = p;
    constexpr qsizetype longestHead = 9; // "inherited"
    while (p < head.size() && p - start <= longestHead && IsSymbolChar(static_cast<unsigned char>(head[p])))
        ++p;
    if (p == head.size())
        return true; // white space only, or a word the head cuts off
    const QString word = QString::fromLatin1(head.sliced(start, p - start));
    if (p - start > longestHead)
        return false;
    for (const char *keyword : {"object", "inherited", "inline"}) {
        if (word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

unsigned char TTextFormReader::Peek(qsizetype ahead) const
{
    const qsizetype at = m_pos + ahead;
    return at < m_data.size() ? static_cast<unsigned char>(m_data[at]) : 0;
}

void TTextFormReader::SkipBlanks()
{
    while (!AtEnd() && IsBlank(Peek())) {
        if (m_data[m_pos] == '\n') {
            ++m_line;
            m_lineStart = m_pos + 1;
        }
        ++m_pos;
    }
}

QString TTextFormReader::Describe(qsizetype pos) const
{
    if (pos >= m_data.size())
        return QStringLiteral("the end of the input");
    const unsigned char c = static_cast<unsigned char>(m_data[pos]);
    if (c >= 0x21 && c < 0x7F)
        return QStringLiteral("'%1'").arg(QChar(c));
    return QStringLiteral("byte 0x%1").arg(c, 2, 16, QLatin1Char('0'));
}

void TTextFormReader::Fail(const QString &problem) const
{
    FailAt(m_pos, problem);
}

void TTextFormReader::FailAt(qsizetype pos, const QString &problem) const
{
    int line = 1;
    qsizetype lineStart = 0;
    const qsizetype end = qMin(pos, m_data.size());
    for (qsizetype i = 0; i < end; ++i) {
        if (m_data[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    throw ETextFormError(line, int(pos - lineStart) + 1, problem);
}

void TTextFormReader::CheckDepth(int depth) const
{
    if (depth > kMaxNesting)
        Fail(QStringLiteral("nesting deeper than %1 levels").arg(kMaxNesting));
}

void TTextFormReader::AppendRaw(QString &target, QByteArrayView bytes) const
{
    if (m_utf8 || IsValidUtf8(bytes)) {
        target += QString::fromUtf8(bytes);
        return;
    }
    const TCodePage *codePage = m_codePage ? m_codePage : TCodePage::find(1257);
    if (codePage)
        target += codePage->decode(bytes);
    else
        target += QString::fromLatin1(bytes);
}

bool TTextFormReader::PeekSymbol(QString *symbol)
{
    if (!IsSymbolStart(Peek()))
        return false;
    if (symbol) {
        qsizetype end = m_pos;
        while (end < m_data.size() && IsSymbolChar(static_cast<unsigned char>(m_data[end])))
            ++end;
        symbol->clear();
        AppendRaw(*symbol, m_data.sliced(m_pos, end - m_pos));
    }
    return true;
}

QString TTextFormReader::ReadSymbol(const char *what)
{
    if (!IsSymbolStart(Peek()))
        Fail(QStringLiteral("expected %1, found %2").arg(QLatin1String(what), Describe(m_pos)));
    const qsizetype start = m_pos;
    bool ascii = true;
    while (!AtEnd() && IsSymbolChar(Peek())) {
        ascii = ascii && Peek() < 0x80;
        ++m_pos;
    }
    const QByteArrayView bytes = m_data.sliced(start, m_pos - start);
    if (ascii)
        return QString::fromLatin1(bytes);
    QString symbol;
    AppendRaw(symbol, bytes);
    return symbol;
}

void TTextFormReader::Expect(char c, const char *what)
{
    if (Peek() != static_cast<unsigned char>(c) || AtEnd())
        Fail(QStringLiteral("expected %1, found %2").arg(QLatin1String(what), Describe(m_pos)));
    ++m_pos;
}

TTextObject TTextFormReader::ReadObject()
{
    SkipBlanks();
    if (Peek() == 0xEF && Peek(1) == 0xBB && Peek(2) == 0xBF) {
        m_utf8 = true;
        m_pos += 3;
    }
    SkipBlanks();
    if (AtEnd())
        Fail(QStringLiteral("expected an object, found the end of the input"));
    return ParseObject(0);
}

TTextObject TTextFormReader::ParseObject(int depth)
{
    CheckDepth(depth);
    TTextObject object;
    object.line = m_line;
    const qsizetype headPos = m_pos;
    const QString head = ReadSymbol("'object'");
    if (IsKeyword(head, "object"))
        object.head = TTextObjectHead::Object;
    else if (IsKeyword(head, "inherited"))
        object.head = TTextObjectHead::Inherited;
    else if (IsKeyword(head, "inline"))
        object.head = TTextObjectHead::Inline;
    else
        FailAt(headPos, QStringLiteral("expected 'object', found '%1'").arg(head));

    SkipBlanks();
    const QString first = ReadSymbol("an object name or class name");
    SkipBlanks();
    if (Peek() == ':' && !AtEnd()) {
        ++m_pos;
        SkipBlanks();
        object.name = first;
        object.className = ReadSymbol("a class name");
        SkipBlanks();
    } else {
        object.className = first;
    }
    if (Peek() == '[' && !AtEnd()) {
        ++m_pos;
        SkipBlanks();
        const TTextValue index = ParseNumber();
        if (index.kind != TTextValueKind::Integer || index.integer < 0 || index.integer > std::numeric_limits<int>::max())
            Fail(QStringLiteral("bad object index"));
        object.index = int(index.integer);
        SkipBlanks();
        Expect(']', "']'");
    }

    for (;;) {
        SkipBlanks();
        if (AtEnd())
            Fail(QStringLiteral("the end of the input before 'end' of object %1")
                     .arg(object.name.isEmpty() ? object.className : object.name));
        QString symbol;
        if (!PeekSymbol(&symbol))
            Fail(QStringLiteral("expected a property, 'object' or 'end', found %1").arg(Describe(m_pos)));
        if (IsKeyword(symbol, "end")) {
            ReadSymbol("'end'");
            break;
        }
        if (IsObjectHead(symbol))
            object.children.push_back(ParseObject(depth + 1));
        else
            object.properties.push_back(ParseProperty(depth + 1));
    }
    return object;
}

QString TTextFormReader::ParsePropertyPath()
{
    QString path = ReadSymbol("a property name");
    while (Peek() == '.' && !AtEnd()) {
        ++m_pos;
        path += QLatin1Char('.');
        path += ReadSymbol("a property name after '.'");
    }
    return path;
}

TTextProperty TTextFormReader::ParseProperty(int depth)
{
    TTextProperty property;
    property.line = m_line;
    property.path = ParsePropertyPath();
    SkipBlanks();
    Expect('=', "'=' after the property name");
    property.value = ParseValue(depth);
    return property;
}

TTextValue TTextFormReader::ParseValue(int depth)
{
    CheckDepth(depth);
    SkipBlanks();
    const int line = m_line;
    const unsigned char c = Peek();
    TTextValue value;
    if (AtEnd()) {
        Fail(QStringLiteral("expected a value, found the end of the input"));
    } else if (c == '-' || c == '$' || IsDigit(c)) {
        value = ParseNumber();
    } else if (c == '\'' || c == '#') {
        value = ParseString();
    } else if (c == '[') {
        value = ParseSet();
    } else if (c == '(') {
        value = ParseList(depth);
    } else if (c == '<') {
        value = ParseCollection(depth);
    } else if (c == '{') {
        value = ParseBinary();
    } else if (IsSymbolStart(c)) {
        // A keyword here means the value is missing.
        QString symbol;
        PeekSymbol(&symbol);
        if (IsKeyword(symbol, "end") || IsObjectHead(symbol))
            Fail(QStringLiteral("expected a value, found '%1'").arg(symbol));
        value.kind = TTextValueKind::Ident;
        value.text = ParsePropertyPath();
    } else {
        Fail(QStringLiteral("expected a value, found %1").arg(Describe(m_pos)));
    }
    value.line = line;
    return value;
}

TTextValue TTextFormReader::ParseNumber()
{
    const qsizetype start = m_pos;
    bool negative = false;
    if (Peek() == '-') {
        negative = true;
        ++m_pos;
    }
    TTextValue value;
    if (Peek() == '$' && !AtEnd()) {
        ++m_pos;
        quint64 number = 0;
        int digits = 0;
        while (HexValue(Peek()) >= 0 && !AtEnd()) {
            if (++digits > 16)
                FailAt(start, QStringLiteral("hexadecimal number too long"));
            number = number * 16 + quint64(HexValue(Peek()));
            ++m_pos;
        }
        if (digits == 0)
            Fail(QStringLiteral("expected hexadecimal digits after '$'"));
        if (IsSymbolChar(Peek()) && !AtEnd())
            Fail(QStringLiteral("bad character %1 in a number").arg(Describe(m_pos)));
        value.kind = TTextValueKind::Integer;
        value.integer = negative ? -qint64(number) : qint64(number);
        return value;
    }
    const qsizetype digitsStart = m_pos;
    while (IsDigit(Peek()) && !AtEnd())
        ++m_pos;
    if (m_pos == digitsStart)
        Fail(QStringLiteral("expected a number, found %1").arg(Describe(m_pos)));
    bool isFloat = false;
    if (Peek() == '.' && IsDigit(Peek(1))) {
        isFloat = true;
        ++m_pos;
        while (IsDigit(Peek()) && !AtEnd())
            ++m_pos;
    }
    if ((Peek() == 'e' || Peek() == 'E')
        && (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
        isFloat = true;
        m_pos += 2;
        while (IsDigit(Peek()) && !AtEnd())
            ++m_pos;
    }
    const qsizetype numberEnd = m_pos;
    TTextValueKind kind = isFloat ? TTextValueKind::Extended : TTextValueKind::Integer;
    switch (Peek()) {
    case 's': case 'S': kind = TTextValueKind::Single; ++m_pos; break;
    case 'c': case 'C': kind = TTextValueKind::Currency; ++m_pos; break;
    case 'd': case 'D': kind = TTextValueKind::Date; ++m_pos; break;
    default: break;
    }
    if (!AtEnd() && (IsSymbolChar(Peek()) || Peek() == '.'))
        Fail(QStringLiteral("bad character %1 in a number").arg(Describe(m_pos)));

    const char *first = m_data.data() + start;
    const char *last = m_data.data() + numberEnd;
    value.kind = kind;
    if (kind == TTextValueKind::Integer) {
        const auto result = std::from_chars(first, last, value.integer);
        if (result.ec != std::errc() || result.ptr != last)
            FailAt(start, QStringLiteral("integer out of range"));
        return value;
    }
    long double number = 0;
    const auto result = std::from_chars(first, last, number);
    if (result.ec != std::errc() || result.ptr != last)
        FailAt(start, QStringLiteral("number out of range"));
    value.number = number;
    return value;
}

TTextValue TTextFormReader::ParseString()
{
    TTextValue value;
    value.kind = TTextValueKind::String;
    QString &text = value.text;
    for (;;) {
        const unsigned char c = Peek();
        if (c == '\'' && !AtEnd()) {
            const qsizetype quote = m_pos;
            ++m_pos;
            for (;;) {
                if (AtEnd())
                    FailAt(quote, QStringLiteral("unterminated string"));
                const unsigned char d = Peek();
                if (d == '\'') {
                    if (Peek(1) == '\'' && m_pos + 1 < m_data.size()) {
                        text += QLatin1Char('\'');
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                if (d < 0x20)
                    FailAt(quote, QStringLiteral("unterminated string"));
                if (d >= 0x80) {
                    const qsizetype runStart = m_pos;
                    while (!AtEnd() && Peek() >= 0x80)
                        ++m_pos;
                    AppendRaw(text, m_data.sliced(runStart, m_pos - runStart));
                    continue;
                }
                text += QLatin1Char(char(d));
                ++m_pos;
            }
        } else if (c == '#' && !AtEnd()) {
            ++m_pos;
            quint32 code = 0;
            int digits = 0;
            if (Peek() == '$' && !AtEnd()) {
                ++m_pos;
                while (HexValue(Peek()) >= 0 && !AtEnd()) {
                    code = code * 16 + quint32(HexValue(Peek()));
                    ++m_pos;
                    if (++digits > 8 || code > 0x10FFFF)
                        Fail(QStringLiteral("character code out of range"));
                }
            } else {
                while (IsDigit(Peek()) && !AtEnd()) {
                    code = code * 10 + quint32(Peek() - '0');
                    ++m_pos;
                    if (++digits > 8 || code > 0x10FFFF)
                        Fail(QStringLiteral("character code out of range"));
                }
            }
            if (digits == 0)
                Fail(QStringLiteral("expected a character code after '#'"));
            if (code <= 0xFFFF) {
                text += QChar(char16_t(code));
            } else {
                const char32_t point = code;
                text += QString::fromUcs4(&point, 1);
            }
        } else {
            // Pieces may also be joined by "+" across blanks and lines.
            const qsizetype save = m_pos;
            const int saveLine = m_line;
            const qsizetype saveLineStart = m_lineStart;
            SkipBlanks();
            if (Peek() == '+' && !AtEnd()) {
                ++m_pos;
                SkipBlanks();
                if (Peek() != '\'' && Peek() != '#')
                    Fail(QStringLiteral("expected a string after '+', found %1").arg(Describe(m_pos)));
                continue;
            }
            m_pos = save;
            m_line = saveLine;
            m_lineStart = saveLineStart;
            break;
        }
    }
    return value;
}

TTextValue TTextFormReader::ParseSet()
{
    TTextValue value;
    value.kind = TTextValueKind::Set;
    Expect('[', "'['");
    SkipBlanks();
    if (Peek() == ']' && !AtEnd()) {
        ++m_pos;
        return value;
    }
    for (;;) {
        SkipBlanks();
        if (IsDigit(Peek()) && !AtEnd()) {
            const qsizetype start = m_pos;
            while (IsDigit(Peek()) && !AtEnd())
                ++m_pos;
            value.members.append(QString::fromLatin1(m_data.sliced(start, m_pos - start)));
        } else {
            value.members.append(ReadSymbol("a set member"));
        }
        SkipBlanks();
        if (Peek() == ',' && !AtEnd()) {
            ++m_pos;
            continue;
        }
        Expect(']', "',' or ']' in a set");
        break;
    }
    return value;
}

TTextValue TTextFormReader::ParseList(int depth)
{
    TTextValue value;
    value.kind = TTextValueKind::List;
    Expect('(', "'('");
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            Fail(QStringLiteral("the end of the input inside a list: ')' missing"));
        if (Peek() == ')') {
            ++m_pos;
            break;
        }
        value.list.push_back(ParseValue(depth + 1));
    }
    return value;
}

TTextValue TTextFormReader::ParseCollection(int depth)
{
    TTextValue value;
    value.kind = TTextValueKind::Collection;
    Expect('<', "'<'");
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            Fail(QStringLiteral("the end of the input inside a collection: '>' missing"));
        if (Peek() == '>') {
            ++m_pos;
            break;
        }
        TTextCollectionItem item;
        item.line = m_line;
        const qsizetype itemPos = m_pos;
        const QString keyword = ReadSymbol("'item'");
        if (!IsKeyword(keyword, "item"))
            FailAt(itemPos, QStringLiteral("expected 'item', found '%1'").arg(keyword));
        SkipBlanks();
        if (Peek() == '[' && !AtEnd()) {
            ++m_pos;
            SkipBlanks();
            const TTextValue index = ParseNumber();
            if (index.kind != TTextValueKind::Integer || index.integer < 0 || index.integer > std::numeric_limits<int>::max())
                Fail(QStringLiteral("bad item index"));
            item.index = int(index.integer);
            SkipBlanks();
            Expect(']', "']'");
        }
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(QStringLiteral("the end of the input before 'end' of a collection item"));
            QString symbol;
            if (!PeekSymbol(&symbol))
                Fail(QStringLiteral("expected a property or 'end', found %1").arg(Describe(m_pos)));
            if (IsKeyword(symbol, "end")) {
                ReadSymbol("'end'");
                break;
            }
            item.properties.push_back(ParseProperty(depth + 1));
        }
        value.items.push_back(std::move(item));
    }
    return value;
}

TTextValue TTextFormReader::ParseBinary()
{
    TTextValue value;
    value.kind = TTextValueKind::Binary;
    const qsizetype open = m_pos;
    Expect('{', "'{'");
    int pending = -1;
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            FailAt(open, QStringLiteral("the end of the input inside binary data: '}' missing"));
        const unsigned char c = Peek();
        if (c == '}') {
            ++m_pos;
            break;
        }
        const int digit = HexValue(c);
        if (digit < 0)
            Fail(QStringLiteral("bad character %1 in binary data").arg(Describe(m_pos)));
        ++m_pos;
        if (pending < 0) {
            pending = digit;
        } else {
            value.bytes.append(char(pending * 16 + digit));
            pending = -1;
        }
    }
    if (pending >= 0)
        FailAt(open, QStringLiteral("odd number of hexadecimal digits in binary data"));
    return value;
}

} // namespace zelmio
