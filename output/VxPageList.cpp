#include "output/VxPageList.h"

#include "platform/RegularFileReader.h"
#include "platform/SafeFileWriter.h"
#include "platform/VxError.h"
#include "output/RecordedPage.h"
#include "output/VxCompress.h"
#include "output/VxStream.h"

#include <QDateTime>
#include <QDir>
#include <QtEndian>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace zelmio {

namespace {

constexpr qint64 RecordOverhead = 12;     // page number, next position, own start
constexpr qint64 MaxPosition = std::numeric_limits<qint32>::max();
constexpr char HeaderFill = 'H';
constexpr int HeaderFillStart = 26;
constexpr int HeaderFillLength = 100;
// Every this many pages the store notes where a record starts, so that a
// jump walks at most half this many records.
constexpr int CheckpointInterval = 64;

// Our pages start with the recorded page's signature ("ZPAG"; "QPIC" for the
// pictures earlier versions recorded), right after the record's two leading
// fields; older files hold Windows enhanced metafiles whose header carries
// " EMF" at offset 40, so "EMF" lies 49 bytes after the file header.
constexpr qint64 PictureSignatureOffset = 8;
constexpr qint64 MetafileSignatureOffset = 49;

double NowAsDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1899, 12, 30).daysTo(now.date()))
        + double(now.time().msecsSinceStartOfDay()) / 86400000.0;
}

void PutInt32(char *at, qint32 value) { qToLittleEndian<qint32>(value, at); }
void PutUInt16(char *at, quint16 value) { qToLittleEndian<quint16>(value, at); }
qint32 GetInt32(const char *at) { return qFromLittleEndian<qint32>(at); }
quint16 GetUInt16(const char *at) { return qFromLittleEndian<quint16>(at); }

bool HasAt(const QByteArray &content, qint64 position, const char *text)
{
    const qint64 n = qint64(std::strlen(text));
    return position >= 0 && position + n <= content.size()
        && std::memcmp(content.constData() + position, text, size_t(n)) == 0;
}

[[noreturn]] void Damaged(const QString &problem)
{
    throw EVxError(problem);
}

QString WrongPageNumber(qint64 position, qint32 number, int expected)
{
    return QStringLiteral("the record at position %1 holds page number %2 instead of %3")
        .arg(position)
        .arg(number)
        .arg(expected);
}

QString NextRecordOutside(int page, qint64 next, qint64 size)
{
    return QStringLiteral("page %1 points to its next record at position %2, outside the file (%3 bytes)")
        .arg(page)
        .arg(next)
        .arg(size);
}

// Bytes enough to find the header's size and the first record's fields.
constexpr qint64 HeadProbeSize = 1100;

// What is wrong with the first page record, judged from the file's first
// bytes and its size; empty when nothing is.
QString FirstRecordProblem(const QByteArray &head, qint64 size)
{
    const qint64 position = DetectVxpHeaderSize(head);
    if (size < position + RecordOverhead || head.size() < position + 8)
        return QString();
    const qint32 number = GetInt32(head.constData() + position);
    if (number != 1)
        return WrongPageNumber(position, number, 1);
    const qint64 next = GetInt32(head.constData() + position + 4);
    if (next < position + RecordOverhead || next > size)
        return NextRecordOutside(1, next, size);
    return QString();
}

} // namespace

int DetectVxpHeaderSize(const QByteArray &content)
{
    if (HasAt(content, TVxPageList::HeaderSize + PictureSignatureOffset, TVxRecordedPage::Magic)
        || HasAt(content, TVxPageList::HeaderSize + PictureSignatureOffset, "QPIC"))
        return TVxPageList::HeaderSize;
    // Older files, probed in the order their writers used.
    for (int size : {124, 120, 96, 128}) {
        if (HasAt(content, size + MetafileSignatureOffset, "EMF"))
            return size;
    }
    const qint64 last = std::min<qint64>(1001, content.size() - 3);
    for (qint64 p = MetafileSignatureOffset; p <= last; ++p) {
        if (HasAt(content, p, "EMF"))
            return int(p - MetafileSignatureOffset);
    }
    return TVxPageList::HeaderSize;
}

TVxPageList::TVxPageList() = default;
TVxPageList::~TVxPageList() = default;

void TVxPageList::SetStream(std::unique_ptr<TVxStream> stream)
{
    std::lock_guard guard(FLock);
    FStream = std::move(stream);
    FPageCount = 0;
    FCursor = 0;
    FCursorPage = 0;
    FCheckpoints.clear();
    FHeader = TVxPageListHeader{};
    FStarted = false;
}

void TVxPageList::FreeStream()
{
    SetStream(nullptr);
}

TVxStream &TVxPageList::EnsureStream()
{
    if (!FStream)
        FStream = std::make_unique<TVxStream>();
    return *FStream;
}

