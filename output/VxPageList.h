#pragma once
// The page store: the finished pages of a report run, one record after the
// other in a TVxStream, readable while pages are still being appended. The
// same bytes, written to disk, are the prepared-report file (".VXP"):
//
//   0    header (128 bytes; older files: 124, 120 or 96)
//   128  page records, page 1 first:
//          page number, absolute position of the next record,
//          the page's recorded bytes (or, compressed: their length L and the
//          coded bits of the L bytes), the record's own start position.
//
// All integers are 32-bit little-endian. Records can be walked forward through
// their second field and backward through the trailing field of the record
// before. The store keeps the recorded pages' bytes (RecordedPage.h).

#include <QByteArray>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QIODevice;

namespace zelmio {

class TVxRecordedPage;
class TVxStream;

// What the header of a store says, for tools and the printer.
struct TVxPageListHeader {
    int HeaderSize = 128;         // 128, or 124, 120, 96 for older files
    quint16 FormatVersion = 0;
    quint16 VXVersion = 0;
    std::optional<int> PageCount; // none for 96-byte headers
    double CreateDateTime = 0;    // days since 30 December 1899
    bool Compression = false;
};

class TVxPageList {
public:
    static constexpr int HeaderSize = 128;
    static constexpr quint16 FormatVersion = 3;
    static constexpr quint16 VXVersion = 60;

    TVxPageList();
    ~TVxPageList();

    TVxPageList(const TVxPageList &) = delete;
    TVxPageList &operator=(const TVxPageList &) = delete;

    bool Compression() const { return FCompression; }
    void SetCompression(bool value) { FCompression = value; }
    int PageCount() const { return FPageCount.load(); }

    // The stream the pages go to; the store owns it.
    TVxStream *Stream() const { return FStream.get(); }
    // Starts an empty store on the given stream (none: no stream).
    void SetStream(std::unique_ptr<TVxStream> stream);
    // Frees the stream (and its temporary file); the store is empty after.
    void FreeStream();

    // Appends a page record; the first page also writes the header. Without a
    // stream, a memory stream with the default limit is created.
    void AddPage(const TVxRecordedPage &page);
    void AddPageBytes(const QByteArray &pageBytes);

    // Page pageNumber (1-based), read and checked; none when the number is
    // outside 1..PageCount. Raises EVxError naming the page and the problem
    // for a page whose bytes are not a recording this program can replay.
    std::unique_ptr<TVxRecordedPage> GetPage(int pageNumber);
    // The stored bytes of a page (expanded when compressed); none when the
    // number is outside 1..PageCount.
    std::optional<QByteArray> GetPageBytes(int pageNumber);

    // Rewrites the header with the final page count.
    void Finish();
    // Forgets the pages; the stream is emptied so that new pages start afresh.
    void Clear();

    // Replace the pages by those of a prepared report. The whole record chain
    // is checked first: a truncated or damaged file is refused with EVxError
    // naming the file and the problem, and the store is left unchanged.
    // The pages' own bytes are checked when a page is read (GetPage).
    void LoadFromFile(const QString &fileName);
    void LoadFromStream(QIODevice &device);
    // Write the store; a file is written under a temporary name and renamed
    // into place, so a failed save leaves an existing file untouched.
    void SaveToFile(const QString &fileName);
    void SaveToStream(QIODevice &device);

    void LockList() { FLock.lock(); }
    void UnlockList() { FLock.unlock(); }

    // Outlines are not recorded.
    void AddOutline(int level, const QString &caption, int pageNumber, const QString &target);

    // The header as written or as read by the last load.
    TVxPageListHeader Header() const;

private:
    void Load(std::unique_ptr<TVxStream> stream, const QString &source);
    void WriteHeader();
    bool StoreCompressed() const;
    qint64 SeekToPage(int pageNumber);
    QByteArray ReadPageBytesAt(qint64 recordStart);
    qint32 ReadInt32(qint64 position);
    TVxStream &EnsureStream();

    mutable std::recursive_mutex FLock;
    bool FCompression = false;
    std::atomic<int> FPageCount{0};
    std::unique_ptr<TVxStream> FStream;
    TVxPageListHeader FHeader;
    // Start of the record that the next sequential read finds (or the end of
    // the stream): reading page n + 1 after page n is one step.
    qint64 FCursor = 0;
    int FCursorPage = 0; // the page whose record starts at FCursor (PageCount + 1: the end)
    // Record starts of pages 1, 65, 129, ...: a jump starts from the nearest.
    std::vector<qint64> FCheckpoints;
    bool FStarted = false; // the header of the current store is written
};

// The header size of the store in content: where the first page record's
// recording starts with its signature. Exposed for tests and tools.
int DetectVxpHeaderSize(const QByteArray &content);

} // namespace zelmio
