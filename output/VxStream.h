#pragma once
// The byte stream behind the page store: it lives in memory up to a limit and
// continues in a temporary file beyond it, so that a long report does not hold
// all its pages in memory. The temporary file is deleted with the stream.

#include <QByteArray>
#include <QString>
#include <limits>
#include <memory>
#include <mutex>

class QIODevice;
class QTemporaryFile;

namespace zelmio {

enum class TVxSeekOrigin { soBeginning, soCurrent, soEnd };

class TVxStream {
public:
    static constexpr qint64 DefaultMemoryLimit = 1000000;

    // An empty stream in memory with the given limit in bytes.
    explicit TVxStream(qint64 memoryLimit = DefaultMemoryLimit);
    // The whole content of the file, read into memory (the limit becomes the
    // file size + 1000); position 0. Only a regular file of at most limit
    // bytes is read; raises EVxError naming the file otherwise.
    static std::unique_ptr<TVxStream> CreateFromFile(const QString &fileName,
                                                     qint64 limit = std::numeric_limits<qint32>::max());
    // A stream holding bytes in memory (limit: their size + 1000).
    static std::unique_ptr<TVxStream> CreateFromBytes(QByteArray bytes);
    // A memory copy of the device's whole content (limit: its size).
    static std::unique_ptr<TVxStream> CreateFromDevice(QIODevice &device);
    ~TVxStream();

    TVxStream(const TVxStream &) = delete;
    TVxStream &operator=(const TVxStream &) = delete;

    // Writes at the current position, moving to a temporary file once the
    // memory content exceeds the limit. Returns the count written; raises
    // EVxError when the temporary file cannot be created or written, and
    // then leaves the size and position as they were before the call.
    qint64 Write(const void *buffer, qint64 count);
    // Reads up to count bytes; returns the count read (0 at the end).
    qint64 Read(void *buffer, qint64 count);
    // Returns the new position. Positions before the start are refused.
    qint64 Seek(qint64 offset, TVxSeekOrigin origin = TVxSeekOrigin::soBeginning);
    qint64 Position() const;
    qint64 Size() const;

    // Copies the whole content to target from position 0 in chunks of 10240
    // bytes; raises EVxError when target refuses a write.
    void SaveToStream(QIODevice &target);
    // Drops the content (and the temporary file) and returns to memory.
    void Clear();

    void LockStream() { FLock.lock(); }
    void UnlockStream() { FLock.unlock(); }

    bool InMemory() const;
    qint64 MemoryLimit() const { return FMemoryLimit; }
    // The temporary file's name; empty while in memory.
    QString FileName() const;

private:
    void SwitchToFile();
    [[noreturn]] void FileFailure(const QString &what, const QString &reason = QString()) const;

    mutable std::recursive_mutex FLock;
    QByteArray MemoryStream;
    qint64 FMemoryPos = 0;
    QString FFilename;
    std::unique_ptr<QTemporaryFile> FileStream;
    bool FInMemory = true;
    qint64 FMemoryLimit;
};

// Holds a stream's lock for a scope.
class TVxStreamLock {
public:
    explicit TVxStreamLock(TVxStream &stream) : m_stream(stream) { m_stream.LockStream(); }
    ~TVxStreamLock() { m_stream.UnlockStream(); }
    TVxStreamLock(const TVxStreamLock &) = delete;
    TVxStreamLock &operator=(const TVxStreamLock &) = delete;

private:
    TVxStream &m_stream;
};

} // namespace zelmio
