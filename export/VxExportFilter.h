#pragma once
// The export filter: the interface every export filter implements, framed by
// Start, NewPage, EndPage and Finish, on top of what the elements hand over
// during the run (TVxExportTarget). The base behaviour is that of a filter
// that writes nothing.
//
// Units: Start gets the paper size in tenths of a millimetre; TextOut and
// TextOutRec positions are tenths of a millimetre from the paper's top-left
// corner; AcceptGraphic positions are device pixels of the canvas the run
// draws on.

#include "model/VxExportTarget.h"

#include <QStringList>

namespace zelmio {

class TComponent;
class TVxControl;
class TVxFont;
class TVxPrinter;

// One formatted line of a text element with everything a filter that
// rebuilds rows and columns needs to know about it.
struct TExportInfoRec {
    long double Xpos = 0;                 // left of the text, 0.1 mm
    long double Ypos = 0;                 // top of the text line, 0.1 mm
    const TVxFont *Font = nullptr;
    TColor BGColor = clWhite;             // background colour of the element
    TAlignment Alignment = TAlignment::taLeftJustify;
    QString Text;
    int Column = 0;                       // the element's spreadsheet column (0 = none)
    TExportType ExportAs = TExportType::exptText;
    QString ControlName;
    long double ControlWidth = 0;         // element bounds, 0.1 mm
    long double controlHeight = 0;
    long double controlLeft = 0;
    long double controlTop = 0;
    TXLNumFormat XLNumFormat = TXLNumFormat::nfGeneral;
    TTextLayout VAlignment = TTextLayout::tlTop;
};

class TVxExportFilter : public TVxExportTarget {
public:
    explicit TVxExportFilter(const QString &filename)
        : m_filename(filename)
    {
    }
    ~TVxExportFilter() override = default;
    TVxExportFilter(const TVxExportFilter &) = delete;
    TVxExportFilter &operator=(const TVxExportFilter &) = delete;

    bool Active() const { return m_active; }
    QString Filename() const { return m_filename; }
    // The report being exported, set by the report before the run.
    TComponent *Owner() const { return m_owner; }
    void SetOwner(TComponent *owner) { m_owner = owner; }
    // The printer the report had before the export run started.
    TVxPrinter *OriginalVXPrinter() const { return m_originalPrinter; }
    void SetOriginalVXPrinter(TVxPrinter *printer) { m_originalPrinter = printer; }

    QString Description() const { return GetDescription(); }
    QString FileExtension() const { return GetExtension(); }
    QString Name() const { return GetFilterName(); }
    QString Vendor() const { return GetVendorName(); }
    bool Streaming() const { return GetStreaming(); }

    virtual QString GetDescription() const { return QStringLiteral("Abstract non-working export filter"); }
    // Without the dot, upper case ("PDF"); empty for the base.
    virtual QString GetExtension() const { return QString(); }
    // The name shown in file-type lists.
    virtual QString GetFilterName() const { return QStringLiteral("Abstract filter"); }
    virtual QString GetVendorName() const { return QStringLiteral("Zelmio"); }
    // A streaming filter wants the report as one endless page.
    bool GetStreaming() const override { return false; }
    // The base filter draws nothing.
    bool AcceptsVectorShapes() const override { return false; }

    virtual void Start(int paperWidth, int paperHeight, const TVxFont *font);
    virtual void EndPage() {}
    virtual void Finish();
    virtual void NewPage() {}
    void AcceptGraphic(TDevicePos position, TVxControl *control) override;
    // Never called by the engine; kept for filters that want whole controls.
    virtual void AcceptTextControl(TVxControl *control);
    virtual void AcceptBand(TVxControl *band);
    void TextOut(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                 const QString &text) override;
    virtual void TextOutRec(const TExportInfoRec &info);

protected:
    void SetActive(bool active) { m_active = active; }
    // Scratch lines of filters that assemble a document as text.
    QStringList &FinalDoc() { return m_finalDoc; }

private:
    TVxPrinter *m_originalPrinter = nullptr;
    bool m_active = false;
    QString m_filename;
    TComponent *m_owner = nullptr;
    QStringList m_finalDoc;
};

} // namespace zelmio