void TVxPageList::WriteHeader()
{
    TVxStream &stream = EnsureStream();
    char header[HeaderSize] = {};
    PutUInt16(header + 0, FormatVersion);
    PutUInt16(header + 2, VXVersion);
    PutInt32(header + 8, FPageCount);
    const double created = NowAsDateTime();
    qToLittleEndian<quint64>(std::bit_cast<quint64>(created), header + 16);
    header[25] = StoreCompressed() ? 1 : 0;
    std::memset(header + HeaderFillStart, HeaderFill, HeaderFillLength);

    TVxStreamLock lock(stream);
    stream.Seek(0);
    stream.Write(header, HeaderSize);
    FHeader.HeaderSize = HeaderSize;
    FHeader.FormatVersion = FormatVersion;
    FHeader.VXVersion = VXVersion;
    FHeader.PageCount = FPageCount;
    FHeader.CreateDateTime = created;
    FHeader.Compression = StoreCompressed();
}

bool TVxPageList::StoreCompressed() const
{
    // Once the first page is written, the header's switch holds for the
    // whole store, however the switch is turned afterwards.
    return FStarted ? FHeader.Compression : FCompression;
}

void TVxPageList::AddPage(const TVxRecordedPage &page)
{
    AddPageBytes(page.Bytes());
}

void TVxPageList::AddPageBytes(const QByteArray &pageBytes)
{
    std::lock_guard guard(FLock);
    TVxStream &stream = EnsureStream();
    TVxStreamLock lock(stream);

    const bool compress = FPageCount == 0 ? FCompression : StoreCompressed();
    QByteArray payload;
    if (compress) {
        payload.resize(4);
        PutInt32(payload.data(), qint32(pageBytes.size()));
        payload += TVxCompress::CompressBytes(pageBytes.constData(), pageBytes.size());
    } else {
        payload = pageBytes;
    }

    const qint64 start = FPageCount == 0 ? HeaderSize : stream.Size();
    const qint64 end = start + RecordOverhead + payload.size();
    if (end > MaxPosition)
        throw EVxError(QStringLiteral("The report's pages exceed the 2 GB a prepared report can hold"));

    const int number = FPageCount + 1;
    if (number == 1) {
        // A store starts afresh with its first page.
        stream.Clear();
        FPageCount = 1;
        FStarted = false;
        try {
            WriteHeader();
            FStarted = true;
        } catch (...) {
            FPageCount = 0;
            throw;
        }
    }

    // The record is assembled whole: the next-record field is known up front.
    QByteArray record(qsizetype(RecordOverhead + payload.size()), Qt::Uninitialized);
    PutInt32(record.data(), number);
    PutInt32(record.data() + 4, qint32(end));
    std::memcpy(record.data() + 8, payload.constData(), size_t(payload.size()));
    PutInt32(record.data() + 8 + payload.size(), qint32(start));

    stream.Seek(start);
    stream.Write(record.constData(), record.size());
    FPageCount = number;
    FCursor = end;
    FCursorPage = number + 1;
    if ((number - 1) % CheckpointInterval == 0)
        FCheckpoints.push_back(start);
}

qint32 TVxPageList::ReadInt32(qint64 position)
{
    char buffer[4];
    FStream->Seek(position);
    if (FStream->Read(buffer, 4) != 4)
        Damaged(QStringLiteral("a record field at position %1 lies outside the data").arg(position));
    return GetInt32(buffer);
}

qint64 TVxPageList::SeekToPage(int pageNumber)
{
    const qint64 headerSize = FHeader.HeaderSize;
    if (pageNumber == 1) {
        FCursorPage = 1;
        return FCursor = headerSize;
    }

    const qint64 size = FStream->Size();
    auto checkedRecord = [&](qint64 position) {
        if (position < headerSize || position > size - RecordOverhead)
            Damaged(QStringLiteral("a page record position (%1) lies outside the data").arg(position));
        return position;
    };

    // Start from the record under the cursor (at the end: the last record),
    // or from the nearest checkpoint when that is closer.
    qint64 position = FCursor;
    int from = FCursorPage;
    if (from < 1 || from > FPageCount || position >= size || position < headerSize) {
        position = checkedRecord(ReadInt32(size - 4));
        from = FPageCount;
    }
    const size_t checkpoint = size_t((pageNumber - 1) / CheckpointInterval);
    if (checkpoint < FCheckpoints.size()) {
        const int checkpointPage = int(checkpoint) * CheckpointInterval + 1;
        if (std::abs(pageNumber - checkpointPage) < std::abs(pageNumber - from))
            position = checkedRecord(FCheckpoints[checkpoint]);
    }
    qint32 current = ReadInt32(position);
    // Each step moves one record; more steps than pages means a loop.
    int steps = FPageCount + 1;
    while (current != pageNumber) {
        if (--steps < 0)
            Damaged(QStringLiteral("the page records do not lead to page %1").arg(pageNumber));
        if (current < pageNumber)
            position = checkedRecord(ReadInt32(position + 4));
        else
            position = checkedRecord(ReadInt32(position - 4));
        current = ReadInt32(position);
    }
    FCursorPage = pageNumber;
    return FCursor = position;
}

