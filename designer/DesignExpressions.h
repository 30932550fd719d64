#pragma once
// The expression services of the design report for conditions and texts of
// templates: evaluated against the record sets of the running report.

#include <QString>
#include <QStringList>

namespace zelmio {

class TCustomVexa;

// True unless the text evaluates to false (an empty or faulty condition
// counts as true).
bool EvalBoolExpression(const QString &text, TCustomVexa *report);
// A string result as it is, an integer in decimal, anything else empty.
QString EvalStringExpression(const QString &text, TCustomVexa *report);
// The lines with their "%%expression%%" parts replaced and "%DEL" lines gone.
QStringList EvaluateStringList(TCustomVexa *report, const QStringList &lines);

} // namespace zelmio
