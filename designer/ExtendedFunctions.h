#pragma once
// The extended expression functions: report state, record sets, text and
// dates, script variables, properties, fonts and colours of report elements,
// dialogs and system values. Two libraries register them after the core
// set: the first adds only names that are not registered yet; the second
// adds the names it does not find and, for a name already registered,
// replaces only the entry's function class (name, texts and data stay).
//
// Every function gives an error value without text when its arguments are
// not exactly of the kinds it takes, or when anything inside fails (a date
// that does not parse, a record set that cannot answer).

#include <QString>
#include <functional>

namespace zelmio {

class TVxLibrary;

void RegisterFirstExtendedLibrary(TVxLibrary &library);
void RegisterSecondExtendedLibrary(TVxLibrary &library);
// Both libraries into the process-wide registry; safe to call more than once.
void RegisterExtendedFunctions();

// The print date PRINTDATE shows instead of today's date when not empty.
QString CurrentPrintDate();
void SetCurrentPrintDate(const QString &date);

// The application's supplier of values for VAR(I): the callback gets the
// number and no name for an integer argument, and 9999 and the text for a
// text argument. Nothing installs a handler in this program.
class TVxExprHandler {
public:
    std::function<QString(int number, const QString &name)> OnCalcVar;
};
// The installed handler, or nullptr.
TVxExprHandler *VxExprHandler();
void SetVxExprHandler(TVxExprHandler *handler);

} // namespace zelmio
