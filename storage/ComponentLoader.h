#pragma once
// Reads one object block of a template into a root component.
//
// The block is parsed (exactly one block, leaving the input after its final
// "end"), normalised by writing it again in the writer's form, handed to
// BeforeComponentRead for rewriting, parsed once more and read into the root
// (TComponentTreeReader). The root keeps its identity and takes the name from
// the text; when a window or data module of the application already has that
// name, "%s_%d" with the first free number is used. A block in the binary
// component form (first byte 0xFF) is refused with a clear message.
//
// Reading errors inside the block (unknown classes and properties, bad
// values, references that stay empty) do not stop the reading: each is told
// to OnError and kept in Warnings(). Syntax errors and a root of another class
// raise EVxError.

#include "model/Component.h"
#include "model/Hook.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

namespace zelmio {

// (text of the block): may rewrite it.
using TComponentTextEvent = THook<void(QByteArray &text)>;
// (component)
using TComponentEvent = THook<void(TComponent *component)>;
// (message; var handled)
using TReaderErrorEvent = THook<void(const QString &message, bool &handled)>;
// (component; var name)
using TSetNameEvent = THook<void(TComponent *component, QString &name)>;
// (reference; var object): the object a reference that nothing resolved stands for.
using TReferenceNameEvent = THook<void(const QString &reference, QObject *&object)>;

class TComponentLoader : public TComponent {
    Q_OBJECT
public:
    explicit TComponentLoader(TComponent *owner = nullptr);

    TComponentTextEvent BeforeComponentRead() const { return m_beforeRead; }
    void SetBeforeComponentRead(const TComponentTextEvent &hook) { m_beforeRead = hook; }
    TComponentEvent AfterComponentRead() const { return m_afterRead; }
    void SetAfterComponentRead(const TComponentEvent &hook) { m_afterRead = hook; }
    TReaderErrorEvent OnError() const { return m_onError; }
    void SetOnError(const TReaderErrorEvent &hook) { m_onError = hook; }
    TSetNameEvent OnSetName() const { return m_onSetName; }
    void SetOnSetName(const TSetNameEvent &hook) { m_onSetName = hook; }
    TReferenceNameEvent OnReferenceName() const { return m_onReferenceName; }
    void SetOnReferenceName(const TReferenceNameEvent &hook) { m_onReferenceName = hook; }

    // Unqualified references are also looked up among its components.
    void SetLookupRoot(TComponent *lookupRoot) { m_lookupRoot = lookupRoot; }

    // Reads the block that starts at offset (after white space); returns the
    // offset just after it.
    qsizetype ReadComponent(TComponent *root, const QByteArray &data, qsizetype offset);
    // Reads the block at the stream's position and leaves the stream after it.
    void ReadComponent(TComponent *root, QIODevice &stream);

    // What the last read skipped, one line each.
    QStringList Warnings() const { return m_warnings; }
    void ClearWarnings() { m_warnings.clear(); }

private:
    TComponentTextEvent m_beforeRead;
    TComponentEvent m_afterRead;
    TReaderErrorEvent m_onError;
    TSetNameEvent m_onSetName;
    TReferenceNameEvent m_onReferenceName;
    TComponent *m_lookupRoot = nullptr;
    QStringList m_warnings;
};

} // namespace zelmio
