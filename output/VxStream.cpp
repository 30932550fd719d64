#include "output/VxStream.h"

#include "platform/RegularFileReader.h"
#include "platform/VxError.h"

#include <QDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cstring>

namespace zelmio {

namespace {
constexpr qint64 CopyChunk = 10240;

// Writes all count bytes; a short write is retried, so that the failing
// call leaves the system's reason in the device's error string.
bool WriteAll(QIODevice &device, const char *data, qint64 count)
{
    while (count > 0) {
        const qint64 n = device.write(data, count);
        if (n <= 0)
            return false;
        data += n;
        count -= n;
    }
    return true;
}

} // namespace

TVxStream::TVxStream(qint64 memoryLimit)
    : FMemoryLimit(memoryLimit)
{
}

TVxStream::~TVxStream() = default; // QTemporaryFile removes its file

std::unique_ptr<TVxStream> TVxStream::CreateFromFile(const QString &fileName, qint64 limit)
{
    TRegularFileReader file(fileName,
                            QStringLiteral("The prepared report \"%1\"").arg(QDir::toNativeSeparators(fileName)));
    return CreateFromBytes(file.ReadRest(limit));
}

std::unique_ptr<TVxStream> TVxStream::CreateFromBytes(QByteArray bytes)
{
    auto stream = std::make_unique<TVxStream>(bytes.size() + 1000);
    stream->MemoryStream = std::move(bytes);
    return stream;
}

std::unique_ptr<TVxStream> TVxStream::CreateFromDevice(QIODevice &device)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        throw EVxError(QStringLiteral("Cannot read the prepared report stream: %1").arg(device.errorString()));
    QByteArray content;
    if (!device.isSequential())
        device.seek(0);
    content = device.readAll();
    auto stream = std::make_unique<TVxStream>(content.size());
    stream->MemoryStream = std::move(content);
    return stream;
}

qint64 TVxStream::Write(const void *buffer, qint64 count)
{
    std::lock_guard guard(FLock);
    if (count <= 0)
        return 0;
    if (!FInMemory) {
        const qint64 size = FileStream->size();
        const qint64 pos = FileStream->pos();
        if (!WriteAll(*FileStream, static_cast<const char *>(buffer), count)) {
            // A record written in part would break the chain of records;
            // the stream goes back to what it held before.
            const QString reason = FileStream->errorString();
            FileStream->resize(size);
            FileStream->seek(pos);
            FileFailure(QStringLiteral("write"), reason);
        }
        return count;
    }
    const qint64 oldSize = MemoryStream.size();
    const qint64 oldPos = FMemoryPos;
    const qint64 end = FMemoryPos + count;
    if (end > MemoryStream.size())
        MemoryStream.resize(end); // a gap left by seeking past the end reads as zeros
    std::memcpy(MemoryStream.data() + FMemoryPos, buffer, size_t(count));
    FMemoryPos = end;
    if (MemoryStream.size() > FMemoryLimit) {
        try {
            SwitchToFile();
        } catch (...) {
            MemoryStream.resize(oldSize);
            FMemoryPos = oldPos;
            throw;
        }
    }
    return count;
}

void TVxStream::SwitchToFile()
{
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/VXPXXXXXX.tmp"));
    file->setAutoRemove(true);
    // Unbuffered, so that a full disk fails the write that meets it rather
    // than a later flush that nobody checks.
    QIODevice *device = file.get();
    if (!device->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw EVxError(QStringLiteral("Cannot create a temporary file for the report's pages in \"%1\": %2")
                           .arg(QDir::toNativeSeparators(QDir::tempPath()), file->errorString()));
    if (!WriteAll(*file, MemoryStream.constData(), MemoryStream.size()) || !file->seek(FMemoryPos))
        throw EVxError(QStringLiteral("Cannot write the temporary page file \"%1\": %2")
                           .arg(QDir::toNativeSeparators(file->fileName()), file->errorString()));
    // The write that caused the switch left the position at its end; the
    // file keeps it.
    FFilename = file->fileName();
    FileStream = std::move(file);
    MemoryStream = QByteArray();
    FMemoryPos = 0;
    FInMemory = false;
}

qint64 TVxStream::Read(void *buffer, qint64 count)
{
    std::lock_guard guard(FLock);
    if (count <= 0)
        return 0;
    if (!FInMemory) {
        const qint64 got = FileStream->read(static_cast<char *>(buffer), count);
        if (got < 0)
            FileFailure(QStringLiteral("read"));
        return got;
    }
    const qint64 n = std::clamp<qint64>(MemoryStream.size() - FMemoryPos, 0, count);
    if (n > 0)
        std::memcpy(buffer, MemoryStream.constData() + FMemoryPos, size_t(n));
    FMemoryPos += n;
    return n;
}

qint64 TVxStream::Seek(qint64 offset, TVxSeekOrigin origin)
{
    std::lock_guard guard(FLock);
    qint64 base = 0;
    switch (origin) {
    case TVxSeekOrigin::soBeginning: base = 0; break;
    case TVxSeekOrigin::soCurrent: base = Position(); break;
    case TVxSeekOrigin::soEnd: base = Size(); break;
    }
    const qint64 target = base + offset;
    if (target < 0)
        throw EVxError(QStringLiteral("Seek before the start of the page stream"));
    if (FInMemory) {
        FMemoryPos = target;
    } else if (!FileStream->seek(target)) {
        FileFailure(QStringLiteral("seek in"));
    }
    return target;
}

qint64 TVxStream::Position() const
{
    std::lock_guard guard(FLock);
    return FInMemory ? FMemoryPos : FileStream->pos();
}

qint64 TVxStream::Size() const
{
    std::lock_guard guard(FLock);
    return FInMemory ? MemoryStream.size() : FileStream->size();
}

void TVxStream::SaveToStream(QIODevice &target)
{
    std::lock_guard guard(FLock);
    Seek(0);
    char chunk[CopyChunk];
    for (;;) {
        const qint64 got = Read(chunk, CopyChunk);
        if (got <= 0)
            break;
        if (target.write(chunk, got) != got)
            throw EVxError(QStringLiteral("Cannot write the prepared report: %1").arg(target.errorString()));
    }
}

void TVxStream::Clear()
{
    std::lock_guard guard(FLock);
    FileStream.reset();
    FFilename.clear();
    MemoryStream = QByteArray();
    FMemoryPos = 0;
    FInMemory = true;
}

bool TVxStream::InMemory() const
{
    std::lock_guard guard(FLock);
    return FInMemory;
}

QString TVxStream::FileName() const
{
    std::lock_guard guard(FLock);
    return FFilename;
}

void TVxStream::FileFailure(const QString &what, const QString &reason) const
{
    throw EVxError(QStringLiteral("Cannot %1 the temporary page file \"%2\": %3")
                       .arg(what, QDir::toNativeSeparators(FFilename),
                            !reason.isEmpty() ? reason : FileStream ? FileStream->errorString() : QString()));
}

} // namespace zelmio
