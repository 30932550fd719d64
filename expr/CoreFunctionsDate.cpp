#include "expr/CoreFunctions.h"

#include "platform/Formats.h"

namespace zelmio {

TVxEvResult TVxEvTimeFunction::Calculate()
{
    if (ArgCount() != 0)
        return TVxEvResult::Error();
    return TVxEvResult::String(TimeToStr(Time()));
}

TVxEvResult TVxEvDateFunction::Calculate()
{
    if (ArgCount() != 0)
        return TVxEvResult::Error();
    return TVxEvResult::String(DateToStr(Date()));
}

} // namespace zelmio