QByteArray TVxPageList::ReadPageBytesAt(qint64 recordStart)
{
    const qint64 next = ReadInt32(recordStart + 4);
    const qint64 payloadSize = next - recordStart - RecordOverhead;
    if (payloadSize < 0 || next > FStream->Size())
        Damaged(QStringLiteral("the record at position %1 has a wrong length").arg(recordStart));
    QByteArray payload(qsizetype(payloadSize), Qt::Uninitialized);
    FStream->Seek(recordStart + 8);
    if (FStream->Read(payload.data(), payloadSize) != payloadSize)
        Damaged(QStringLiteral("the record at position %1 is cut short").arg(recordStart));
    FCursor = next;
    if (!FHeader.Compression)
        return payload;
    if (payloadSize < 4)
        Damaged(QStringLiteral("the compressed record at position %1 has no length").arg(recordStart));
    const qint64 length = quint32(GetInt32(payload.constData()));
    // Every byte costs at least one bit.
    if ((length + 7) / 8 > payloadSize - 4)
        Damaged(QStringLiteral("the compressed length %1 at position %2 is larger than its record")
                    .arg(length)
                    .arg(recordStart));
    return TVxCompress::ExpandBytes(payload.constData() + 4, payloadSize - 4, length);
}

std::optional<QByteArray> TVxPageList::GetPageBytes(int pageNumber)
{
    std::lock_guard guard(FLock);
    if (pageNumber < 1 || pageNumber > FPageCount || !FStream)
        return std::nullopt;
    TVxStreamLock lock(*FStream);
    try {
        QByteArray bytes = ReadPageBytesAt(SeekToPage(pageNumber));
        FCursorPage = pageNumber + 1;
        return bytes;
    } catch (const EVxError &e) {
        throw EVxError(QStringLiteral("Page %1 of the page store cannot be read: %2").arg(pageNumber).arg(e.message()));
    }
}

std::unique_ptr<TVxRecordedPage> TVxPageList::GetPage(int pageNumber)
{
    const std::optional<QByteArray> bytes = GetPageBytes(pageNumber);
    if (!bytes)
        return nullptr;
    QString problem;
    std::optional<TVxRecordedPage> page = TVxRecordedPage::FromBytes(*bytes, &problem);
    if (!page)
        throw EVxError(QStringLiteral("Page %1 %2").arg(pageNumber).arg(problem));
    return std::make_unique<TVxRecordedPage>(std::move(*page));
}

void TVxPageList::Finish()
{
    std::lock_guard guard(FLock);
    TVxStream &stream = EnsureStream();
    TVxStreamLock lock(stream);
    WriteHeader();
    FCursor = stream.Size();
    FCursorPage = FPageCount + 1;
}

void TVxPageList::Clear()
{
    std::lock_guard guard(FLock);
    FPageCount = 0;
    FCursor = 0;
    FCursorPage = 0;
    FCheckpoints.clear();
    FStarted = false;
    if (FStream)
        FStream->Clear();
}

void TVxPageList::LoadFromFile(const QString &fileName)
{
    const QString source = QStringLiteral("The prepared report \"%1\"").arg(QDir::toNativeSeparators(fileName));
    TRegularFileReader file(fileName, source);
    if (file.SizeHint() > MaxPosition)
        throw EVxError(QStringLiteral("%1 is larger (%2 bytes) than a prepared report can be").arg(source).arg(file.SizeHint()));
    // A file that is not a prepared report is refused from its first bytes,
    // before a large one is read whole.
    QByteArray content = file.Read(HeadProbeSize);
    if (!file.AtEnd()) {
        const QString problem = FirstRecordProblem(content, file.SizeHint());
        if (!problem.isEmpty())
            throw EVxError(QStringLiteral("%1 is damaged or not a prepared report: %2").arg(source, problem));
        content += file.ReadRest(MaxPosition);
    }
    Load(TVxStream::CreateFromBytes(std::move(content)), source);
}

void TVxPageList::LoadFromStream(QIODevice &device)
{
    Load(TVxStream::CreateFromDevice(device), QStringLiteral("The prepared report stream"));
}

