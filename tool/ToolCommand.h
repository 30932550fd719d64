#pragma once
// Subcommands of zelmio-tool register themselves by name; main() dispatches.
// Each subcommand lives in its own file and returns the process exit code.

#include "platform/FormatSettings.h"

#include <QStringList>
#include <QTextStream>
#include <functional>
#include <map>
#include <optional>

namespace zelmio::tool {

struct ToolCommand {
    QString usage;     // one line: "packet-info PACKET"
    QString summary;   // what it does
    std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)> run;
};

std::map<QString, ToolCommand> &ToolCommands();

struct ToolCommandRegistration {
    ToolCommandRegistration(const QString &name, ToolCommand command);
};

// Thrown by argument parsing helpers; main() prints it with the usage line.
struct UsageError {
    QString message;
};

// Puts the format settings of --locale in force for the scope's lifetime:
// "lv" Latvian, "en" US English; an empty name keeps the process's own.
void SelectLocale(std::optional<ScopedFormatSettings> &scope, const QString &name);

} // namespace zelmio::tool
