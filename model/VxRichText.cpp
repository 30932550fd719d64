#include "model/VxRichText.h"

namespace zelmio {

TVxRichText::TVxRichText(TComponent *owner)
    : TVxCustomRichText(owner)
{
}

void TVxRichText::SetLines(const QStringList &lines)
{
    m_lines = lines;
    LoadRichText(lines.join(QStringLiteral("\r\n")));
}

void TVxRichText::SetParentRichEdit(TComponent *editor)
{
    m_parentRichEdit = editor;
    ContentChanged();
}

QTextDocument *TVxRichText::ContentDocument()
{
    if (m_parentRichEdit) {
        const QVariant document = m_parentRichEdit->property("document");
        if (auto *shown = qobject_cast<QTextDocument *>(document.value<QObject *>()))
            return shown;
        if (auto *owned = m_parentRichEdit->findChild<QTextDocument *>())
            return owned;
    }
    return Document();
}

const QTextDocument &TVxRichText::PrintDocument() const
{
    // The editor's document is not the element's; looking it up changes nothing.
    return *const_cast<TVxRichText *>(this)->ContentDocument();
}

} // namespace zelmio
