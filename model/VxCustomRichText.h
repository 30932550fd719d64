#pragma once
// Formatted rich text. The element holds its content in a hidden rich-text
// document and prints as much of it as fits into its rectangle; with
// AutoStretch the band grows in steps of YIncrement while text remains, and
// what still remains continues in the next column or page from the first
// character not yet printed (LastChar). Content that cannot be read prints
// nothing and does not stop the report.

#include "model/VxPrintable.h"
#include "model/VxFont.h"

#include <QTextDocument>
#include <memory>

namespace zelmio {

class TRichTextRenderer;

class TVxCustomRichText : public TVxPrintable {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoStretch READ AutoStretch WRITE SetAutoStretch)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool HiresExport READ HiresExport WRITE SetHiresExport)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int YIncrement READ YIncrement WRITE SetYIncrement)
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("range:YIncrement", "-100000 100000")
public:
    // Tag of the temporary picture element of a high-resolution export.
    static constexpr int kHiresExportTag = 12345;

    explicit TVxCustomRichText(TComponent *owner = nullptr);
    ~TVxCustomRichText() override;

    bool AutoStretch() const { return m_autoStretch; }
    void SetAutoStretch(bool value) { m_autoStretch = value; }
    bool HiresExport() const { return m_hiresExport; }
    void SetHiresExport(bool value) { m_hiresExport = value; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool IsTransparent() const override { return m_transparent; }
    // Growth step of the band while text remains, in tenths of a millimetre.
    int YIncrement() const { return m_yIncrement; }
    void SetYIncrement(int value) { m_yIncrement = value; }

    // The content as printed (the hidden editor's document).
    QTextDocument *Document() { return &m_document; }
    const QTextDocument *Document() const { return &m_document; }
    // The position up to which the text has been printed.
    int LastChar() const { return m_lastChar; }
    // Why the content could not be read, when it could not.
    QString LoadError() const { return m_loadError; }

    // Replaces the content by rich text (or plain text) given as bytes or as
    // decoded text. Broken rich text leaves the element empty; the reason is
    // kept in LoadError and returned false.
    bool LoadRichText(const QByteArray &data);
    bool LoadRichText(const QString &text);

    void Print(long double ofsX, long double ofsY) override;
    void GetExpandedHeight(int &newHeight) override;
    void Paint(QPainter &painter) override;

protected:
    // Loads the content to print (the field's value, another editor's);
    // called before each print.
    virtual void LoadContent() {}
    // The document to print: the element's own by default.
    virtual const QTextDocument &PrintDocument() const { return m_document; }
    void ContentChanged();
    void SetLoadError(const QString &error) { m_loadError = error; }

private:
    TRichTextRenderer &Renderer();
    void ExportRange(const QRect &deviceRect, int first, int reached);

    QTextDocument m_document;
    std::unique_ptr<TRichTextRenderer> m_renderer;
    const QTextDocument *m_rendererSource = nullptr;
    bool m_autoStretch = false;
    bool m_hiresExport = false;
    bool m_transparent = false;
    int m_yIncrement = 50;
    int m_lastChar = 0;
    QString m_loadError;
    int m_exportCount = 0;
};

} // namespace zelmio
