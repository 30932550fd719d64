#include "storage/ComponentLoader.h"

#include "platform/VxError.h"
#include "storage/ComponentTreeReader.h"
#include "storage/ETextFormError.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/TextFormReader.h"
#include "storage/TextFormWriter.h"

#include <QIODevice>

namespace zelmio {

namespace {

// The root's name from the text; a name that a window or data module of the
// application has already gets "_1", "_2", ...
QString GlobalRootName(const QString &name, const TComponent *root)
{
    const auto takenByOther = [root](const QString &candidate) {
        QObject *existing = FindGlobalComponent(candidate);
        return existing && existing != root;
    };
    if (name.isEmpty() || !takenByOther(name))
        return name;
    for (int number = 1;; ++number) {
        const QString candidate = QStringLiteral("%1_%2").arg(name).arg(number);
        if (!takenByOther(candidate))
            return candidate;
    }
}

} // namespace

TComponentLoader::TComponentLoader(TComponent *owner)
    : TComponent(owner)
{
}

qsizetype TComponentLoader::ReadComponent(TComponent *root, const QByteArray &data, qsizetype offset)
{
    const qsizetype start = TTextFormReader::SkipWhiteSpace(data, offset);
    if (start >= data.size())
        throw EVxError(QStringLiteral("an object block was expected, but the input ends"));
    const QByteArray lead = data.mid(start, 2);
    if (lead == "\xFF\xFE" || lead == "\xFE\xFF")
        throw EVxError(QStringLiteral("the text is in UTF-16, which templates do not use; save it as 8-bit or UTF-8 text"));
    if (static_cast<unsigned char>(data.at(start)) == 0xFF)
        throw EVxError(QStringLiteral("the block is in the binary component form (TPF0), which is not supported; "
                                      "save the template in text form"));
    TTextFormReader reader(data, start);
    TTextObject tree = reader.ReadObject();
    const qsizetype end = reader.Position();

    if (m_beforeRead) {
        QByteArray text = TTextFormWriter::Write(tree);
        m_beforeRead(text);
        try {
            TTextFormReader rewritten(text);
            tree = rewritten.ReadObject();
        } catch (const ETextFormError &e) {
            throw EVxError(QStringLiteral("the block is broken after rewriting: %1").arg(e.message()));
        }
    }

    if (!TComponentTreeReader::ClassFits(root->metaObject(), tree.className))
        throw EVxError(QStringLiteral("expected an object of class %1, found %2 (line %3)")
                           .arg(root->ClassName(), tree.className)
                           .arg(tree.line));
    const QString rootName = GlobalRootName(tree.name, root);
    if (!rootName.isEmpty() && rootName != root->Name()) {
        try {
            root->SetName(rootName);
        } catch (const std::exception &) {
            // Another component of the root's owner has the name; the root
            // keeps its own.
        }
    }

    TComponentTreeReader treeReader;
    treeReader.SetLookupRoot(m_lookupRoot);
    treeReader.SetOnError([this](const QString &message) {
        m_warnings.append(message);
        bool handled = true;
        m_onError(message, handled);
    });
    if (m_onSetName)
        treeReader.SetOnSetName([this](TComponent *component, QString &name) { m_onSetName(component, name); });
    if (m_onReferenceName) {
        treeReader.SetOnUnresolvedReference([this](const QString &reference) {
            QObject *object = nullptr;
            m_onReferenceName(reference, object);
            return object;
        });
    }
    treeReader.Read(tree, root);
    m_afterRead(root);
    treeReader.ResolveRemainingReferences();
    return end;
}

void TComponentLoader::ReadComponent(TComponent *root, QIODevice &stream)
{
    const qint64 start = stream.pos();
    const QByteArray data = stream.readAll();
    const qsizetype end = ReadComponent(root, data, 0);
    stream.seek(start + end);
}

} // namespace zelmio
