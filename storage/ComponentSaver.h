#pragma once
// Writes one object block of a template: the root and everything it holds in
// the text form (TComponentTreeWriter, TTextFormWriter). BeforeComponentWrite
// receives the text of the block and may rewrite it before it is stored.
//
// Only the text form is written; the other data formats exist as names.

#include "model/Component.h"
#include "storage/ComponentLoader.h"

#include <functional>

class QIODevice;

namespace zelmio {

enum class TDataFormat { dfText, dfBinary, dfEncrypted, dfCustom };

class TComponentSaver : public TComponent {
    Q_OBJECT
public:
    explicit TComponentSaver(TComponent *owner = nullptr);

    TDataFormat DataFormat() const { return m_dataFormat; }
    void SetDataFormat(TDataFormat format) { m_dataFormat = format; }
    TComponentTextEvent BeforeComponentWrite() const { return m_beforeWrite; }
    void SetBeforeComponentWrite(const TComponentTextEvent &hook) { m_beforeWrite = hook; }

    // Components left out of the block with everything nested in them.
    void SetChildFilter(std::function<bool(TComponent *)> filter) { m_filter = std::move(filter); }
    // Components owned by the lookup root are referenced by plain name.
    void SetLookupRoot(TComponent *lookupRoot) { m_lookupRoot = lookupRoot; }

    // The text of the block; raises EVxError for a data format other than text.
    QByteArray WriteComponentText(TComponent *root);
    // Appends the block to the stream; raises EVxError when it cannot be written.
    void WriteComponent(TComponent *root, QIODevice &stream);

private:
    TDataFormat m_dataFormat = TDataFormat::dfText;
    TComponentTextEvent m_beforeWrite;
    std::function<bool(TComponent *)> m_filter;
    TComponent *m_lookupRoot = nullptr;
};

} // namespace zelmio
