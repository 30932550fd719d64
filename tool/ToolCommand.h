#pragma once
// Subcommands of zelmio-tool register themselves by name; main() dispatches.
// Each subcommand lives in its own file and returns the process exit code.

#include <QStringList>
#include <QTextStream>
#include <functional>
#include <map>

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

} // namespace zelmio::tool
