#include "output/VxStream.h"

#include "platform/VxError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cstring>

namespace zelmio {

namespace {
constexpr qint64 CopyChunk = 10240;
}

TVxStream::TVxStream(qint64 memoryLimit)
    : FMemoryLimit(memoryLimit)
{
}

TVxStream::~TVxStream() = default; // QTemporaryFile removes its file

std::unique_ptr<TVxStream> TVxStream::CreateFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EVxError(QStringLiteral("Cannot open the prepared report \"%1\": %2")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    const qint64 size = file.size();
    auto stream = std::make_unique<TVxStream>(size + 1000);
    stream->MemoryStream = file.readAll();
    if (stream->MemoryStream.size() != size)
        throw EVxError(QStringLiteral("Cannot read the prepared report \"%1\": %2")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
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
        const qint64 written = FileStream->write(static_cast<const char *>(buffer), count);
        if (written != count)
            FileFailure(QStringLiteral("write"));
        return written;
    }
    const qint64 end = FMemoryPos + count;
    if (end > MemoryStream.size())
        MemoryStream.resize(end); // a gap left by seeking past the end reads as zeros
    std::memcpy(MemoryStream.data() + FMemoryPos, buffer, size_t(count));
    FMemoryPos = end;
    if (MemoryStream.size() > FMemoryLimit)
        SwitchToFile();
    return count;
}

void TVxStream::SwitchToFile()
{
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/VXPXXXXXX.tmp"));
    file->setAutoRemove(true);
    if (!file->open())
        throw EVxError(QStringLiteral("Cannot create a temporary file for the report's pages in \"%1\": %2")
                           .arg(QDir::toNativeSeparators(QDir::tempPath()), file->errorString()));
    FFilename = file->fileName();
    FileStream = std::move(file);
    if (FileStream->write(MemoryStream) != MemoryStream.size())
        FileFailure(QStringLiteral("write"));
    const qint64 pos = FMemoryPos;
    MemoryStream = QByteArray();
    FMemoryPos = 0;
    FInMemory = false;
    // The write that caused the switch left the position at its end; keep it.
    if (!FileStream->seek(pos))
        FileFailure(QStringLiteral("seek in"));
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

void TVxStream::FileFailure(const QString &what) const
{
    throw EVxError(QStringLiteral("Cannot %1 the temporary page file \"%2\": %3")
                       .arg(what, QDir::toNativeSeparators(FFilename),
                            FileStream ? FileStream->errorString() : QString()));
}

} // namespace zelmio
