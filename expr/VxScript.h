#pragma once
// The script language of templates: small scripts that run while a report
// prints, one statement a line — IF (cond) / ELSE / ENDIF blocks, LOOP /
// ENDLOOP with BREAK and BREAKLOOP, EXIT, RETURN(expr), comments ("//") and
// otherwise any expression, evaluated for its effect. A template keeps all
// its scripts in one list of lines ("Script"), each under a header line
// "[Component.Event]". Scripts share named variables with expressions.

#include "expr/VxDataSetList.h"
#include "expr/VxEvResult.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace zelmio {

enum class TScriptError {
    seENDIFWITHOUTIF,
    seENDLOOPWITHOUTLOOP,
    seIFCONDITIONERROR,
    seELSEWITHOUTIF,
    seINVALIDBREAK,
    seINVALIDBREAKLOOP,
    seGENERALERROR,
};

// The text of a script error ("ENDIF without IF", ...).
QString ScriptErrorText(TScriptError error);

// A script that failed: "Script error on line N: <problem>\nLine N: \"<line>\"",
// N the 0-based index of the line within the script.
class EVxScriptError : public std::runtime_error {
public:
    explicit EVxScriptError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// --- The script store ------------------------------------------------------

// True if "[" + name + "." occurs anywhere in the lines, in any case.
bool HasScript(const QStringList &store, const QString &name);
// The lines of the section [name.event] (header found in any case), up to
// the next line that begins with "["; empty when there is none.
QStringList GetScript(const QStringList &store, const QString &name, const QString &event);
// The index of the header [name.event] with exact case (or -1) and the
// section's line count including the header.
void GetScriptPos(const QStringList &store, const QString &name, const QString &event, int &count, int &pos);
void DeleteScript(QStringList &store, const QString &name, const QString &event);
// Every header line of the component gets its new name.
void ChangeScriptComponentName(QStringList &store, const QString &oldName, const QString &newName);

// --- Running ---------------------------------------------------------------

// Runs the statements of one script from line start; expressions read the
// given record sets. result gets the value of the last RETURN, or stays an
// error value without text. Raises EVxScriptError on a misplaced statement,
// a condition that is not boolean, a failure of an evaluation, or a script
// that does not end.
void RunScript(const QStringList &lines, int start, TVxDataSetList *dataSets, TVxEvResult &result);
// The most statements one run may execute: a LOOP without a way out must
// not hang an unattended export.
constexpr qint64 kMaxScriptSteps = 10000000;

// --- Script variables --------------------------------------------------------

// A named value shared by scripts and expressions; the name is stored
// upper-cased and cut to 40 characters.
struct TVxDScriptVar {
    QString Name;
    TVxEvResult Value;
};

// The process-wide variables live from one report run to the next; they are
// safe to use from a run on a worker thread.
TVxDScriptVar SetVxDScriptVar(const QString &name, const TVxEvResult &value);
std::optional<TVxDScriptVar> FindVxDScriptVar(const QString &name);
bool DeleteVxDScriptVar(const QString &name);
void FreeScriptVars();

} // namespace zelmio
