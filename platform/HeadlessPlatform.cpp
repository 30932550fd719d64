#include "platform/HeadlessPlatform.h"

#include <QGuiApplication>
#include <QtGlobal>

namespace zelmio {

bool UseOffscreenPlatformWhenHeadless(bool forceOffscreen)
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return qgetenv("QT_QPA_PLATFORM").startsWith("offscreen");
    const bool haveDisplay = !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (forceOffscreen || !haveDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    return false;
}

bool RunningHeadless()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen")
        || QGuiApplication::platformName() == QLatin1String("minimal");
}

} // namespace zelmio
