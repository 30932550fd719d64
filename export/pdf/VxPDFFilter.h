#pragma once
// The PDF document writer: an export filter that turns the texts and graphic
// controls of a report run into a PDF 1.3 file.
//
// Every item (a text, a shape, a rule, an image) becomes content-stream
// operators at once, kept in a text and a graphics line list of the current
// page. When a page ends its page object and content stream are encoded in
// the single-byte file code page (the process-wide Codepage setting, 1252
// unless set) and written to a spool file, so memory does not grow with the
// page count. At Finish the document is written in the order of the whole
// assembly: the objects before the pages, the spooled pages, the fonts, the
// information dictionary and the cross-reference table. Fonts are described as TrueType fonts without embedding, embedded as
// subsets (fhAutoEmbed, AddTTFont), or, with fhSubstitute, written as the
// standard Type 1 fonts; see PdfFonts.h and PdfFontEmbedding.h.
//
// The file is written safely: the temporary file beside the target is
// created at Start (so an unwritable path fails before the run) and renamed
// into place only when the whole document has been written; a failed run
// leaves an existing file of that name as it was and no partial file.

#include "export/VxExportFilter.h"
#include "export/VxAbstractExportFilter.h"
#include "export/pdf/PdfDictionary.h"
#include "export/pdf/PdfFonts.h"
#include "model/Component.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryFile>
#include <bitset>
#include <functional>
#include <memory>
#include <vector>

namespace zelmio {

class TCustomVexa;
class TSafeFileWriter;
class TVxPageCanvas;

// The process-wide settings every PDF filter reads.
struct TVxPDFSettings {
    TTextEncoding TextEncoding = TTextEncoding::DefaultEncoding; // kept, not used by the writer
    QString Codepage;            // the file code page; 1252 unless an integer
    bool SuppressDateTime = false;
    QStringList MetaData;        // "key,value" lines for the information dictionary
    // Repeatable output: a fixed creation date without time and a document
    // ID computed from the content, so that equal runs give equal files.
    bool Repeatable = false;
    // Page content streams compressed with Flate (zlib) on request; the
    // default writes them plain.
    bool CompressContent = false;
    // Finished pages are encoded and spooled on a second thread.
    bool SpoolThread = true;
};
TVxPDFSettings &PDFSettings();
// The code page of the settings' Codepage, 1252 when it names none.
const class TCodePage &FileCodePage();

// The common base of the PDF writer: page geometry fields and the access to
// the process-wide settings.
class TVxPAbstractExportFilter : public TVxExportFilter {
public:
    explicit TVxPAbstractExportFilter(const QString &filename)
        : TVxExportFilter(filename)
    {
    }
    QString GetFilterName() const override { return QStringLiteral("VXAbstract"); }

    static TTextEncoding TextEncoding() { return PDFSettings().TextEncoding; }
    static void SetTextEncoding(TTextEncoding value) { PDFSettings().TextEncoding = value; }
    static QString Codepage() { return PDFSettings().Codepage; }
    static void SetCodepage(const QString &value) { PDFSettings().Codepage = value; }
    static bool SuppressDateTime() { return PDFSettings().SuppressDateTime; }
    static void SetSuppressDateTime(bool value) { PDFSettings().SuppressDateTime = value; }

protected:
    virtual void ProcessPage() { FPageProcessed = true; }
    virtual void StorePage() {}

    long double FCharWidth = 0;
    long double FCharHeight = 0;
    long double FPaperWidth = 0;
    long double FPaperHeight = 0;
    int FLineCount = 0;
    int FColCount = 0;
    bool FPageProcessed = false;
    long double BGHFactor = 1.0L;
};

struct TRGBColor {
    quint8 Red = 0;
    quint8 Green = 0;
    quint8 Blue = 0;
};

enum TPDFItemType { IT_INVALID, IT_TEXT, IT_NEWPAGE, IT_GRAPHIC, IT_IMAGE };
enum TPDFShape { S_BOX, S_CIRCLE, S_HLINE, S_VLINE, S_OBLIQUE, S_TOPBOTTOM, S_LEFTRIGHT, S_RIGHTDIAG, S_LEFTDIAG };

// One drawing item; positions in points from the page's top-left corner
// (an image's YPos is its bottom edge).
struct TPDFItemRec {
    TPDFItemType ItemType = IT_INVALID;
    long double XPos = 0;
    long double YPos = 0;
    QString FontName;
    QString FText;
    int FontCharset = 0;
    int FontSize = 0;
    bool fbold = false;
    bool fItalic = false;
    bool Filled = false;
    long double Width = 0;
    long double Height = 0;
    long double thickness = 0;
    long double xscale = 1;
    long double yscale = 1;
    QByteArray imgstr;     // the image's RGB rows
    bool lzw = false;      // LZW before ASCII85
    QString ImageFilter;   // "/ASCII85Decode /LZWDecode"
    TPDFShape Shape = S_BOX;
    int pixelWidth = 0;
    int pixelHeight = 0;
    TRGBColor RGBStrokeColor;
    TRGBColor RGBFColor;
    int Degree = 0;        // text rotation, tenths of a degree counter-clockwise
};

class TVxPDFDocumentFilter : public TVxPAbstractExportFilter {
public:
    // An empty file name writes the document to Stream() instead of a file.
    explicit TVxPDFDocumentFilter(const QString &filename);
    ~TVxPDFDocumentFilter() override;

