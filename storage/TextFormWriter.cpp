#include "storage/TextFormWriter.h"

#include <charconv>
#include <cmath>

namespace zelmio {

namespace {

bool IsAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool PropertiesNeedUtf8(const std::vector<TTextProperty> &properties);

bool ValueNeedsUtf8(const TTextValue &value)
{
    switch (value.kind) {
    case TTextValueKind::Ident:
        return !IsAscii(value.text);
    case TTextValueKind::Set:
        for (const QString &member : value.members) {
            if (!IsAscii(member))
                return true;
        }
        return false;
    case TTextValueKind::List:
        for (const TTextValue &item : value.list) {
            if (ValueNeedsUtf8(item))
                return true;
        }
        return false;
    case TTextValueKind::Collection:
        for (const TTextCollectionItem &item : value.items) {
            if (PropertiesNeedUtf8(item.properties))
                return true;
        }
        return false;
    case TTextValueKind::Integer:
    case TTextValueKind::Extended:
    case TTextValueKind::Single:
    case TTextValueKind::Currency:
    case TTextValueKind::Date:
    case TTextValueKind::String:
    case TTextValueKind::Binary:
        return false;
    }
    return false;
}

bool PropertiesNeedUtf8(const std::vector<TTextProperty> &properties)
{
    for (const TTextProperty &property : properties) {
        if (!IsAscii(property.path) || ValueNeedsUtf8(property.value))
            return true;
    }
    return false;
}

bool ObjectNeedsUtf8(const TTextObject &object)
{
    if (!IsAscii(object.name) || !IsAscii(object.className) || PropertiesNeedUtf8(object.properties))
        return true;
    for (const TTextObject &child : object.children) {
        if (ObjectNeedsUtf8(child))
            return true;
    }
    return false;
}

const char *HeadKeyword(TTextObjectHead head)
{
    switch (head) {
    case TTextObjectHead::Object:
        return "object ";
    case TTextObjectHead::Inherited:
        return "inherited ";
    case TTextObjectHead::Inline:
        return "inline ";
    }
    return "object ";
}

} // namespace

QByteArray TTextFormWriter::Write(const TTextObject &object)
{
    const bool utf8 = ObjectNeedsUtf8(object);
    TTextFormWriter writer(utf8);
    if (utf8)
        writer.m_out.append("\xEF\xBB\xBF");
    writer.WriteObject(object, 0);
    return writer.m_out;
}

QByteArray TTextFormWriter::FormatExtended(long double value)
{
    if (!std::isfinite(value) || value == 0)
        return QByteArrayLiteral("0.000000000000000000");
    const bool negative = value < 0;
    // 16 significant digits, as d.ddddddddddddddde±x.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 15);
    const QByteArray scientific(buffer, int(result.ptr - buffer));
    const int ePos = int(scientific.indexOf('e'));
    QByteArray digits = scientific.left(ePos);
    digits.remove(1, 1);   // the point
    const int exponent = scientific.mid(ePos + 1).toInt();
    if (exponent > 30) {
        // Beyond any length in a template; keep it short.
        QByteArray text = scientific.left(ePos).toUpper() + "E" + (exponent >= 0 ? "+" : "") + QByteArray::number(exponent);
        return negative ? "-" + text : text;
    }
    const int intDigits = exponent + 1;
    QByteArray integer;
    QByteArray fraction;
    if (intDigits > 0) {
        integer = digits.left(intDigits);
        while (integer.size() < intDigits)
            integer.append('0');
        fraction = digits.mid(intDigits);
    } else {
        integer = "0";
        fraction = QByteArray(-intDigits, '0') + digits;
    }
    constexpr int kDecimals = 18;
    if (fraction.size() > kDecimals) {
        const bool roundUp = fraction.at(kDecimals) >= '5';
        fraction.truncate(kDecimals);
        if (roundUp) {
            int i = kDecimals - 1;
            for (; i >= 0; --i) {
                if (fraction[i] == '9') {
                    fraction[i] = '0';
                } else {
                    fraction[i] = char(fraction[i] + 1);
                    break;
                }
            }
            if (i < 0)
                integer = "1";   // only reached for values below 1
        }
    }
    while (fraction.size() < kDecimals)
        fraction.append('0');
    QByteArray text = integer + "." + fraction;
    if (negative && text != "0.000000000000000000")
        text.prepend('-');
    return text;
}

QByteArray TTextFormWriter::FormatGeneral(long double value, TTextValueKind kind)
{
    char buffer[64];
    std::to_chars_result result;
    if (kind == TTextValueKind::Single)
        result = std::to_chars(buffer, buffer + sizeof buffer, float(value));
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, double(value));
    QByteArray text(buffer, int(result.ptr - buffer));
    if (!std::isfinite(value))
        text = "0";
    switch (kind) {
    case TTextValueKind::Single:
        return text + "s";
    case TTextValueKind::Currency:
        return text + "c";
    case TTextValueKind::Date:
        return text + "d";
    case TTextValueKind::Integer:
    case TTextValueKind::Extended:
    case TTextValueKind::Ident:
    case TTextValueKind::String:
    case TTextValueKind::Set:
    case TTextValueKind::List:
    case TTextValueKind::Collection:
    case TTextValueKind::Binary:
        break;
    }
    return text;
}