void TVxPageList::Load(std::unique_ptr<TVxStream> stream, const QString &source)
{
    const qint64 size = stream->Size();
    QByteArray head(qsizetype(std::min<qint64>(size, HeadProbeSize)), Qt::Uninitialized);
    stream->Seek(0);
    stream->Read(head.data(), head.size());

    TVxPageListHeader header;
    header.HeaderSize = DetectVxpHeaderSize(head);
    if (size < header.HeaderSize)
        throw EVxError(QStringLiteral("%1 is too short (%2 bytes) to be a prepared report").arg(source).arg(size));

    // Older headers are laid into the current layout field by field.
    const char *h = head.constData();
    header.FormatVersion = GetUInt16(h + 0);
    header.VXVersion = GetUInt16(h + 2);
    switch (header.HeaderSize) {
    case 128:
        header.PageCount = GetInt32(h + 8);
        header.CreateDateTime = std::bit_cast<double>(qFromLittleEndian<quint64>(h + 16));
        header.Compression = h[25] == 1;
        break;
    case 124:
        header.PageCount = GetInt32(h + 8);
        header.CreateDateTime = std::bit_cast<double>(qFromLittleEndian<quint64>(h + 12));
        header.Compression = h[21] == 1;
        break;
    case 120:
        header.PageCount = GetInt32(h + 5);
        header.Compression = h[25] == 1;
        break;
    default:
        header.Compression = header.HeaderSize > 25 && h[25] == 1;
        break;
    }

    // Walk the whole chain once, so that reading pages later can rely on it.
    int count = 0;
    qint64 position = header.HeaderSize;
    std::vector<qint64> checkpoints;
    const auto problem = [&](const QString &what) {
        return EVxError(QStringLiteral("%1 is damaged or not a prepared report: %2").arg(source, what));
    };
    char fields[8];
    while (position < size) {
        const int expected = count + 1;
        if (position + RecordOverhead > size)
            throw problem(QStringLiteral("the record of page %1 is cut short").arg(expected));
        stream->Seek(position);
        stream->Read(fields, 8);
        const qint32 number = GetInt32(fields);
        const qint64 next = GetInt32(fields + 4);
        if (number != expected)
            throw problem(WrongPageNumber(position, number, expected));
        if (next < position + RecordOverhead || next > size)
            throw problem(NextRecordOutside(expected, next, size));
        stream->Seek(next - 4);
        stream->Read(fields, 4);
        if (GetInt32(fields) != position)
            throw problem(QStringLiteral("the end of page %1's record does not lead back to its start").arg(expected));
        if (header.Compression) {
            const qint64 payload = next - position - RecordOverhead - 4;
            stream->Seek(position + 8);
            stream->Read(fields, 4);
            const qint64 length = quint32(GetInt32(fields));
            if (payload < 0 || (length + 7) / 8 > payload)
                throw problem(QStringLiteral("the compressed length of page %1 (%2 bytes) is larger than the file can hold")
                                  .arg(expected)
                                  .arg(length));
        }
        if ((expected - 1) % CheckpointInterval == 0)
            checkpoints.push_back(position);
        count = expected;
        position = next;
    }
    if (header.PageCount && (header.HeaderSize == 128 || header.HeaderSize == 124) && *header.PageCount != count)
        throw problem(QStringLiteral("the header announces %1 pages but the file holds %2")
                          .arg(*header.PageCount)
                          .arg(count));

    std::lock_guard guard(FLock);
    FStream = std::move(stream);
    FHeader = header;
    FCompression = header.Compression;
    FPageCount = count;
    FCursor = size;
    FCursorPage = count + 1;
    FCheckpoints = std::move(checkpoints);
    FStarted = true;
}

void TVxPageList::SaveToFile(const QString &fileName)
{
    std::lock_guard guard(FLock);
    TSafeFileWriter file(fileName);
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!file.open())
        throw EVxError(QStringLiteral("Cannot save the prepared report \"%1\": %2").arg(shown, file.errorString()));
    try {
        SaveToStream(file);
    } catch (const EVxError &e) {
        file.cancelWriting();
        throw EVxError(QStringLiteral("Cannot save the prepared report \"%1\": %2").arg(shown, e.message()));
    }
    if (!file.commit())
        throw EVxError(QStringLiteral("Cannot save the prepared report \"%1\": %2").arg(shown, file.errorString()));
}

void TVxPageList::SaveToStream(QIODevice &device)
{
    std::lock_guard guard(FLock);
    if (!FStream)
        return;
    TVxStreamLock lock(*FStream);
    FStream->SaveToStream(device);
    FCursor = FStream->Size();
    FCursorPage = FPageCount + 1;
}

void TVxPageList::AddOutline(int, const QString &, int, const QString &)
{
}

TVxPageListHeader TVxPageList::Header() const
{
    std::lock_guard guard(FLock);
    return FHeader;
}

} // namespace zelmio
