#include "platform/HeadlessPlatform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace zelmio {

// Without a session (a host's service account, CI) XDG_RUNTIME_DIR is unset
// and Qt warns about it on every start; give it a private folder instead, so
// standard error carries only our own messages.
static void ensureRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir = "/tmp/zelmio-runtime-" + QByteArray::number(uint(getuid()));
    ::mkdir(dir.constData(), 0700);
    struct stat st {};
    if (::stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid()
        && (st.st_mode & 0777) == 0700)
        qputenv("XDG_RUNTIME_DIR", dir);
}

bool UseOffscreenPlatformWhenHeadless(bool forceOffscreen)
{
    ensureRuntimeDir();
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
