#include "expr/CoreFunctions.h"

namespace zelmio {

TVxEvResult vxfn::WrongArguments(const char *name)
{
    return TVxEvResult::Error(QStringLiteral("Wrong arguments for %1").arg(QLatin1String(name)));
}

TVxEvResult TVxEvIfFunction::Calculate()
{
    // Both branches were evaluated already; IF only picks one.
    if (ArgCount() != 3 || Arg(0).Kind != TVxEvResultType::resBool)
        return vxfn::WrongArguments("IF");
    return Arg(0).booResult ? Arg(1) : Arg(2);
}

TVxEvResult TVxEvTrue::Calculate()
{
    if (ArgCount() != 0)
        return TVxEvResult::Error(QStringLiteral("Too many arguments"));
    return TVxEvResult::Bool(true);
}

TVxEvResult TVxEvFalse::Calculate()
{
    if (ArgCount() != 0)
        return TVxEvResult::Error(QStringLiteral("Too many arguments"));
    return TVxEvResult::Bool(false);
}

TVxEvResult TVxEvTypeOfFunction::Calculate()
{
    if (ArgCount() != 1)
        return vxfn::WrongArguments("TypeOf");
    return TVxEvResult::String(VxEvResultTypeName(Arg(0).Kind));
}

} // namespace zelmio
