// zelmio-tool: the system seen from the command line, for template authors
// and for testing from outside. Runs headless.
#include "tool/ToolCommand.h"

#include "designer/ZelmioStartup.h"
#include "platform/HeadlessPlatform.h"

#include <QGuiApplication>
#include <exception>

using namespace zelmio::tool;

static void printUsage(QTextStream &err)
{
    err << "usage: zelmio-tool COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto &[name, cmd] : ToolCommands())
        err << "  " << cmd.usage << "\n      " << cmd.summary << "\n";
}

int main(int argc, char **argv)
{
    zelmio::UseOffscreenPlatformWhenHeadless(/*forceOffscreen=*/true);
    QGuiApplication app(argc, argv);
    zelmio::StartZelmioCore();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    auto it = ToolCommands().find(name);
    if (it == ToolCommands().end()) {
        err << "zelmio-tool: unknown command '" << name << "'\n";
        printUsage(err);
        return 2;
    }
    try {
        return it->second.run(args, out, err);
    } catch (const UsageError &e) {
        err << "zelmio-tool " << name << ": " << e.message << "\n"
            << "usage: zelmio-tool " << it->second.usage << "\n";
        return 2;
    } catch (const std::exception &e) {
        err << "zelmio-tool " << name << ": " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
