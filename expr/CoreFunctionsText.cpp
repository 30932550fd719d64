#include "expr/CoreFunctions.h"

#include <algorithm>

namespace zelmio {

namespace {

// Argument checks shared by UPPER, LOWER and PRETTY: an argument of another
// kind gives an error carrying that argument's message (so an error passes
// through), a wrong count "Missing argument for <name>".
bool textArgument(const TVxEvElementFunction &f, const char *name, TVxEvResult &error)
{
    if (f.ArgCount() != 1) {
        error = TVxEvResult::Error(
            QStringLiteral("Missing argument for %1").arg(QLatin1String(name)));
        return false;
    }
    const TVxEvResult &x = f.Arg(0);
    if (x.Kind == TVxEvResultType::resString)
        return true;
    error = TVxEvResult::Error(x.Kind == TVxEvResultType::resError ? x.StringVal : QString());
    return false;
}

} // namespace

TVxEvResult TVxEvUpperFunction::Calculate()
{
    TVxEvResult error;
    if (!textArgument(*this, "UPPER", error))
        return error;
    return TVxEvResult::String(Arg(0).StringVal.toUpper());
}

TVxEvResult TVxEvLowerFunction::Calculate()
{
    TVxEvResult error;
    if (!textArgument(*this, "LOWER", error))
        return error;
    return TVxEvResult::String(Arg(0).StringVal.toLower());
}

TVxEvResult TVxEvPrettyFunction::Calculate()
{
    TVxEvResult error;
    if (!textArgument(*this, "PRETTY", error))
        return error;
    const QString &text = Arg(0).StringVal;
    if (text.isEmpty())
        return TVxEvResult::String(QString());
    // The first character whole: a surrogate pair is one character.
    const qsizetype firstLength =
        text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate() ? 2 : 1;
    return TVxEvResult::String(text.left(firstLength).toUpper() + text.mid(firstLength).toLower());
}

TVxEvResult TVxEvCopyFunction::Calculate()
{
    if (ArgCount() != 3 || Arg(0).Kind != TVxEvResultType::resString
        || Arg(1).Kind != TVxEvResultType::resInt || Arg(2).Kind != TVxEvResultType::resInt)
        return TVxEvResult::Error();
    const QString &text = Arg(0).StringVal;
    const qint64 size = text.size();
    const qint64 start = std::max<qint64>(Arg(1).intResult, 1);
    qint64 count = Arg(2).intResult;
    if (start > size || count <= 0)
        return TVxEvResult::String(QString());
    count = std::min(count, size - start + 1);

    // Never cut a surrogate pair: skip a second half at the start, leave out
    // a first half at the end.
    qint64 index = start - 1;
    if (text[index].isLowSurrogate()) {
        ++index;
        --count;
    }
    if (count > 0 && text[index + count - 1].isHighSurrogate())
        --count;
    if (count <= 0)
        return TVxEvResult::String(QString());
    return TVxEvResult::String(text.mid(index, count));
}

} // namespace zelmio
