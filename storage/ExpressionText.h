#pragma once
// Expression expansion inside texts (SQL statements, memo lines, rich text):
// each part between a pair of "%%" (or from a single "%%" to the end of the
// line) is replaced by the text of that expression; then every line whose
// trimmed text is "%DEL" is deleted and every remaining "%DEL" is removed.

#include <QString>
#include <QStringList>
#include <functional>

namespace zelmio {

using TExpressionTextEvaluator = std::function<QString(const QString &expression)>;

// One line's expressions. A value that itself contains "%%" is not expanded
// again, so that a value can never make the expansion run forever.
QString ExpandExpressionLine(const QString &line, const TExpressionTextEvaluator &evaluate);
QStringList ExpandExpressionText(const QStringList &lines, const TExpressionTextEvaluator &evaluate);

} // namespace zelmio
