#include "platform/SafeFileWriter.h"

#include "platform/RegularFileReader.h"
#include "platform/VxError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelmio {

namespace {

QString randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 8; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return suffix;
}

// Makes a rename in folder last across a crash; file systems that cannot
// sync a folder are not an error.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

TSafeFileWriter::TSafeFileWriter(const QString &fileName)
    : m_fileName(fileName)
{
}

TSafeFileWriter::~TSafeFileWriter()
{
    discard();
}

bool TSafeFileWriter::open()
{
    if (isOpen()) {
        setErrorString(QStringLiteral("the file is already open"));
        return false;
    }
    m_failed = false;
    QFileInfo target(m_fileName);
    // A link is followed: the file it points to is replaced, the link stays.
    if (target.isSymLink())
        target = QFileInfo(target.symLinkTarget());
    const QString folder = target.absolutePath();
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const QString name = folder + QStringLiteral("/.") + target.fileName() + QLatin1Char('.') + randomSuffix();
        m_fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_tempName = name;
        } else if (errno != EEXIST) {
            setErrorString(QStringLiteral("cannot create a temporary file in %1: %2").arg(folder, qt_error_string(errno)));
            return false;
        }
    }
    if (m_fd < 0) {
        setErrorString(QStringLiteral("cannot create a temporary file in %1").arg(folder));
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat st {};
    if (::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(m_fd, st.st_mode & 07777);
    m_fileName = target.absoluteFilePath();
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 TSafeFileWriter::readData(char *, qint64)
{
    return -1;
}

qint64 TSafeFileWriter::writeData(const char *data, qint64 size)
{
    if (m_failed || m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(QString(), errno);
            return -1;
        }
        done += n;
    }
    return done;
}

bool TSafeFileWriter::fail(const QString &what, int error)
{
    m_failed = true;
    const QString reason = qt_error_string(error);
    setErrorString(what.isEmpty() ? reason : what + QStringLiteral(": ") + reason);
    return false;
}

void TSafeFileWriter::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempName.isEmpty()) {
        ::unlink(QFile::encodeName(m_tempName).constData());
        m_tempName.clear();
    }
    if (isOpen())
        QIODevice::close();
}

void TSafeFileWriter::cancelWriting()
{
    discard();
}

bool TSafeFileWriter::commit(const QString &backupFileName)
{
    if (!isOpen() || m_fd < 0) {
        setErrorString(QStringLiteral("the file is not open"));
        return false;
    }
    bool ok = !m_failed;
    // Delayed allocation and network file systems report a full disk only
    // here, so both results count.
    if (ok && ::fsync(m_fd) != 0 && errno != EINVAL)
        ok = fail(QStringLiteral("flushing to disk failed"), errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR && ok)
        ok = fail(QStringLiteral("closing failed"), errno);
    if (ok && !backupFileName.isEmpty() && QFileInfo::exists(m_fileName)) {
        try {
            TRegularFileReader original(m_fileName);
            TSafeFileWriter backup(backupFileName);
            if (!backup.open()) {
                ok = false;
            } else {
                QByteArray chunk;
                do {
                    chunk = original.Read(1 << 20);
                    if (backup.write(chunk) != chunk.size())
                        ok = false;
                } while (ok && !original.AtEnd());
                ok = ok && backup.commit();
            }
            if (!ok)
                setErrorString(QStringLiteral("the backup %1 cannot be written: %2").arg(backupFileName, backup.errorString()));
        } catch (const EVxError &e) {
            ok = false;
            setErrorString(QStringLiteral("the backup %1 cannot be written: %2").arg(backupFileName, e.message()));
        }
    }
    if (ok && ::rename(QFile::encodeName(m_tempName).constData(), QFile::encodeName(m_fileName).constData()) != 0)
        ok = fail(QStringLiteral("renaming %1 into place failed").arg(m_tempName), errno);
    if (!ok) {
        discard();
        return false;
    }
    m_tempName.clear();
    QIODevice::close();
    syncFolder(QFileInfo(m_fileName).absolutePath());
    return true;
}

void WriteFileSafely(const QString &fileName, const QByteArray &bytes, const QString &backupFileName)
{
    TSafeFileWriter file(fileName);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.commit(backupFileName)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(fileName, reason));
    }
}

} // namespace zelmio
