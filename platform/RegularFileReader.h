#pragma once
// Reading the files a user names (templates, data packets, prepared reports).
//
// Only regular files are read: a named pipe, a device or a folder is refused
// before it is opened (opening a pipe for reading waits for a writer). The
// size the file system reports is not trusted: content is read to its end,
// up to a limit the caller sets, so a file that grows or a size of zero
// (special files) cannot cut it short or make it overflow.
//
// Errors are EVxError messages about a subject, which is the file name
// unless the caller names it otherwise ("Data packet /x/y.xml"):
//   "<subject> is not a regular file (it is a named pipe)"
//   "<subject>: cannot be opened: <reason>"
//   "<subject>: cannot be read: <reason>"
//   "<subject> is larger than <n> MB, the most that is read"

#include <QByteArray>
#include <QString>

namespace zelmio {

// Why fileName cannot be read as a regular file, in the message forms
// above; empty when it can. The file is not opened.
QString RegularFileProblem(const QString &fileName, const QString &subject = QString());

class TRegularFileReader {
public:
    // Opens the file; raises EVxError when it is missing, not a regular
    // file or cannot be opened.
    explicit TRegularFileReader(const QString &fileName, const QString &subject = QString());
    ~TRegularFileReader();

    TRegularFileReader(const TRegularFileReader &) = delete;
    TRegularFileReader &operator=(const TRegularFileReader &) = delete;

    // Reads up to maxBytes into buffer, fewer only at the end of the file;
    // returns the count. Raises EVxError when reading fails.
    qint64 Read(char *buffer, qint64 maxBytes);
    QByteArray Read(qint64 maxBytes);
    // The rest of the file; raises EVxError when the whole file (what was
    // read before included) holds more than limit bytes.
    QByteArray ReadRest(qint64 limit);

    bool AtEnd() const { return m_atEnd; }
    // Bytes read so far.
    qint64 Consumed() const { return m_consumed; }
    // The size the file system reported at opening: a hint, not a promise.
    qint64 SizeHint() const { return m_sizeHint; }

    [[noreturn]] void FailTooLarge(qint64 limit) const;

private:
    QString m_subject;
    int m_fd = -1;
    bool m_atEnd = false;
    qint64 m_consumed = 0;
    qint64 m_sizeHint = 0;
};

// The whole file, at most limit bytes (see ReadRest).
QByteArray ReadRegularFile(const QString &fileName, qint64 limit, const QString &subject = QString());

} // namespace zelmio
