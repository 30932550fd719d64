#pragma once
// The interface every export filter implements and that the engine and the
// printable elements call while a report is generated once more for a
// filter: positioned texts (TextOut, TextOutRec) and graphic controls with
// their device position (AcceptGraphic), framed by Start, NewPage, EndPage
// and Finish.
//
// Units: Start gets the paper size in tenths of a millimetre; TextOut and
// TextOutRec positions are tenths of a millimetre from the paper's top-left
// corner; AcceptGraphic positions are device pixels of the canvas the run
// draws on, and the control carries its own size, pen, brush, shape or
// picture for the filter to read.
//
// The base behaviour is that of a filter that writes nothing. The interface
// is header-only so that the report model can call it without depending on
// the export library.

#include "model/VxColor.h"
#include "model/VxElementTypes.h"

#include <QString>
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

class TVxExportFilter {
public:
    explicit TVxExportFilter(const QString &filename)
        : m_filename(filename)
    {
    }
    virtual ~TVxExportFilter() = default;
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
    virtual bool GetStreaming() const { return false; }

    virtual void Start(int paperWidth, int paperHeight, const TVxFont *font)
    {
        Q_UNUSED(paperWidth);
        Q_UNUSED(paperHeight);
        Q_UNUSED(font);
        m_active = true;
    }
    virtual void EndPage() {}
    virtual void Finish() { m_active = false; }
    virtual void NewPage() {}
    virtual void AcceptGraphic(long double xoff, long double yoff, TVxControl *control)
    {
        Q_UNUSED(xoff);
        Q_UNUSED(yoff);
        Q_UNUSED(control);
    }
    // Never called by the engine; kept for filters that want whole controls.
    virtual void AcceptTextControl(TVxControl *control) { Q_UNUSED(control); }
    virtual void AcceptBand(TVxControl *band) { Q_UNUSED(band); }
    // bgColor is the element's colour, clNone for a transparent element.
    virtual void TextOut(long double x, long double y, const TVxFont *font, TColor bgColor,
                         TAlignment alignment, const QString &text)
    {
        Q_UNUSED(x);
        Q_UNUSED(y);
        Q_UNUSED(font);
        Q_UNUSED(bgColor);
        Q_UNUSED(alignment);
        Q_UNUSED(text);
    }
    virtual void TextOutRec(const TExportInfoRec &info) { Q_UNUSED(info); }

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
