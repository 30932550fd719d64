#include "expr/VxEvResult.h"

#include "platform/VxError.h"
#include "platform/Formats.h"

namespace zelmio {

QString VxEvResultText(const TVxEvResult &result)
{
    switch (result.Kind) {
    case TVxEvResultType::resInt: return QString::number(result.intResult);
    case TVxEvResultType::resDouble: return FloatToStr(result.dblResult);
    case TVxEvResultType::resString: return result.StringVal;
    case TVxEvResultType::resBool:
        return result.booResult ? QStringLiteral("True") : QStringLiteral("False");
    case TVxEvResultType::resError: return result.StringVal;
    }
    return QString();
}

QString VxEvResultToString(const TVxEvResult &result)
{
    if (result.Kind == TVxEvResultType::resError)
        throw EVxError(QStringLiteral("Error in expression : %1").arg(result.StringVal));
    return VxEvResultText(result);
}

QString VxEvResultTypeName(TVxEvResultType kind)
{
    switch (kind) {
    case TVxEvResultType::resInt: return QStringLiteral("INTEGER");
    case TVxEvResultType::resDouble: return QStringLiteral("FLOAT");
    case TVxEvResultType::resString: return QStringLiteral("STRING");
    case TVxEvResultType::resBool: return QStringLiteral("BOOLEAN");
    case TVxEvResultType::resError: return QStringLiteral("ERROR");
    }
    return QStringLiteral("Unknown type");
}

} // namespace zelmio