    QString GetFilterName() const override { return QStringLiteral("PDF document"); }
    QString GetDescription() const override { return QStringLiteral("PDF document filter"); }
    QString GetExtension() const override { return QStringLiteral("PDF"); }
    bool GetStreaming() const override { return false; }
    bool AcceptsVectorShapes() const override { return true; }

    void Start(int paperWidth, int paperHeight, const TVxFont *font) override;
    void NewPage() override;
    void EndPage() override {}
    void TextOut(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                 const QString &text) override;
    void AcceptGraphic(TDevicePos position, TVxControl *control) override;
    void RotatedTextOut(TDevicePos start, const TVxFont *font, int degree, const QString &text) override;
    void FillRectangles(const std::vector<QRectF> &deviceRects, TColor color) override;
    // Writes the document unless concatenating; raises EVxError when a font
    // cannot be described or the file cannot be written.
    void Finish() override;

    // --- Settings before the run ----------------------------------------------
    // A rule "From:To" for fhSubstitute; both sides trimmed, kept once.
    void AddFontMap(const QString &rule);
    // A font to embed (by its name) as a subset of the glyphs used.
    void AddTTFont(const QString &fontName);
    void AddCustomWidths(const QString &psFontName, const QString &widths);
    void AddCustomEncoding(const QString &psFontName, const QString &differences);
    void SetDocumentInfo(const QString &creator, const QString &author, const QString &subject, const QString &title);
    bool TextOnTop() const { return FPDFTextOnTop; }
    void SetTextOnTop(bool value)
    {
        FPDFTextOnTop = value;
        FTextFirst = !value;
    }
    bool Concatenating() const { return FPDFConcatenating; }
    void SetConcatenating(bool value) { FPDFConcatenating = value; }
    void EndConcat();
    bool CompressionOn() const { return FPDFCompressionOn; }
    void SetCompressionOn(bool value) { FPDFCompressionOn = value; }
    TFontHandling FontHandling() const { return FFontHandling; }
    void SetFontHandling(TFontHandling value) { FFontHandling = value; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value) { FBiDiMode = value; }
    static QStringList MetaData() { return PDFSettings().MetaData; }
    static void SetMetaData(const QStringList &lines) { PDFSettings().MetaData = lines; }

    // --- Results ---------------------------------------------------------------
    // The document when the file name is empty.
    const QByteArray &Stream() const { return FMemory; }
    const QStringList &ReportFonts() const { return FReportFonts; }
    const QStringList &SubstitutedFonts() const { return FSubstitutedFonts; }
    int PageCount() const { return FPageNumber; }

    // The font number of a key, added at the end when new.
    int FontNumber(const QString &key);

protected:
    void ProcessPage() override
    {
        FPageProcessed = true;
        StorePage();
    }

private:
    bool InRange() const;
    void StartPage();
    void FinishPage();
    void AddPDFItem(TPDFItemRec item, bool reverse = true);
    void ProcessItem(const TPDFItemRec &item);
    void AddShape(TDevicePos position, TVxControl *control, TVxShapeType shape, const class TVxPen &pen,
                  const class TVxBrush &brush, long double s);
    void AddImage(TDevicePos position, TVxControl *control, long double s);
    // Pixels of the run's printer to points, horizontally and vertically.
    long double XPoints(long double pixels) const { return pixels * FPxToPtX; }
    long double YPoints(long double pixels) const { return pixels * FPxToPtY; }
    int DeviceX(long double tenthMM) const;
    int DeviceY(long double tenthMM) const;
    long double XFactor() const;
    long double YFactor() const;
    // The objects of the report's fonts from objectNumber on (advanced past
    // them), and the /ToUnicode maps of embedded fonts, numbered from
    // toUnicodeObject on.
    struct TFontObjects {
        QStringList Lines;        // up to "stream" of an embedded font's program
        QByteArray Program;       // the font program, empty when not embedded
        QStringList After;        // from "endstream" on
    };
    std::vector<TFontObjects> FontObjects(int &objectNumber, int toUnicodeObject, std::vector<QByteArray> &toUnicode);
    bool Embedded(const TPdfFontKey &key) const;
    QStringList InfoLines(int number) const;
    // The document in pieces: the objects before the pages, the spooled
    // pages, the fonts and the rest.
    void WriteDocument(const std::function<void(const QByteArray &)> &write);

