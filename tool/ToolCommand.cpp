#include "tool/ToolCommand.h"

namespace zelmio::tool {

std::map<QString, ToolCommand> &ToolCommands()
{
    static std::map<QString, ToolCommand> commands;
    return commands;
}

ToolCommandRegistration::ToolCommandRegistration(const QString &name, ToolCommand command)
{
    ToolCommands().emplace(name, std::move(command));
}

} // namespace zelmio::tool
