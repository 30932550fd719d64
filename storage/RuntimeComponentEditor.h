#pragma once
// The loader that also writes templates (the designer's base): block by
// block or as a whole template, to streams and files.
//
// The write hook turns references through the database owner's name back
// into "DatabaseOwner." and ": TVxDWQuery" into ": TVxQuery". A file is
// written to a temporary file next to it and renamed into place, so a
// failed save leaves the previous file (and its backup) as they were.

#include "storage/RuntimeComponentLoader.h"

#include <functional>

namespace zelmio {

class TComponentSaver;

// (stream to fill with the user data)
using TSaveUserDataEvent = THook<void(QIODevice &stream)>;

class TRuntimeComponentEditor : public TRuntimeComponentLoader {
    Q_OBJECT
    Q_PROPERTY(zelmio::TSaveUserDataEvent OnSaveUserData READ OnSaveUserData WRITE SetOnSaveUserData)
public:
    explicit TRuntimeComponentEditor(TComponent *owner = nullptr);

    TComponentSaver *ComponentSaver() const { return m_saver; }

    // The template has changes that are not saved.
    bool Changed() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

    TSaveUserDataEvent OnSaveUserData() const { return m_onSaveUserData; }
    void SetOnSaveUserData(const TSaveUserDataEvent &hook) { m_onSaveUserData = hook; }

    // Components of the report left out when it is written (the designer's
    // selection surface).
    void SetChildFilter(std::function<bool(TComponent *)> filter);

    // Each raises EVxError when the stream cannot be written.
    void SaveHeaderToStream(QIODevice &stream);
    void SaveDatamoduleToStream(QIODevice &stream);
    // Blocks 3 and 4; clears the changed flag.
    void SaveToStream(QIODevice &stream);
    // Blocks 3 and 4 to a file (undo snapshots), written safely.
    void SaveToFile(const QString &fileName);

    // The whole template: the report's title into the header, the user data
    // from the save hook, then blocks 1 to 4.
    QByteArray SaveTemplateToBytes();
    void SaveTemplateToStream(QIODevice &stream);
    // Writes the template to a file; with a backup extension (".BAK") an
    // existing file is kept under that extension first. The current file
    // name becomes fileName on success. Raises EVxError naming the file.
    void SaveTemplateToFile(const QString &fileName, const QString &backupExtension = QString());

protected:
    virtual void RewriteBlockForWriting(QByteArray &text) const;

private:
    QByteArray BlockText(TComponent *root, TComponent *lookupRoot);
    void WriteBytes(QIODevice &stream, const QByteArray &bytes);
    void WriteFileSafely(const QString &fileName, const QByteArray &bytes, const QString &backupExtension);

    TComponentSaver *m_saver = nullptr;
    bool m_changed = false;
    TSaveUserDataEvent m_onSaveUserData;
};

} // namespace zelmio
