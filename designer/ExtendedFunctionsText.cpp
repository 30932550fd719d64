// Text, number, colour and system-value functions.
#include "designer/ExtendedFunctionsSupport.h"

#include "expr/VxEvResult.h"
#include "platform/Formats.h"
#include "platform/RegularFileReader.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <limits>

namespace zelmio::vxext {

namespace {

// A length argument that would build a text beyond kMaxResultLength.
bool TooLong(qint64 length)
{
    return length > kMaxResultLength;
}

class TVxEvTrimFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        const QString &s = Text(0);
        qsizetype first = 0;
        qsizetype end = s.size();
        while (first < end && s[first].unicode() <= 32)
            ++first;
        while (end > first && s[end - 1].unicode() <= 32)
            --end;
        return TVxEvResult::String(s.mid(first, end - first));
    }
};

class TVxEvStrLenFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        return TVxEvResult::Int(qint32(Text(0).size()));
    }
};

// PADLEFT, PADRIGHT and PADLEFTZERO.
template <bool Left, char Fill>
class TVxEvPadFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        QString s;
        if (HasArgs("SI"))
            s = Text(0);
        else if (Fill == '0' && HasArgs("II"))
            s = QString::number(Int(0));
        else
            return TVxEvResult::Error();
        const qint32 length = Int(1);
        if (TooLong(length))
            return TVxEvResult::Error();
        if (s.size() >= length)
            return TVxEvResult::String(s);
        const QString fill(length - s.size(), QLatin1Char(Fill));
        return TVxEvResult::String(Left ? fill + s : s + fill);
    }
};

class TVxEvStretchStrFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SI"))
            return TVxEvResult::Error();
        const QString &s = Text(0);
        const qint64 spaces = std::max<qint32>(Int(1), 0);
        if (TooLong(qint64(s.size()) * (spaces + 1)))
            return TVxEvResult::Error();
        const QString gap(spaces, QLatin1Char(' '));
        QString result;
        result.reserve(s.size() * (spaces + 1));
        for (const QChar c : s) {
            result += c;
            result += gap;
        }
        qsizetype end = result.size();
        while (end > 0 && result[end - 1] == QLatin1Char(' '))
            --end;
        result.truncate(end);
        return TVxEvResult::String(result);
    }
};

class TVxEvInsertStrFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SS"))
            return TVxEvResult::Error();
        return TVxEvResult::String(FormatString(Text(0), {QVariant(Text(1))}));
    }
};

class TVxEvChrFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("I"))
            return TVxEvResult::Error();
        return TVxEvResult::String(QString(QChar(char16_t(quint32(Int(0)) & 0xFFFF))));
    }
};

class TVxEvStrToIntFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        return TVxEvResult::Int(StrToInt(Text(0)));
    }
};

class TVxEvStrToNumFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        if (Text(0).isEmpty())
            return TVxEvResult::Double(0.0);
        return TVxEvResult::Double(StrToFloat(Text(0)));
    }
};

class TVxEvCurrencyFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override { return TVxEvResult::String(FormatSettings().CurrencyString); }
};

class TVxEvAbsFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (HasArgs("I")) {
            if (Int(0) == std::numeric_limits<qint32>::min())
                return TVxEvResult::Error();
            return TVxEvResult::Int(Int(0) < 0 ? -Int(0) : Int(0));
        }
        if (HasArgs("F"))
            return TVxEvResult::Double(std::abs(Arg(0).dblResult));
        return TVxEvResult::Error();
    }
};

// --- Colours ---------------------------------------------------------------

template <qint32 Color>
class TVxEvColorFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (ArgCount() != 0)
            return TVxEvResult::Error();
        return TVxEvResult::Int(Color);
    }
};

class TVxEvRGBColorFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("III"))
            return TVxEvResult::Error();
        for (int i = 0; i < 3; ++i) {
            if (Int(i) < 0 || Int(i) > 255)
                return TVxEvResult::Error();
        }
        return TVxEvResult::Int(Int(0) + 256 * Int(1) + 65536 * Int(2));
    }
};

// --- System values ---------------------------------------------------------

// Settings files are small; a larger file is not read.
constexpr qint64 kMaxSettingsFileSize = 16 * 1024 * 1024;