void TTextFormWriter::NewLine(int indent)
{
    m_out.append("\r\n");
    m_out.append(QByteArray(indent, ' '));
}

void TTextFormWriter::WriteName(const QString &name)
{
    m_out.append(m_utf8 ? name.toUtf8() : name.toLatin1());
}

void TTextFormWriter::WriteObject(const TTextObject &object, int indent)
{
    m_out.append(QByteArray(indent, ' '));
    m_out.append(HeadKeyword(object.head));
    if (!object.name.isEmpty()) {
        WriteName(object.name);
        m_out.append(": ");
    }
    WriteName(object.className);
    if (object.index >= 0)
        m_out.append(" [" + QByteArray::number(object.index) + "]");
    m_out.append("\r\n");
    for (const TTextProperty &property : object.properties)
        WriteProperty(property, indent + 2);
    for (const TTextObject &child : object.children)
        WriteObject(child, indent + 2);
    m_out.append(QByteArray(indent, ' '));
    m_out.append("end\r\n");
}

void TTextFormWriter::WriteProperty(const TTextProperty &property, int indent)
{
    m_out.append(QByteArray(indent, ' '));
    WriteName(property.path);
    m_out.append(" = ");
    WriteValue(property.value, indent, false);
    m_out.append("\r\n");
}

void TTextFormWriter::WriteValue(const TTextValue &value, int indent, bool inList)
{
    switch (value.kind) {
    case TTextValueKind::Integer:
        m_out.append(QByteArray::number(value.integer));
        return;
    case TTextValueKind::Extended:
        m_out.append(FormatExtended(value.number));
        return;
    case TTextValueKind::Single:
    case TTextValueKind::Currency:
    case TTextValueKind::Date:
        m_out.append(FormatGeneral(value.number, value.kind));
        return;
    case TTextValueKind::Ident:
        WriteName(value.text);
        return;
    case TTextValueKind::String:
        WriteString(value.text, indent, inList);
        return;
    case TTextValueKind::Set:
        m_out.append('[');
        for (int i = 0; i < value.members.size(); ++i) {
            if (i > 0)
                m_out.append(", ");
            WriteName(value.members.at(i));
        }
        m_out.append(']');
        return;
    case TTextValueKind::List:
        m_out.append('(');
        for (const TTextValue &item : value.list) {
            NewLine(indent + 2);
            WriteValue(item, indent + 2, true);
        }
        m_out.append(')');
        return;
    case TTextValueKind::Collection:
        m_out.append('<');
        for (const TTextCollectionItem &item : value.items) {
            NewLine(indent + 2);
            m_out.append("item");
            if (item.index >= 0)
                m_out.append(" [" + QByteArray::number(item.index) + "]");
            m_out.append("\r\n");
            for (const TTextProperty &property : item.properties)
                WriteProperty(property, indent + 4);
            m_out.append(QByteArray(indent + 2, ' '));
            m_out.append("end");
        }
        m_out.append('>');
        return;
    case TTextValueKind::Binary: {
        m_out.append('{');
        const QByteArray hex = value.bytes.toHex().toUpper();
        for (qsizetype i = 0; i < hex.size(); i += 2 * kBinaryBytesPerLine) {
            NewLine(indent + 2);
            m_out.append(hex.mid(i, 2 * kBinaryBytesPerLine));
        }
        m_out.append('}');
        return;
    }
    }
}

void TTextFormWriter::WriteString(const QString &text, int indent, bool inList)
{
    if (text.isEmpty()) {
        m_out.append("''");
        return;
    }
    const bool longText = text.size() > kStringPieceLength;
    if (longText && !inList)
        NewLine(indent + 2);
    for (qsizetype start = 0; start < text.size(); start += kStringPieceLength) {
        if (start > 0) {
            m_out.append(" +");
            NewLine(indent + 2);
        }
        const qsizetype end = qMin<qsizetype>(text.size(), start + kStringPieceLength);
        bool quoted = false;
        for (qsizetype i = start; i < end; ++i) {
            const char16_t c = text.at(i).unicode();
            const bool plain = c >= 0x20 && c < 0x80 && c != u'\'';
            if (plain != quoted) {
                m_out.append('\'');
                quoted = plain;
            }
            if (plain) {
                m_out.append(char(c));
            } else {
                m_out.append('#');
                m_out.append(QByteArray::number(int(c)));
            }
        }
        if (quoted)
            m_out.append('\'');
    }
}

} // namespace zelmio
