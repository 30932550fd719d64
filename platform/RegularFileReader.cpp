#include "platform/RegularFileReader.h"

#include "platform/VxError.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelmio {

namespace {

constexpr qint64 ReadChunk = 1 << 20;

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

QString notRegular(const QString &subject, mode_t mode)
{
    return QStringLiteral("%1 is not a regular file (it is %2)").arg(subject, kindOf(mode));
}

QString cannotOpen(const QString &subject, int error)
{
    return QStringLiteral("%1: cannot be opened: %2").arg(subject, qt_error_string(error));
}

} // namespace

QString RegularFileProblem(const QString &fileName, const QString &subject)
{
    const QString shown = subject.isEmpty() ? fileName : subject;
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return cannotOpen(shown, errno);
    if (!S_ISREG(st.st_mode))
        return notRegular(shown, st.st_mode);
    return QString();
}

TRegularFileReader::TRegularFileReader(const QString &fileName, const QString &subject)
    : m_subject(subject.isEmpty() ? fileName : subject)
{
    const QByteArray path = QFile::encodeName(fileName);
    // The type is checked before opening, and opening does not wait, so a
    // pipe swapped in between is refused by the second check as well.
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        throw EVxError(cannotOpen(m_subject, errno));
    if (!S_ISREG(st.st_mode))
        throw EVxError(notRegular(m_subject, st.st_mode));
    m_fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        throw EVxError(cannotOpen(m_subject, errno));
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const QString message = notRegular(m_subject, st.st_mode);
        ::close(m_fd);
        m_fd = -1;
        throw EVxError(message);
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    m_sizeHint = qint64(st.st_size);
}

TRegularFileReader::~TRegularFileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 TRegularFileReader::Read(char *buffer, qint64 maxBytes)
{
    qint64 done = 0;
    while (done < maxBytes && !m_atEnd) {
        const ssize_t n = ::read(m_fd, buffer + done, size_t(std::min<qint64>(maxBytes - done, ReadChunk)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw EVxError(QStringLiteral("%1: cannot be read: %2").arg(m_subject, qt_error_string(errno)));
        }
        if (n == 0)
            m_atEnd = true;
        done += n;
    }
    m_consumed += done;
    return done;
}

QByteArray TRegularFileReader::Read(qint64 maxBytes)
{
    QByteArray bytes(qsizetype(std::max<qint64>(maxBytes, 0)), Qt::Uninitialized);
    bytes.truncate(qsizetype(Read(bytes.data(), bytes.size())));
    return bytes;
}

QByteArray TRegularFileReader::ReadRest(qint64 limit)
{
    // One byte beyond the limit tells a file of exactly limit bytes from a
    // larger one. The reported size only sizes the first buffer.
    const qint64 wanted = std::max<qint64>(limit - m_consumed, 0) + 1;
    qint64 capacity = std::min<qint64>(std::max<qint64>(m_sizeHint - m_consumed + 1, 64 * 1024), wanted);
    QByteArray bytes;
    qint64 filled = 0;
    while (!m_atEnd && filled < wanted) {
        if (filled == bytes.size()) {
            bytes.resize(qsizetype(capacity));
            capacity = std::min<qint64>(capacity * 2, wanted);
        }
        filled += Read(bytes.data() + filled, bytes.size() - filled);
    }
    if (m_consumed > limit)
        FailTooLarge(limit);
    bytes.truncate(qsizetype(filled));
    return bytes;
}

void TRegularFileReader::FailTooLarge(qint64 limit) const
{
    throw EVxError(QStringLiteral("%1 is larger than %2 MB, the most that is read")
                       .arg(m_subject)
                       .arg(limit / (1024 * 1024)));
}

QByteArray ReadRegularFile(const QString &fileName, qint64 limit, const QString &subject)
{
    TRegularFileReader reader(fileName, subject);
    return reader.ReadRest(limit);
}

} // namespace zelmio
