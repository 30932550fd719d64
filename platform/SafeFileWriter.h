#pragma once
// Replacing a file so that a failed save never costs the old one.
//
// The content goes to a temporary file in the same folder; only when every
// write, the flush to disk and the close have succeeded is it renamed over
// the target in one step. On any failure the temporary file is removed and
// the target (and its backup) stay as they were. Unlike QSaveFile, a write
// that fails only when the data reaches the disk (a full file system, a size
// limit) is caught: nothing is buffered in between.

#include <QIODevice>
#include <QString>

namespace zelmio {

class TSafeFileWriter : public QIODevice {
public:
    explicit TSafeFileWriter(const QString &fileName);
    ~TSafeFileWriter() override; // removes the temporary file unless committed

    // Creates the temporary file; false with errorString() on failure.
    bool open();
    // Flushes the data to disk, closes the file, writes the backup (when
    // named and the target exists: a copy of the target, itself written
    // safely) and renames the temporary file over the target. False with
    // errorString() when any step or any earlier write failed; the
    // temporary file is gone either way.
    bool commit(const QString &backupFileName = QString());
    // Drops what was written; the target is not touched.
    void cancelWriting();

    QString fileName() const { return m_fileName; }
    QString temporaryFileName() const { return m_tempName; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool fail(const QString &what, int error);
    void discard();

    QString m_fileName;
    QString m_tempName;
    int m_fd = -1;
    bool m_failed = false;
};

// Writes bytes to fileName through a TSafeFileWriter; raises EVxError
// "<file>: cannot be written: <reason>" on failure.
void WriteFileSafely(const QString &fileName, const QByteArray &bytes, const QString &backupFileName = QString());

} // namespace zelmio
