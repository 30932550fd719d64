#include "storage/TemplateFileRewrite.h"

#include <QRegularExpression>
#include <QString>

namespace zelmio {

namespace {

struct Rule {
    QRegularExpression pattern;
    QString replacement;
};

const std::vector<Rule> &Rules()
{
    // Word boundaries treat bytes above 127 (Latin-1 here) as letters.
    static const QString before = QStringLiteral("(?<![A-Za-z0-9_\\x{80}-\\x{ff}])");
    static const QString after = QStringLiteral("(?![A-Za-z0-9_\\x{80}-\\x{ff}])");
    const auto rule = [](const QString &pattern, const QString &replacement) {
        return Rule{QRegularExpression(before + pattern + after, QRegularExpression::CaseInsensitiveOption),
                    replacement};
    };
    static const std::vector<Rule> rules = {
        rule(QStringLiteral("TQuery"), QStringLiteral("TFDQuery")),
        rule(QStringLiteral("TTable"), QStringLiteral("TFDTable")),
        Rule{QRegularExpression(before + QStringLiteral("Macros = <"), QRegularExpression::CaseInsensitiveOption),
             QStringLiteral("MacroData = <")},
        rule(QStringLiteral("ParamType = ptInput"), QString()),
        rule(QStringLiteral("ParamType = ptUnknown"), QString()),
        rule(QStringLiteral("object _1: TPropertyAddons"), QStringLiteral("object TPropertyAddons")),
    };
    return rules;
}

bool MayNeedRewrite(const QByteArray &segment)
{
    const QByteArray lower = segment.toLower();
    return lower.contains("tquery") || lower.contains("ttable") || lower.contains("macros")
        || lower.contains("paramtype") || lower.contains("_1");
}

QByteArray RewriteSegment(const QByteArray &segment)
{
    if (!MayNeedRewrite(segment))
        return segment;
    QString text = QString::fromLatin1(segment);
    for (const Rule &rule : Rules())
        text.replace(rule.pattern, rule.replacement);
    return text.toLatin1();
}

template <class Rewrite>
QByteArray RewriteUnquoted(const QByteArray &text, Rewrite rewrite)
{
    QByteArray result;
    result.reserve(text.size());
    qsizetype segmentStart = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\'' || (quoted && (c == '\n' || c == '\r'))) {
            const QByteArray segment = text.mid(segmentStart, i - segmentStart);
            result += quoted ? segment : rewrite(segment);
            result += c;
            segmentStart = i + 1;
            quoted = c == '\'' ? !quoted : false;
        }
    }
    const QByteArray tail = text.mid(segmentStart);
    result += quoted ? tail : rewrite(tail);
    return result;
}

} // namespace

QByteArray ReplaceOutsideQuotes(const QByteArray &text, const QByteArray &from, const QByteArray &to)
{
    if (from.isEmpty())
        return text;
    const QByteArray lowerFrom = from.toLower();
    return RewriteUnquoted(text, [&](const QByteArray &segment) {
        const QByteArray lower = segment.toLower();
        if (!lower.contains(lowerFrom))
            return segment;
        QByteArray result;
        qsizetype start = 0;
        for (qsizetype at = lower.indexOf(lowerFrom); at >= 0; at = lower.indexOf(lowerFrom, start)) {
            result += segment.mid(start, at - start);
            result += to;
            start = at + from.size();
        }
        result += segment.mid(start);
        return result;
    });
}

QByteArray RewriteTemplateFileText(const QByteArray &text)
{
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF") || text.startsWith('\xFF'))
        return text;
    return RewriteUnquoted(text, RewriteSegment);
}

} // namespace zelmio
