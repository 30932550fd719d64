#include "storage/ExpressionText.h"

namespace zelmio {

QString ExpandExpressionLine(const QString &line, const TExpressionTextEvaluator &evaluate)
{
    static const QString marker = QStringLiteral("%%");
    QString result = line;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = result.indexOf(marker, from);
        if (open < 0)
            break;
        result.remove(open, 2);
        qsizetype close = result.indexOf(marker, open);
        QString expression;
        if (close < 0) {
            expression = result.mid(open);
            close = result.size();
            result.truncate(open);
        } else {
            expression = result.mid(open, close - open);
            result.remove(open, close - open + 2);
        }
        const QString value = evaluate ? evaluate(expression) : QString();
        result.insert(open, value);
        from = open + value.size();
    }
    return result;
}

QStringList ExpandExpressionText(const QStringList &lines, const TExpressionTextEvaluator &evaluate)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString &line : lines)
        result.append(ExpandExpressionLine(line, evaluate));
    for (qsizetype i = result.size() - 1; i >= 0; --i) {
        if (result.at(i).trimmed() == QLatin1String("%DEL"))
            result.removeAt(i);
    }
    for (QString &line : result)
        line.remove(QStringLiteral("%DEL"));
    return result;
}

} // namespace zelmio
