// zelmio: started by a host application with a report template, an optional
// PDF path and an XML data packet; runs the designer, a preview or a silent
// PDF export, and ends with exit code 0 on success.
#include "app/ShellArguments.h"
#include "app/widgets/ZelmioMain.h"
#include "designer/ZelmioStartup.h"
#include "platform/HeadlessPlatform.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The arguments are the host's alone: the application object sees only the
    // program name, so that an argument such as "-style" (a marker character
    // and a path) is never taken for one of Qt's own options.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    zelmio::UseOffscreenPlatformWhenHeadless();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelmio"));
    zelmio::StartZelmioCore();

    zelmio::TZelmioMain mainWindow(zelmio::ShellArguments::FromCommandLine(arguments));
    mainWindow.Start();
    return app.exec();
}
