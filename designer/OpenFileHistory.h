#pragma once
// The recently opened report files, newest first, as the File menu lists
// them: at most MaxCount (5) paths, each once, stored in the settings
// file's "History" section as "History1" ... "History5". The menu itself
// is the window's (see widgets/OpenFileHistoryMenu.h); this class keeps
// the list and tells when it changed.

#include <QObject>
#include <QStringList>
#include <functional>

namespace zelmio {

class TOpenFileHistory : public QObject {
    Q_OBJECT
public:
    explicit TOpenFileHistory(QObject *parent = nullptr);

    int MaxCount() const { return FMaxCount; }
    // At least 1; a shorter limit drops the oldest entries.
    void SetMaxCount(int count);
    QStringList FileNames() const { return m_fileNames; }

    // After New, Save as, choosing a recent file and on close (with an
    // empty newFileName and the current file as oldFileName): the file
    // that was open moves to the front, the newly open one leaves the list
    // (it is the current file now), and the list is cut to MaxCount.
    void NewFileLoaded(const QString &newFileName, const QString &oldFileName);
    void Clear();

    // Reads "History1", "History2", ... until a key is missing or empty.
    // False (the list unchanged) when the file cannot be read.
    bool LoadFromIniFile(const QString &fileName);
    // Writes the list and deletes the keys beyond it, keeping the file's
    // other settings. False with a message naming the file when it cannot
    // be written.
    bool SaveToIniFile(const QString &fileName, QString *error = nullptr);

    // The menu caption of entry index (from 0): "&1 C:\...\name.vx2".
    QString MenuCaption(int index) const;
    // A path as the menu shows it: long folders shortened to "...".
    static QString ShortenPath(const QString &path);

    // A menu entry was chosen.
    using TFileSelectedEvent = std::function<void(const QString &fileName)>;
    void SetOnFileSelected(const TFileSelectedEvent &hook) { FOnFileSelected = hook; }
    void SelectFile(int index);

signals:
    void Changed();
    void FileSelected(const QString &fileName);

private:
    int FMaxCount = 5;
    QStringList m_fileNames;
    TFileSelectedEvent FOnFileSelected;
};

} // namespace zelmio
