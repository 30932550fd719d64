#pragma once
// Fixed rich text, stored as the lines of its rich text. When an on-screen
// rich-text editor is named (ParentRichEdit), its content is printed instead.

#include "model/VxCustomRichText.h"

#include <QPointer>
#include <QStringList>

namespace zelmio {

class TVxRichText : public TVxCustomRichText {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(zelmio::TComponent *ParentRichEdit READ ParentRichEdit WRITE SetParentRichEdit)
public:
    explicit TVxRichText(TComponent *owner = nullptr);

    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &lines);
    // An editor whose document (its "document" property, or a document it
    // owns) is printed in place of the element's own content.
    TComponent *ParentRichEdit() const { return m_parentRichEdit; }
    void SetParentRichEdit(TComponent *editor);
    // The document that prints: the named editor's, else the element's own.
    QTextDocument *ContentDocument();

protected:
    const QTextDocument &PrintDocument() const override;

private:
    QStringList m_lines;
    QPointer<TComponent> m_parentRichEdit;
};

} // namespace zelmio
