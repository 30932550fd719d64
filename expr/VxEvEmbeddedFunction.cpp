#include "expr/VxEvEmbeddedFunction.h"

#include "platform/VxError.h"
#include "expr/VxEvaluator.h"

namespace zelmio {

TVxEvEmbeddedFunction::TVxEvEmbeddedFunction(const QString &expression)
    : m_evaluator(std::make_unique<TVxEvaluator>()), FExpression(expression)
{
}

TVxEvEmbeddedFunction::~TVxEvEmbeddedFunction() = default;

TVxEvResult TVxEvEmbeddedFunction::Value(TVxFiFo &)
{
    return Evaluate();
}

void TVxEvEmbeddedFunction::SetExpression(const QString &expression)
{
    std::unique_lock<std::recursive_mutex> lock;
    if (m_lock)
        lock = std::unique_lock<std::recursive_mutex>(*m_lock);
    if (FInEvaluate)
        throw EVxError(QStringLiteral("Cannot change an expression while it is evaluated"));
    FExpression = expression;
    if (m_evaluator->Prepared())
        m_evaluator->Prepare(FExpression);
}

TVxEvResult TVxEvEmbeddedFunction::Evaluate()
{
    std::unique_lock<std::recursive_mutex> lock;
    if (m_lock)
        lock = std::unique_lock<std::recursive_mutex>(*m_lock);
    if (FInEvaluate)
        return TVxEvResult::Error(QStringLiteral("Recursive calls not allowed"));
    FInEvaluate = true;
    struct Clear {
        bool &flag;
        ~Clear() { flag = false; }
    } clear{FInEvaluate};
    return m_evaluator->Value();
}

} // namespace zelmio
