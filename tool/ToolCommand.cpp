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

void SelectLocale(std::optional<ScopedFormatSettings> &scope, const QString &name)
{
    if (name == QLatin1String("lv"))
        scope.emplace(TFormatSettings::latvian());
    else if (name == QLatin1String("en"))
        scope.emplace(TFormatSettings::usEnglish());
}

} // namespace zelmio::tool
