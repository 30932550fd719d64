#include "expr/CoreFunctions.h"

#include "expr/EIntOverflow.h"
#include "platform/Formats.h"

#include <cmath>
#include <limits>

namespace zelmio {

qint32 vxfn::RoundToInt32(double value)
{
    const double rounded = std::nearbyint(value);   // halves to even
    if (!(rounded >= double(std::numeric_limits<qint32>::min())
          && rounded <= double(std::numeric_limits<qint32>::max())))
        throw EIntOverflow();
    return qint32(rounded);
}

TVxEvResult TVxEvIntFunction::Calculate()
{
    if (ArgCount() != 1)
        return vxfn::WrongArguments("INT");
    const TVxEvResult &x = Arg(0);
    switch (x.Kind) {
    case TVxEvResultType::resInt:
        return x;
    case TVxEvResultType::resDouble: {
        if (std::isnan(x.dblResult))
            return vxfn::WrongArguments("INT");
        const double truncated = std::trunc(x.dblResult);
        // A float beyond 32 bits cannot become an integer: fail rather than
        // wrap to a wrong number.
        if (!(truncated >= double(std::numeric_limits<qint32>::min())
              && truncated <= double(std::numeric_limits<qint32>::max())))
            throw EIntOverflow();
        return TVxEvResult::Int(qint32(truncated));
    }
    case TVxEvResultType::resString:
    case TVxEvResultType::resBool:
    case TVxEvResultType::resError:
        break;
    }
    return vxfn::WrongArguments("INT");
}

TVxEvResult TVxEvFracFunction::Calculate()
{
    if (ArgCount() != 1)
        return TVxEvResult::Error();
    const TVxEvResult &x = Arg(0);
    if (x.Kind == TVxEvResultType::resInt)
        return TVxEvResult::Double(0.0);
    if (x.Kind == TVxEvResultType::resDouble)
        return TVxEvResult::Double(x.dblResult - std::trunc(x.dblResult));
    return TVxEvResult::Error();
}

TVxEvResult TVxEvSQRTFunction::Calculate()
{
    const TVxEvResult invalid = TVxEvResult::Error(QStringLiteral("Invalid argument to SQRT function"));
    if (ArgCount() != 1 || !Arg(0).IsNumber())
        return invalid;
    const double x = Arg(0).Kind == TVxEvResultType::resInt ? double(Arg(0).intResult) : Arg(0).dblResult;
    if (!(x >= 0.0))
        return invalid;
    return TVxEvResult::Double(std::sqrt(x));
}

TVxEvResult TVxEvDivFunction::Calculate()
{
    if (ArgCount() != 2 || !Arg(0).IsNumber() || !Arg(1).IsNumber())
        return vxfn::WrongArguments("DIV");
    auto toInt = [](const TVxEvResult &r) {
        return r.Kind == TVxEvResultType::resInt ? r.intResult : vxfn::RoundToInt32(r.dblResult);
    };
    const qint32 x = toInt(Arg(0));
    const qint32 y = toInt(Arg(1));
    if (y == 0)
        return TVxEvResult::Error(QStringLiteral("Division by Zero"));
    if (x == std::numeric_limits<qint32>::min() && y == -1)
        throw EIntOverflow();
    return TVxEvResult::Int(x / y);   // C++ division cuts toward zero
}

TVxEvResult TVxEvStrFunction::Calculate()
{
    if (ArgCount() == 1) {
        const TVxEvResult &x = Arg(0);
        switch (x.Kind) {
        case TVxEvResultType::resInt:
        case TVxEvResultType::resDouble:
        case TVxEvResultType::resBool:
            return TVxEvResult::String(VxEvResultText(x));
        case TVxEvResultType::resString:
        case TVxEvResultType::resError:
            break;
        }
    }
    return TVxEvResult::Error(QStringLiteral("Conversion error"));
}

TVxEvResult TVxEvFormatNumericFunction::Calculate()
{
    if (ArgCount() != 2 || Arg(0).Kind != TVxEvResultType::resString || !Arg(1).IsNumber())
        return TVxEvResult::Error();
    const double value = Arg(1).Kind == TVxEvResultType::resInt ? double(Arg(1).intResult)
                                                                : Arg(1).dblResult;
    try {
        return TVxEvResult::String(FormatFloat(Arg(0).StringVal, value));
    } catch (const std::exception &) {
        return TVxEvResult::Error(QStringLiteral("Invalid format or value specified"));
    }
}

} // namespace zelmio
