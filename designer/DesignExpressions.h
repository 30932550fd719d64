#pragma once
// The expression services of the design report for conditions and texts of
// templates: evaluated against the record sets of the running report.

#include <QString>
#include <QStringList>

class QTextDocument;

namespace zelmio {

class TCustomVexa;

// True unless the text evaluates to false (an empty or faulty condition
// counts as true).
bool EvalBoolExpression(const QString &text, TCustomVexa *report);
// A string result as it is, an integer in decimal, anything else empty.
QString EvalStringExpression(const QString &text, TCustomVexa *report);
// True unless the text evaluates to a string (an error counts as not a text).
bool IsExprResultNumeric(const QString &text, TCustomVexa *report);
// The lines with their "%%expression%%" parts replaced and "%DEL" lines gone.
QStringList EvaluateStringList(TCustomVexa *report, const QStringList &lines);
// Expands a rich text in place, keeping the formatting around it: each
// "%%expression%%" becomes its value (at most 255 characters of expression
// are taken), every paragraph that is "%DEL" alone goes, and the remaining
// "%DEL" marks are removed. All changes are one undo step of the document;
// returns whether anything changed.
bool ExpandRichText(QTextDocument &document, TCustomVexa *report);

} // namespace zelmio
