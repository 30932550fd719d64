#include "expr/VxEvElementWrapper.h"

#include "expr/VxEvEmbeddedFunction.h"

namespace zelmio {

TVxEvElementWrapper::TVxEvElementWrapper(std::weak_ptr<TVxEvEmbeddedFunction> function,
                                         const QString &name)
    : FEmbeddedFunction(std::move(function)), m_name(name)
{
}

TVxEvResult TVxEvElementWrapper::Value(TVxFiFo &)
{
    const std::shared_ptr<TVxEvEmbeddedFunction> function = FEmbeddedFunction.lock();
    if (!function)
        return TVxEvResult::Error(QStringLiteral("Unknown function : %1").arg(m_name));
    return function->Evaluate();
}

} // namespace zelmio
