#include "app/ShellArguments.h"

namespace zelmio {

static QString argumentWithoutMarker(const QStringList &args, int i)
{
    return i < args.size() ? args.at(i).mid(1) : QString();
}

ShellArguments ShellArguments::FromCommandLine(const QStringList &args)
{
    ShellArguments a;
    a.uVX2fails = argumentWithoutMarker(args, 0);
    a.uPDFFails = argumentWithoutMarker(args, 1);
    a.uDataSetFile = argumentWithoutMarker(args, 2);
    a.uRezims = argumentWithoutMarker(args, 3);
    return a;
}

} // namespace zelmio
