#include "expr/VxUserDialogs.h"

namespace zelmio {

TVxUserDialogs &GlobalUserDialogs()
{
    static TVxUserDialogs dialogs;
    return dialogs;
}

} // namespace zelmio