    bool FFirstPage = true;
    int FPageNumber = 0;
    bool FPDFConcatenating = false;
    bool FPDFTextOnTop = true;
    TFontHandling FFontHandling = TFontHandling::fhNoEmbedding;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    bool FTextFirst = false;
    QString FDocSubject;
    QString FDocCreator = QStringLiteral("Dizez");
    QString FDocTitle;
    QString FDocAuthor;
    TDictionary FCustomWidths;
    TDictionary FCustomEncodings;
    bool FPDFCompressionOn = true;
    QStringList FReportFonts;
    QStringList FEmbedFonts;
    QStringList FSubstitutedFonts;
    long double FPageWidth = 595;
    long double FPageHeight = 840;
    TCustomVexa *FParentReport = nullptr;
    int FPDFFirstPage = 0;
    int FPDFLastPage = 0;
    bool FReportFinished = false;
    bool FPageStarted = false;

    // The document being built: per page its size (points) and its text and
    // graphics lines.
    // A picture whose encoding is left to the spooler: its RGB rows, and
    // whether they go through LZW before ASCII85. Its place in the
    // graphics lines is a line of kDeferredImageMark and its index.
    struct TDeferredImage {
        QByteArray rows;
        bool lzw = false;
    };
    struct TPDFPage {
        long double PageWidth = 0;
        long double PageHeight = 0;
        QStringList TextLines;
        QStringList GraphicsLines;
        std::vector<TDeferredImage> Images;
    };
    // The page being filled; earlier pages are spooled and only counted.
    TPDFPage FCurrentPage;
    int FPagesStarted = 0;
    long double FFirstPageWidth = 0;
    long double FFirstPageHeight = 0;
    // Writes page k's objects to the spool as the page ends: on the spool
    // thread while the next pages are generated (PDFSettings().SpoolThread),
    // else at once. The bytes are the same either way.
    void SpoolPage(int k, TPDFPage &page);
    void SpoolPageNow(int k, TPDFPage &page);
    // Waits until the spool thread has written every page handed to it.
    void DrainSpool();
    class TSpoolThread;
    std::unique_ptr<TSpoolThread> FSpoolThread;
    // The finished pages' objects as the document will hold them, in a
    // temporary file (in memory when writing to Stream()), and each
    // object's offset in it.
    std::unique_ptr<QTemporaryFile> FSpoolFile;
    // The font and colour lines of the last text written.
    struct TTextState {
        bool valid = false;
        QString fontName;
        bool bold = false;
        bool italic = false;
        int charset = 0;
        int fontSize = 0;
        int fontNumber = 0;
        QString fontLine;
        TRGBColor color;
        QString colorLine;
    };
    TTextState FLastText;
    QByteArray FSpoolMemory;
    qint64 FSpooled = 0;
    std::vector<qint64> FPageOffsets;
    QString FSpoolError;
    // Per font number, the codes its texts use (the glyphs an embedded
    // subset keeps).
    std::vector<std::bitset<256>> FUsedCodes;
    long double FPxToPtX = 0;
    long double FPxToPtY = 0;

    std::unique_ptr<TSafeFileWriter> FStream;
    QByteArray FMemory;
};

// The registering component: while one exists, the PDF document filter is in
// the export filter registry. Its published options write the process-wide
// settings (TextEncoding, Codepage, SuppressDateTime, MetaData);
// CompressionOn and Fonthandling are kept and read by nothing else.
class TVxPDFFilter : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool CompressionOn READ CompressionOn WRITE SetCompressionOn)
    Q_PROPERTY(bool Fonthandling READ Fonthandling WRITE SetFonthandling)
    Q_PROPERTY(QString Codepage READ Codepage WRITE SetCodepage)
    Q_PROPERTY(bool SuppressDateTime READ SuppressDateTime WRITE SetSuppressDateTime)
    Q_PROPERTY(QStringList MetaData READ MetaData WRITE SetMetaData)
public:
    explicit TVxPDFFilter(TComponent *owner = nullptr);
    ~TVxPDFFilter() override;

    bool CompressionOn() const { return m_compressionOn; }
    void SetCompressionOn(bool value) { m_compressionOn = value; }
    bool Fonthandling() const { return m_fontHandling; }
    void SetFonthandling(bool value) { m_fontHandling = value; }
    TTextEncoding TextEncoding() const { return PDFSettings().TextEncoding; }
    void SetTextEncoding(TTextEncoding value) { PDFSettings().TextEncoding = value; }
    QString Codepage() const { return PDFSettings().Codepage; }
    void SetCodepage(const QString &value) { PDFSettings().Codepage = value; }
    bool SuppressDateTime() const { return PDFSettings().SuppressDateTime; }
    void SetSuppressDateTime(bool value) { PDFSettings().SuppressDateTime = value; }
    QStringList MetaData() const { return PDFSettings().MetaData; }
    void SetMetaData(const QStringList &value) { PDFSettings().MetaData = value; }

private:
    bool m_compressionOn = false;
    bool m_fontHandling = false;
};

} // namespace zelmio
