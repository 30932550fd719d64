#include "designer/DesignExpressions.h"

#include "expr/VxEvaluator.h"
#include "model/CustomVexa.h"
#include "storage/ExpressionText.h"

#include <exception>

namespace zelmio {

namespace {

TVxEvResult Evaluate(const QString &text, TCustomVexa *report)
{
    TVxEvaluator evaluator;
    if (report)
        evaluator.SetDataSets(&report->RunState().AllDataSets);
    try {
        return evaluator.Calculate(text);
    } catch (const std::exception &) {
        return TVxEvResult::Error();
    }
}

} // namespace

bool EvalBoolExpression(const QString &text, TCustomVexa *report)
{
    if (text.isEmpty())
        return true;
    const TVxEvResult result = Evaluate(text, report);
    return result.Kind != TVxEvResultType::resBool || result.booResult;
}

QString EvalStringExpression(const QString &text, TCustomVexa *report)
{
    const TVxEvResult result = Evaluate(text, report);
    if (result.Kind == TVxEvResultType::resString)
        return result.StringVal;
    if (result.Kind == TVxEvResultType::resInt)
        return QString::number(result.intResult);
    return QString();
}

QStringList EvaluateStringList(TCustomVexa *report, const QStringList &lines)
{
    return ExpandExpressionText(lines, [report](const QString &expression) {
        return EvalStringExpression(expression, report);
    });
}

} // namespace zelmio
