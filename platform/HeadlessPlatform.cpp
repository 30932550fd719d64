#include "platform/HeadlessPlatform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// Whether a Unix stream socket at path (a leading '\0': in the abstract
// namespace) accepts a connection.
static bool unixSocketAccepts(const QByteArray &path)
{
    sockaddr_un address {};
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()));
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0;
    ::close(fd);
    return ok;
}

// Whether host accepts a TCP connection on port within a short time.
static bool tcpPortAccepts(const QByteArray &host, int port)
{
    addrinfo hints {};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return false;
    bool ok = false;
    for (addrinfo *a = found; a && !ok; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            ok = true;
        } else if (errno == EINPROGRESS) {
            pollfd p {fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            ok = ::poll(&p, 1, 2000) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return ok;
}

// Whether the X server that display (DISPLAY's value) names can be reached:
// ":N" and "unix:N" by its local socket, "host:N" on TCP port 6000 + N.
// The socket is probed directly, so the core needs no X library; forms this
// does not know count as reachable and are left to Qt.
static bool xDisplayReachable(const QByteArray &display)
{
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0)
        return true;
    QByteArray host = display.left(colon);
    QByteArray number = display.mid(colon + 1);
    if (const qsizetype dot = number.indexOf('.'); dot >= 0)
        number.truncate(dot);
    bool isNumber = false;
    const int n = number.toInt(&isNumber);
    if (!isNumber || n < 0 || host.startsWith('/') || host.contains('/'))
        return true;
    if (host.isEmpty() || host == "unix") {
        const QByteArray path = "/tmp/.X11-unix/X" + QByteArray::number(n);
        return unixSocketAccepts(QByteArray(1, '\0') + path) || unixSocketAccepts(path);
    }
    if (host.startsWith('[') && host.endsWith(']'))
        host = host.mid(1, host.size() - 2);
    return tcpPortAccepts(host, 6000 + n);
}

// Whether the Wayland compositor that WAYLAND_DISPLAY names can be reached:
// its socket, relative to runtimeDir unless the name is a path.
static bool waylandDisplayReachable(const QByteArray &display, const QByteArray &runtimeDir)
{
    if (display.startsWith('/'))
        return unixSocketAccepts(display);
    if (runtimeDir.isEmpty())
        return false;
    return unixSocketAccepts(runtimeDir + '/' + display);
}

bool UseOffscreenPlatformWhenHeadless(bool forceOffscreen)
{
    // The Wayland socket lies in the session's runtime folder, not in the
    // private one a session-less start is given below.
    const QByteArray sessionRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
    ensureRuntimeDir();
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return qgetenv("QT_QPA_PLATFORM").startsWith("offscreen");
    if (forceOffscreen) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    // Qt ends the program when the display it picks cannot be opened, so a
    // display that is named but not there counts as none.
    const QByteArray x = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const bool haveX = !x.isEmpty() && xDisplayReachable(x);
    const bool haveWayland = !wayland.isEmpty() && waylandDisplayReachable(wayland, sessionRuntimeDir);
    if (!haveX && !haveWayland) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    // Only one of them answers: Qt must not pick the other.
    if (haveX && !haveWayland && (!wayland.isEmpty() || qgetenv("XDG_SESSION_TYPE") == "wayland"))
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    else if (haveWayland && !haveX)
        qputenv("QT_QPA_PLATFORM", "wayland;offscreen");
    return false;
}

bool RunningHeadless()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen")
        || QGuiApplication::platformName() == QLatin1String("minimal");
}

} // namespace zelmio