QString DecodeSettingsText(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(data);   // an 8-bit file of another code page
}

// The value of key in section of an INI-style text: "[Section]" lines and
// "Key=Value" lines, names compared without regard to case, blanks around
// names and values ignored, one pair of quotes around a value removed;
// lines beginning with ";" or "#" are comments. The first match counts.
QString IniValue(const QString &text, const QString &section, const QString &key)
{
    bool inSection = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QStringView name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section.trimmed(), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        QStringView value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value.toString();
    }
    return QString();
}

class TVxEvReadIniFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSS"))
            return TVxEvResult::Error();
        const QString file = QDir::current().absoluteFilePath(Text(0));
        // A missing or unreadable file reads as one without the key.
        if (Text(0).isEmpty() || !RegularFileProblem(file).isEmpty())
            return TVxEvResult::String(QString());
        const QString text = DecodeSettingsText(ReadRegularFile(file, kMaxSettingsFileSize));
        return TVxEvResult::String(IniValue(text, Text(1), Text(2)));
    }
};

// There is no system registry on this platform: every value reads as not
// found, the empty text.
class TVxEvReadRegistryFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSS"))
            return TVxEvResult::Error();
        return TVxEvResult::String(QString());
    }
};

} // namespace

void CollectTextFunctions(TExtendedClasses &classes)
{
    auto add = [&classes](const char *name, TVxEvFunctionClass item) { classes.insert(QLatin1String(name), item); };
    add("TRIM", &VxFunctionClass<TVxEvTrimFunction>);
    add("STRLEN", &VxFunctionClass<TVxEvStrLenFunction>);
    add("PADLEFT", &VxFunctionClass<TVxEvPadFunction<true, ' '>>);
    add("PADRIGHT", &VxFunctionClass<TVxEvPadFunction<false, ' '>>);
    add("PADLEFTZERO", &VxFunctionClass<TVxEvPadFunction<true, '0'>>);
    add("STRETCHSTR", &VxFunctionClass<TVxEvStretchStrFunction>);
    add("INSERTSTR", &VxFunctionClass<TVxEvInsertStrFunction>);
    add("CHR", &VxFunctionClass<TVxEvChrFunction>);
    add("STRTOINT", &VxFunctionClass<TVxEvStrToIntFunction>);
    add("STRTONUM", &VxFunctionClass<TVxEvStrToNumFunction>);
    add("CURRENCY", &VxFunctionClass<TVxEvCurrencyFunction>);
    add("ABS", &VxFunctionClass<TVxEvAbsFunction>);
    add("BLACK", &VxFunctionClass<TVxEvColorFunction<0>>);
    add("MAROON", &VxFunctionClass<TVxEvColorFunction<128>>);
    add("GREEN", &VxFunctionClass<TVxEvColorFunction<32768>>);
    add("OLIVE", &VxFunctionClass<TVxEvColorFunction<32896>>);
    add("NAVY", &VxFunctionClass<TVxEvColorFunction<8388608>>);
    add("PURPLE", &VxFunctionClass<TVxEvColorFunction<8388736>>);
    add("TEAL", &VxFunctionClass<TVxEvColorFunction<8421376>>);
    add("GRAY", &VxFunctionClass<TVxEvColorFunction<8421504>>);
    add("SILVER", &VxFunctionClass<TVxEvColorFunction<12632256>>);
    add("RED", &VxFunctionClass<TVxEvColorFunction<255>>);
    add("LIME", &VxFunctionClass<TVxEvColorFunction<65280>>);
    add("BLUE", &VxFunctionClass<TVxEvColorFunction<16711680>>);
    add("FUCHSIA", &VxFunctionClass<TVxEvColorFunction<16711935>>);
    add("AQUA", &VxFunctionClass<TVxEvColorFunction<16776960>>);
    add("WHITE", &VxFunctionClass<TVxEvColorFunction<16777215>>);
    add("YELLOW", &VxFunctionClass<TVxEvColorFunction<65535>>);
    add("RGBCOLOR", &VxFunctionClass<TVxEvRGBColorFunction>);
    add("READINI", &VxFunctionClass<TVxEvReadIniFunction>);
    add("READREGISTRY", &VxFunctionClass<TVxEvReadRegistryFunction>);
}

} // namespace zelmio::vxext
