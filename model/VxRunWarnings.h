#pragma once
// Warnings of a report run that do not stop it (a barcode value that cannot
// be encoded, say). They go to standard error, one line each, unless a sink
// is installed (tests collect them).

#include <QString>
#include <functional>

namespace zelmio {

using TRunWarningSink = std::function<void(const QString &line)>;

void ReportRunWarning(const QString &line);
// Installs a sink and returns the previous one; an empty sink restores
// standard error.
TRunWarningSink SetRunWarningSink(TRunWarningSink sink);

} // namespace zelmio
