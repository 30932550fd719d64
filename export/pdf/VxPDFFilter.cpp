#include "export/pdf/VxPDFFilter.h"

#include <charconv>

#include "export/VxExportFilterLibrary.h"
#include "export/pdf/PdfEncoders.h"
#include "export/pdf/PdfFontEmbedding.h"
#include "model/CustomVexa.h"
#include "model/VxBrush.h"
#include "model/VxDBImage.h"
#include "model/VxFont.h"
#include "model/VxGrDBImage.h"
#include "model/VxHRule.h"
#include "model/VxImage.h"
#include "model/VxPDFShape.h"
#include "model/VxPen.h"
#include "model/VxPicture.h"
#include "model/VxPrinterSettings.h"
#include "model/VxReferenceDevice.h"
#include "model/VxReportRunState.h"
#include "model/VxShape.h"
#include "output/VxPrinter.h"
#include "platform/CodePage.h"
#include "platform/Formats.h"
#include "platform/SafeFileWriter.h"
#include "platform/StageClock.h"

#include <QCryptographicHash>
#include <zlib.h>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTemporaryFile>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zelmio {

namespace {

// A zlib stream of the bytes, as /FlateDecode reads it.
QByteArray FlateCompress(const QByteArray &bytes)
{
    uLongf size = compressBound(uLong(bytes.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(bytes.constData()),
                  uLong(bytes.size()), Z_BEST_SPEED)
        != Z_OK)
        throw EVxError(QStringLiteral("A page's content could not be compressed"));
    out.truncate(qsizetype(size));
    return out;
}

// 72 / 25.4: millimetres to points.
constexpr long double kMMToPoints = 2.8346456692913385826L;
// Pixels per tenth of a millimetre of the screen the controls are sized on,
// the value the elements convert device pixels back to control pixels with.
constexpr long double kScreenFactor = TVxPrinter::DefaultFactor;

const QString kCRLF = QStringLiteral("\r\n");

// Stands in a page's graphics lines for a picture encoded at spooling.
const QString kDeferredImageMark = QStringLiteral("\x01");

int Trunc(long double v)
{
    return int(std::trunc(v));
}

TRGBColor ToRGB(TColor color)
{
    const quint32 rgb = ColorToRGB(color);
    return {quint8(rgb & 0xFF), quint8((rgb >> 8) & 0xFF), quint8((rgb >> 16) & 0xFF)};
}

QString ColorText(const TRGBColor &c)
{
    // "%4.2f" of each of the 256 component values, formatted once.
    static const std::array<QString, 256> components = [] {
        std::array<QString, 256> texts;
        for (int v = 0; v < 256; ++v)
            texts[size_t(v)] = QString::asprintf("%4.2f", v / 255.0).trimmed();
        return texts;
    }();
    return components[c.Red] + QLatin1Char(' ') + components[c.Green] + QLatin1Char(' ') + components[c.Blue];
}

QString EscapeText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'(':
            out += QLatin1String("\\(");
            break;
        case u')':
            out += QLatin1String("\\)");
            break;
        case 0x20AC:
            out += QLatin1String("\\200");
            break;
        default:
            out += ch;
        }
    }
    return out;
}

TPDFShape MapShape(TVxShapeType shape)
{
    switch (shape) {
    case TVxShapeType::vxsRectangle:
    case TVxShapeType::vxsRoundRect:
        return S_BOX;
    case TVxShapeType::vxsCircle:
        return S_CIRCLE;
    case TVxShapeType::vxsVertLine:
        return S_VLINE;
    case TVxShapeType::vxsHorLine:
        return S_HLINE;
    case TVxShapeType::vxsTopAndBottom:
        return S_TOPBOTTOM;
    case TVxShapeType::vxsRightAndLeft:
        return S_LEFTRIGHT;
    case TVxShapeType::vxsLeftDiagonal:
        return S_LEFTDIAG;
    case TVxShapeType::vxsRightDiagonal:
        return S_RIGHTDIAG;
    }
    return S_OBLIQUE;
}

QString Line(long double x1, long double y1, long double x2, long double y2)
{
    return QString::asprintf("%d %d m %d %d l s", Trunc(x1), Trunc(y1), Trunc(x2), Trunc(y2));
}

// An image on white, as 24-bit rows from the top, red, green, blue.
QByteArray RGBRows(const QImage &image)
{
    QImage rgb(image.size(), QImage::Format_RGB888);
    rgb.fill(Qt::white);
    {
        QPainter painter(&rgb);
        painter.drawImage(0, 0, image);
    }
    QByteArray rows;
    const int rowBytes = rgb.width() * 3;
    rows.reserve(qsizetype(rowBytes) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        rows.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rowBytes);
    return rows;
}

} // namespace

TVxPDFSettings &PDFSettings()
{
    static TVxPDFSettings settings;
    return settings;
}

const TCodePage &FileCodePage()
{
    bool ok = false;
    const int codePage = PDFSettings().Codepage.trimmed().toInt(&ok);
    const TCodePage *cp = ok ? TCodePage::find(codePage) : nullptr;
    return cp ? *cp : *TCodePage::find(1252);
}

// --- TVxPDFDocumentFilter ----------------------------------------------------

TVxPDFDocumentFilter::TVxPDFDocumentFilter(const QString &filename)
    : TVxPAbstractExportFilter(filename)
{
    FSubstitutedFonts << QStringLiteral("Arial:Helvetica") << QStringLiteral("Times New Roman:Times")
                      << QStringLiteral("Courier New:Courier");
}

// The spool thread: takes finished pages in order and writes them with
// SpoolPageNow. At most a few pages wait, so memory stays flat when the
// generation runs ahead.
class TVxPDFDocumentFilter::TSpoolThread {
public:
    explicit TSpoolThread(TVxPDFDocumentFilter &filter)
        : m_filter(filter)
        , m_thread([this] { Run(); })
    {
    }
    ~TSpoolThread()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    void Push(int k, TPDFPage page)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_jobs.size() < kMaxWaiting; });
        m_jobs.push_back({k, std::move(page)});
        m_changed.notify_all();
    }
    void Drain()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
    }

private:
    static constexpr size_t kMaxWaiting = 4;
    struct Job {
        int k;
        TPDFPage page;
    };
    void Run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            // Stopped: a finished document drained the pages before; a run
            // that failed needs the rest no more.
            if (m_stop)
                return;
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
            m_changed.notify_all();
            lock.unlock();
            try {
                m_filter.SpoolPageNow(job.k, job.page);
            } catch (const std::exception &e) {
                if (m_filter.FSpoolError.isEmpty())
                    m_filter.FSpoolError = QStringLiteral("a page could not be written: ") + QString::fromUtf8(e.what());
            }
            lock.lock();
            m_busy = false;
            m_changed.notify_all();
        }
    }

    TVxPDFDocumentFilter &m_filter;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};

TVxPDFDocumentFilter::~TVxPDFDocumentFilter()
{
    // The thread writes into members declared after it: it goes first.
    FSpoolThread.reset();
}

void TVxPDFDocumentFilter::AddFontMap(const QString &rule)
{
    const int colon = rule.indexOf(QLatin1Char(':'));
    const QString clean = colon < 0 ? rule.trimmed()
                                    : rule.left(colon).trimmed() + QLatin1Char(':') + rule.mid(colon + 1).trimmed();
    if (!FSubstitutedFonts.contains(clean))
        FSubstitutedFonts << clean;
}

void TVxPDFDocumentFilter::AddTTFont(const QString &fontName)
{
    if (!FEmbedFonts.contains(fontName))
        FEmbedFonts << fontName;
}

void TVxPDFDocumentFilter::AddCustomWidths(const QString &psFontName, const QString &widths)
{
    FCustomWidths.Add(psFontName, widths);
}

void TVxPDFDocumentFilter::AddCustomEncoding(const QString &psFontName, const QString &differences)
{
    FCustomEncodings.Add(psFontName, differences);
}

void TVxPDFDocumentFilter::SetDocumentInfo(const QString &creator, const QString &author, const QString &subject,
                                           const QString &title)
{
    FDocCreator = creator;
    FDocAuthor = author;
    FDocSubject = subject;
    FDocTitle = title;
}

void TVxPDFDocumentFilter::EndConcat()
{
    FPDFConcatenating = false;
    Finish();
}

int TVxPDFDocumentFilter::FontNumber(const QString &key)
{
    int n = int(FReportFonts.indexOf(key));
    if (n < 0) {
        FReportFonts << key;
        FUsedCodes.emplace_back();
        n = int(FReportFonts.size()) - 1;
    }
    return n;
}

long double TVxPDFDocumentFilter::XFactor() const
{
    const TVxPrinter *printer = FParentReport ? FParentReport->RunState().VXPrinter : nullptr;
    return printer ? printer->XFactor() : TVxPrinter::DefaultFactor;
}

long double TVxPDFDocumentFilter::YFactor() const
{
    const TVxPrinter *printer = FParentReport ? FParentReport->RunState().VXPrinter : nullptr;
    return printer ? printer->YFactor() : TVxPrinter::DefaultFactor;
}

int TVxPDFDocumentFilter::DeviceX(long double tenthMM) const
{
    const TVxPrinter *printer = FParentReport ? FParentReport->RunState().VXPrinter : nullptr;
    return printer ? printer->XPos(tenthMM) : int(std::lround(tenthMM * XFactor()));
}

int TVxPDFDocumentFilter::DeviceY(long double tenthMM) const
{
    const TVxPrinter *printer = FParentReport ? FParentReport->RunState().VXPrinter : nullptr;
    return printer ? printer->YPos(tenthMM) : int(std::lround(tenthMM * YFactor()));
}

void TVxPDFDocumentFilter::Start(int paperWidth, int paperHeight, const TVxFont *font)
{
    const TStageTimer writing(TStage::Pdf);
    TVxPAbstractExportFilter::Start(paperWidth, paperHeight, font);
    FPaperWidth = paperWidth;
    FPaperHeight = paperHeight;
    if (!Filename().isEmpty() && !FStream) {
        auto stream = std::make_unique<TSafeFileWriter>(Filename());
        if (!stream->open())
            throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(Filename(), stream->errorString()));
        FStream = std::move(stream);
    }
    FParentReport = qobject_cast<TCustomVexa *>(Owner());
    if (FParentReport && FParentReport->PrinterSettings()) {
        FPDFFirstPage = FParentReport->PrinterSettings()->FirstPage();
        FPDFLastPage = FParentReport->PrinterSettings()->LastPage();
    } else {
        FPDFFirstPage = FPDFLastPage = 0;
    }
}

bool TVxPDFDocumentFilter::InRange() const
{
    if (FPDFFirstPage == 0 || FPDFLastPage == 0 || FReportFinished || !FParentReport)
        return true;
    const int page = FParentReport->RunState().Pagecount;
    return page >= FPDFFirstPage && page <= FPDFLastPage;
}

void TVxPDFDocumentFilter::NewPage()
{
    const TStageTimer writing(TStage::Pdf);
    if (!InRange())
        return;
    if (FFirstPage) {
        FFirstPage = false;
        return;
    }
    TPDFItemRec item;
    item.ItemType = IT_NEWPAGE;
    AddPDFItem(item);
}

void TVxPDFDocumentFilter::StartPage()
{
    if (!InRange())
        return;
    FPxToPtX = kMMToPoints / (XFactor() * 10);
    FPxToPtY = kMMToPoints / (YFactor() * 10);
    ++FPageNumber;
    TPDFPage page;
    page.PageWidth = std::round(FPaperWidth) * 0.1L * kMMToPoints;
    page.PageHeight = std::round(FPaperHeight) * 0.1L * kMMToPoints;
    FPageWidth = page.PageWidth;
    FPageHeight = page.PageHeight;
    if (FPagesStarted++ == 0) {
        FFirstPageWidth = page.PageWidth;
        FFirstPageHeight = page.PageHeight;
    }
    FCurrentPage = std::move(page);
    FPageStarted = true;
}

void TVxPDFDocumentFilter::FinishPage()
{
    if (!InRange() || FPagesStarted == 0)
        return;
    TPDFPage &page = FCurrentPage;
    page.TextLines << QStringLiteral("ET");
    SpoolPage(FPagesStarted, page);
}

void TVxPDFDocumentFilter::SpoolPage(int k, TPDFPage &page)
{
    if (!PDFSettings().SpoolThread) {
        SpoolPageNow(k, page);
        return;
    }
    // The spool file is opened here, before the thread first writes to it.
    if (!Filename().isEmpty() && !FSpoolFile) {
        FSpoolFile = std::make_unique<QTemporaryFile>();
        if (!FSpoolFile->open() && FSpoolError.isEmpty())
            FSpoolError = QStringLiteral("the page spool file cannot be created: ") + FSpoolFile->errorString();
    }
    if (!FSpoolThread)
        FSpoolThread = std::make_unique<TSpoolThread>(*this);
    TPDFPage job;
    job.PageWidth = page.PageWidth;
    job.PageHeight = page.PageHeight;
    job.TextLines = std::move(page.TextLines);
    job.GraphicsLines = std::move(page.GraphicsLines);
    job.Images = std::move(page.Images);
    page.TextLines = QStringList();
    page.GraphicsLines = QStringList();
    page.Images.clear();
    FSpoolThread->Push(k, std::move(job));
}

void TVxPDFDocumentFilter::DrainSpool()
{
    if (FSpoolThread)
        FSpoolThread->Drain();
}

void TVxPDFDocumentFilter::SpoolPageNow(int k, TPDFPage &page)
{
    // The page object 2k + 2 and its content stream 2k + 3, as they will
    // stand in the document; the page keeps only its size.
    const TCodePage &cp = FileCodePage();
    QByteArray bytes;
    auto add = [&](const QString &line) {
        bytes += cp.encode(line);
        bytes += "\r\n";
    };
    FPageOffsets.push_back(FSpooled);
    for (const QString &line : {QString::asprintf("%d 0 obj", 2 * k + 2), QStringLiteral("<<"),
                                QStringLiteral("/Type /Page"), QStringLiteral("/Parent 3 0 R"),
                                QString::asprintf("/Contents %d 0 R", 2 * k + 3),
                                QString::asprintf("/MediaBox [0 0 %d %d]", Trunc(page.PageWidth), Trunc(page.PageHeight)),
                                QStringLiteral(">>"), QStringLiteral("endobj")})
        add(line);
    QByteArray content;
    const QByteArray text = cp.encode(page.TextLines.join(kCRLF));
    QByteArray graphics;
    if (page.Images.empty()) {
        graphics = cp.encode(page.GraphicsLines.join(kCRLF));
    } else {
        // The deferred pictures are encoded here, in their places.
        for (qsizetype i = 0; i < page.GraphicsLines.size(); ++i) {
            const QString &line = page.GraphicsLines.at(i);
            if (i > 0)
                graphics += "\r\n";
            if (line.startsWith(kDeferredImageMark)) {
                const TDeferredImage &image = page.Images.at(size_t(line.mid(1).toInt()));
                graphics += image.lzw ? Ascii85EncodeFilter(LZWEncode(image.rows)) : Ascii85EncodeFilter(image.rows);
            } else {
                graphics += cp.encode(line);
            }
        }
    }
    auto piece = [&](const QByteArray &block) {
        if (!block.isEmpty())
            content += block + "\r\n";
    };
    if (FTextFirst) {
        piece("BT");
        piece(text);
        piece(graphics);
    } else {
        piece(graphics);
        piece("BT");
        piece(text);
    }
    FPageOffsets.push_back(FSpooled + bytes.size());
    add(QString::asprintf("%d 0 obj", 2 * k + 3));
    if (PDFSettings().CompressContent) {
        content = FlateCompress(content);
        add(QString::asprintf("<< /Length %d /Filter /FlateDecode >>", int(content.size())));
    } else {
        add(QString::asprintf("<< /Length %d >>", int(content.size())));
    }
    add(QStringLiteral("stream"));
    bytes += content;
    add(QStringLiteral("endstream"));
    add(QStringLiteral("endobj"));
    page.TextLines = QStringList();
    page.GraphicsLines = QStringList();
    page.Images.clear();

    FSpooled += bytes.size();
    if (Filename().isEmpty()) {
        FSpoolMemory += bytes;
        return;
    }
    if (!FSpoolFile) {
        FSpoolFile = std::make_unique<QTemporaryFile>();
        if (!FSpoolFile->open() && FSpoolError.isEmpty())
            FSpoolError = QStringLiteral("the page spool file cannot be created: ") + FSpoolFile->errorString();
    }
    if (FSpoolError.isEmpty() && FSpoolFile->write(bytes) != bytes.size())
        FSpoolError = QStringLiteral("the page spool file %1 cannot be written: %2")
                          .arg(FSpoolFile->fileName(), FSpoolFile->errorString());
}

namespace {

// A text item in the font, its position still to be set.
TPDFItemRec TextItem(const TVxFont &font, const QString &text)
{
    TPDFItemRec item;
    item.ItemType = IT_TEXT;
    item.FText = text;
    item.FontName = font.Name();
    item.FontCharset = int(font.Charset());
    item.FontSize = font.Size();
    item.fbold = font.Style().testFlag(TFontStyle::fsBold);
    item.fItalic = font.Style().testFlag(TFontStyle::fsItalic);
    item.RGBFColor = ToRGB(font.Color());
    return item;
}

} // namespace

void TVxPDFDocumentFilter::TextOut(TPaperPos position, const TVxFont *font, TColor, TAlignment alignment,
                                   const QString &text)
{
    const TStageTimer writing(TStage::Pdf);
    if (!font || !InRange())
        return;
    int x = DeviceX(position.x);
    const int y = DeviceY(position.y);
    const long double s = XFactor() / kScreenFactor;
    // The font's design widths, as the PDF's /Widths give them to the
    // viewer (hinted screen advances would misplace right-aligned text).
    const QFont qfont = font->ToQFont();
    const int w = Trunc(ReferenceTextWidth(qfont, text) * s);
    if (alignment == TAlignment::taRightJustify)
        x -= w;
    else if (alignment == TAlignment::taCenter)
        x -= w / 2;

    const bool underline = font->Style().testFlag(TFontStyle::fsUnderline);
    const bool strikeOut = font->Style().testFlag(TFontStyle::fsStrikeOut);
    if (underline || strikeOut) {
        const int textHeight = Trunc(QFontMetricsF(qfont).height() * YFactor() / kScreenFactor);
        TVxShape rule;
        rule.SetShape(TVxShapeType::vxsHorLine);
        rule.SetBounds(Trunc(x / s), Trunc(y / s), Trunc(w * 1.05L / s), 2);
        rule.Pen()->SetWidth(std::max(font->Size() / 12, 1));
        rule.Pen()->SetColor(font->Color());
        rule.Brush()->SetStyle(TBrushStyle::bsClear);
        if (underline)
            AcceptGraphic(TDevicePos(x, y + textHeight), &rule);
        if (strikeOut)
            AcceptGraphic(TDevicePos(x, y + textHeight / 2), &rule);
    }

    if (!FPageStarted)
        StartPage();
    TPDFItemRec item = TextItem(*font, text);
    item.XPos = XPoints(x);
    item.YPos = font->Size() + YPoints(y);
    AddPDFItem(std::move(item));
}

void TVxPDFDocumentFilter::RotatedTextOut(TDevicePos start, const TVxFont *font, int degree, const QString &text)
{
    const TStageTimer writing(TStage::Pdf);
    if (!font || !InRange())
        return;
    if (!FPageStarted)
        StartPage();
    // The baseline lies one font size below the start point, along the
    // rotated text's downward direction.
    const long double angle = degree / 10.0L * std::numbers::pi_v<long double> / 180.0L;
    TPDFItemRec item = TextItem(*font, text);
    item.XPos = XPoints(start.x) + font->Size() * std::sin(angle);
    item.YPos = YPoints(start.y) + font->Size() * std::cos(angle);
    item.Degree = degree;
    AddPDFItem(std::move(item));
}

void TVxPDFDocumentFilter::FillRectangles(const std::vector<QRectF> &deviceRects, TColor color)
{
    const TStageTimer writing(TStage::Pdf);
    if (deviceRects.empty() || !InRange())
        return;
    if (!FPageStarted)
        StartPage();
    // One path of all rectangles, filled once; positions to a thousandth of
    // a point, so that bars keep their exact widths. Written with to_chars:
    // a sheet of price tags has thousands of bars.
    TPDFPage &page = FCurrentPage;
    std::string path = ColorText(ToRGB(color)).toStdString() + " rg";
    path.reserve(path.size() + deviceRects.size() * 40 + 4);
    char number[32];
    const auto append = [&](long double value, char after) {
        const auto [end, ec] = std::to_chars(number, number + sizeof number, double(value), std::chars_format::fixed, 3);
        path.append(number, ec == std::errc() ? end : number);
        path += after;
    };
    for (const QRectF &rect : deviceRects) {
        const long double w = XPoints(rect.width());
        const long double h = YPoints(rect.height());
        path += "\r\n";
        append(XPoints(rect.left()), ' ');
        append(page.PageHeight - YPoints(rect.top()) - h, ' ');
        append(w, ' ');
        append(h, ' ');
        path += "re";
    }
    path += "\r\nf";
    page.GraphicsLines << QString::fromLatin1(path.data(), qsizetype(path.size()));
}

void TVxPDFDocumentFilter::AcceptGraphic(TDevicePos position, TVxControl *control)
{
    const TStageTimer writing(TStage::Pdf);
    if (!control || !InRange())
        return;
    if (!FPageStarted)
        StartPage();
    const long double s = XFactor() / kScreenFactor;
    if (auto *rule = qobject_cast<TVxHRule *>(control)) {
        TPDFItemRec item;
        item.ItemType = IT_GRAPHIC;
        item.Shape = S_HLINE;
        item.XPos = XPoints(position.x);
        item.YPos = YPoints(position.y);
        item.Width = XPoints(control->Width() * s);
        item.Height = YPoints(control->Height() * s);
        item.thickness = rule->Pen()->Width();
        item.RGBStrokeColor = ToRGB(rule->Pen()->Color());
        item.Filled = false;
        AddPDFItem(std::move(item));
    } else if (auto *shape = qobject_cast<TVxShape *>(control)) {
        AddShape(position, control, shape->Shape(), *shape->Pen(), *shape->Brush(), s);
    } else if (auto *pdfShape = qobject_cast<TVxPDFShape *>(control)) {
        AddShape(position, control, pdfShape->ShapeType(), *pdfShape->Pen(), *pdfShape->Brush(), s);
    } else if (qobject_cast<TVxImage *>(control) || qobject_cast<TVxDBImage *>(control)) {
        AddImage(position, control, s);
    }
}

void TVxPDFDocumentFilter::AddShape(TDevicePos position, TVxControl *control, TVxShapeType shape, const TVxPen &pen,
                                    const TVxBrush &brush, long double s)
{
    TPDFItemRec item;
    item.ItemType = IT_GRAPHIC;
    item.Shape = MapShape(shape);
    item.XPos = XPoints(position.x);
    item.YPos = YPoints(position.y);
    item.Width = XPoints(control->Width() * s);
    item.Height = YPoints(control->Height() * s);
    item.thickness = pen.Width();
    item.RGBStrokeColor = ToRGB(pen.Color());
    item.RGBFColor = ToRGB(brush.Color());
    if (brush.Style() != TBrushStyle::bsClear) {
        item.Filled = true;
        AddPDFItem(item);
    }
    if (pen.Style() != TPenStyle::psClear) {
        item.Filled = false;
        AddPDFItem(item);
    }
}

void TVxPDFDocumentFilter::AddImage(TDevicePos position, TVxControl *control, long double s)
{
    long double x = position.x;
    long double y = position.y;
    // Displayed size in control (screen) pixels.
    long double shownW = control->Width();
    long double shownH = control->Height();
    QImage bitmap;
    auto fitInside = [&](const QImage &picture, bool shift) {
        const long double pw = picture.width();
        const long double ph = picture.height();
        if (pw <= 0 || ph <= 0)
            return;
        if (shownW / pw * ph <= shownH) {
            const long double h = shownW / pw * ph;
            if (shift)
                y += (shownH - h) / 2 * s;
            shownH = h;
        } else {
            const long double w = shownH / ph * pw;
            if (shift)
                x += (shownW - w) / 2 * s;
            shownW = w;
        }
    };
    auto drawnAtOwnSize = [&](const QImage &picture) {
        QImage canvas(std::max(control->Width(), 0), std::max(control->Height(), 0), QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        painter.drawImage(0, 0, picture);
        return canvas;
    };

    if (auto *grImage = qobject_cast<TVxGrDBImage *>(control)) {
        const QImage &picture = grImage->Picture()->Image();
        if (picture.isNull())
            return;
        if (grImage->Stretch()) {
            bitmap = picture;
        } else if (grImage->ClipImage()) {
            bitmap = drawnAtOwnSize(picture);
        } else {
            bitmap = picture;
            switch (grImage->FitMode()) {
            case TFitMode::fmInsideProp:
                fitInside(picture, true);
                break;
            case TFitMode::fmKeepWidth:
                shownH = shownW / picture.width() * picture.height();
                break;
            case TFitMode::fmKeepHeight:
                shownW = shownH / picture.height() * picture.width();
                break;
            case TFitMode::fmProportional:
                fitInside(picture, false);
                break;
            }
        }
    } else if (auto *dbImage = qobject_cast<TVxDBImage *>(control)) {
        const QImage &picture = dbImage->Picture()->Image();
        if (picture.isNull())
            return;
        bitmap = picture;
        if (!dbImage->Stretch())
            fitInside(picture, true);
    } else if (auto *image = qobject_cast<TVxImage *>(control)) {
        const QImage &picture = image->Picture()->Image();
        if (picture.isNull())
            return;
        if (image->Tag() == 999)
            bitmap = picture;
        else if (image->Stretch())
            bitmap = picture.scaled(control->Width(), control->Height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        else
            bitmap = drawnAtOwnSize(picture);
    }
    if (bitmap.width() <= 0 || bitmap.height() <= 0 || shownW <= 0 || shownH <= 0)
        return;

    TPDFItemRec item;
    item.ItemType = IT_IMAGE;
    // The rows are encoded when the page is spooled.
    item.imgstr = RGBRows(bitmap);
    item.lzw = FPDFCompressionOn;
    item.ImageFilter = FPDFCompressionOn ? QStringLiteral("/ASCII85Decode /LZWDecode") : QStringLiteral("/ASCII85Decode");
    item.XPos = XPoints(x);
    item.YPos = YPoints(y + shownH * s);
    item.Width = XPoints(bitmap.width());
    item.Height = YPoints(bitmap.height());
    item.pixelWidth = bitmap.width();
    item.pixelHeight = bitmap.height();
    item.xscale = shownW / bitmap.width() * s;
    item.yscale = shownH / bitmap.height() * s;
    AddPDFItem(std::move(item), false);
}

void TVxPDFDocumentFilter::AddPDFItem(TPDFItemRec item, bool reverse)
{
    if (!InRange())
        return;
    if (!FPageStarted)
        StartPage();
    if (reverse && FBiDiMode == TBiDiMode::bdRightToLeft)
        std::reverse(item.FText.begin(), item.FText.end());
    ProcessItem(item);
}

namespace {

// The text matrix that places a text line at (x, y), turned counter-clockwise
// by degree tenths of a degree, followed by the string's opening bracket.
QString TextMatrix(int degree, long double x, long double y)
{
    if (degree == 0)
        return QStringLiteral(" 1 0 0 1 ") + QString::number(Trunc(x)) + QLatin1Char(' ') + QString::number(Trunc(y))
            + QStringLiteral(" Tm (");
    const double angle = degree / 10.0 * std::numbers::pi / 180.0;
    // Quarter turns give exact zeros (no "-0.0000" in the file).
    const auto clean = [](double v) { return std::abs(v) < 5e-5 ? 0.0 : v; };
    const double c = clean(std::cos(angle));
    const double s = clean(std::sin(angle));
    return QString::asprintf(" %.4f %.4f %.4f %.4f %.2f %.2f Tm (", c, s, clean(-s), c, double(x), double(y));
}

} // namespace

void TVxPDFDocumentFilter::ProcessItem(const TPDFItemRec &item)
{
    if (item.ItemType == IT_INVALID)
        throw EVxError(QStringLiteral("Internal error: IT_INVALID"));
    if (item.ItemType == IT_NEWPAGE) {
        FinishPage();
        StartPage();
        return;
    }
    TPDFPage &page = FCurrentPage;
    const long double x = item.XPos;
    const long double y = page.PageHeight - item.YPos;
    const long double w = item.Width;
    const long double h = item.Height;
    QStringList &graphics = page.GraphicsLines;
    switch (item.ItemType) {
    case IT_TEXT: {
        // Texts mostly come in runs of one font and colour: their lines
        // are kept from the previous text.
        TTextState &last = FLastText;
        if (!last.valid || last.fontName != item.FontName || last.bold != item.fbold || last.italic != item.fItalic
            || last.charset != item.FontCharset || last.fontSize != item.FontSize) {
            last.fontNumber =
                FontNumber(TPdfFontKey::Make(item.FontName, item.fbold, item.fItalic, item.FontCharset).Text());
            last.fontLine = QLatin1Char('/') + FontResourceName(last.fontNumber) + QLatin1Char(' ')
                + QString::number(item.FontSize) + QStringLiteral(" Tf");
            last.fontName = item.FontName;
            last.bold = item.fbold;
            last.italic = item.fItalic;
            last.charset = item.FontCharset;
            last.fontSize = item.FontSize;
        }
        if (!last.valid || last.color.Red != item.RGBFColor.Red || last.color.Green != item.RGBFColor.Green
            || last.color.Blue != item.RGBFColor.Blue) {
            last.color = item.RGBFColor;
            last.colorLine = ColorText(item.RGBFColor) + QStringLiteral(" rg");
        }
        last.valid = true;
        const int n = last.fontNumber;
        // The codes the text line shows (the euro sign is written as code
        // 0x80 whatever the code page).
        std::bitset<256> &used = FUsedCodes[size_t(n)];
        QString shown = item.FText;
        if (shown.contains(QChar(0x20AC))) {
            used.set(0x80);
            shown.remove(QChar(0x20AC));
        }
        for (char byte : FileCodePage().encode(shown))
            used.set(static_cast<unsigned char>(byte));
        page.TextLines << last.colorLine << last.fontLine
                       << TextMatrix(item.Degree, x, y) + EscapeText(item.FText) + QStringLiteral(") Tj");
        break;
    }
    case IT_GRAPHIC: {
        const QString fillOrStroke = item.Filled ? ColorText(item.RGBFColor) + QStringLiteral(" rg")
                                                 : ColorText(item.RGBStrokeColor) + QStringLiteral(" RG");
        const auto lineWidth = [&] { return QString::asprintf("%2.0f w", double(item.thickness)); };
        const auto stroke = [&] { return ColorText(item.RGBStrokeColor) + QStringLiteral(" RG"); };
        switch (item.Shape) {
        case S_BOX:
            // Every band's background is a box: written without format parsing.
            graphics << (item.thickness == 0 ? QStringLiteral("0.00 w")
                                             : QString::asprintf("%.2f w", double(item.thickness)))
                     << fillOrStroke
                     << QString::number(Trunc(x)) + QLatin1Char(' ') + QString::number(Trunc(y - h)) + QLatin1Char(' ')
                            + QString::number(Trunc(w)) + QLatin1Char(' ') + QString::number(Trunc(h))
                            + (item.Filled ? QStringLiteral(" re f") : QStringLiteral(" re s"));
            break;
        case S_CIRCLE: {
            const long double rx = w / 2;
            const long double ry = h / 2;
            const long double kx = 0.55229L * rx;
            const long double ky = 0.55229L * ry;
            auto arc = [](long double x1, long double y1, long double x2, long double y2, long double x3,
                          long double y3) {
                return QString::asprintf(" %6.1f %6.1f %6.1f %6.1f %6.1f %6.1f", double(x1), double(y1), double(x2),
                                         double(y2), double(x3), double(y3))
                           .trimmed()
                    + QStringLiteral(" c");
            };
            const long double topX = x + rx, topY = y;
            const long double rightX = x + w, rightY = y - ry;
            const long double bottomX = x + rx, bottomY = y - h;
            const long double leftX = x, leftY = y - ry;
            graphics << lineWidth() << fillOrStroke
                     << QString::asprintf("%6.1f ", double(topX)) + QString::asprintf("%6.1f", double(topY))
                            + QStringLiteral(" m")
                     << arc(topX + kx, topY, rightX, rightY + ky, rightX, rightY)
                     << arc(rightX, rightY - ky, bottomX + kx, bottomY, bottomX, bottomY)
                     << arc(bottomX - kx, bottomY, leftX, leftY - ky, leftX, leftY)
                     << arc(leftX, leftY + ky, topX - kx, topY, topX, topY)
                            + (item.Filled ? QStringLiteral(" f") : QStringLiteral(" s"));
            break;
        }
        case S_HLINE:
            graphics << lineWidth() << stroke() << Line(x, y - h / 2, x + w, y - h / 2);
            break;
        case S_VLINE:
            graphics << lineWidth() << stroke() << Line(x + w / 2, y - h, x + w / 2, y);
            break;
        case S_TOPBOTTOM:
            graphics << lineWidth() << stroke() << Line(x, y, x + w, y) << Line(x, y - h, x + w, y - h);
            break;
        case S_LEFTRIGHT:
            graphics << lineWidth() << stroke() << Line(x, y - h, x, y) << Line(x + w, y - h, x + w, y);
            break;
        case S_RIGHTDIAG:
            graphics << lineWidth() << stroke() << Line(x, y, x + w, y - h);
            break;
        case S_LEFTDIAG:
            graphics << lineWidth() << stroke() << Line(x, y - h, x + w, y);
            break;
        case S_OBLIQUE:
            break;
        }
        break;
    }
    case IT_IMAGE: {
        const int image = int(page.Images.size());
        page.Images.push_back({item.imgstr, item.lzw});
        graphics << QString::asprintf("q %d 0 0 %d %d %d cm", Trunc(w * item.xscale), Trunc(h * item.yscale),
                                      Trunc(x), Trunc(y))
                 << QStringLiteral("BI") << QString::asprintf("/Width %d", item.pixelWidth)
                 << QString::asprintf("/Height %d", item.pixelHeight) << QStringLiteral("/BitsPerComponent 8")
                 << QStringLiteral("/ColorSpace /DeviceRGB") << QStringLiteral("/Filter [") + item.ImageFilter + "]"
                 << QStringLiteral("ID") << kDeferredImageMark + QString::number(image)
                 << QStringLiteral("EI")
                 << QStringLiteral("Q");
        break;
    }
    default:
        break;
    }
}

bool TVxPDFDocumentFilter::Embedded(const TPdfFontKey &key) const
{
    return FFontHandling == TFontHandling::fhAutoEmbed || FEmbedFonts.contains(key.Name);
}

std::vector<TVxPDFDocumentFilter::TFontObjects>
TVxPDFDocumentFilter::FontObjects(int &objectNumber, int toUnicodeObject, std::vector<QByteArray> &toUnicode)
{
    std::vector<TFontObjects> fonts;
    for (int j = 0; j < int(FReportFonts.size()); ++j) {
        const TPdfFontKey key = TPdfFontKey::Parse(FReportFonts[j]);
        TFontObjects font;
        if (FFontHandling == TFontHandling::fhSubstitute) {
            font.Lines = Type1FontObject(objectNumber, j, SubstitutedBaseFont(key, FSubstitutedFonts));
            objectNumber += 1;
            fonts.push_back(std::move(font));
            continue;
        }
        TTFontrec rec = ReadTrueTypeFont(key, FCustomWidths.Value(key.PSName));
        const QString encoding = TrueTypeEncoding(key.Charset, rec.FirstChar, FCustomEncodings.Value(key.PSName));
        if (!Embedded(key)) {
            font.Lines = TrueTypeFontObjects(objectNumber, j, rec, key.PSName, encoding);
            objectNumber += 2;
            fonts.push_back(std::move(font));
            continue;
        }
        // Embedded: font, descriptor, the subset's program stream and its
        // length; the /ToUnicode map goes after the procedure set.
        const std::bitset<256> &used = FUsedCodes[size_t(j)];
        const std::array<char16_t, 256> characters = CodeCharacters(key.Charset);
        font.Program = SubsetFontProgram(FindFontFile(key), used, characters, key.Name);
        rec.FileLength = quint32(font.Program.size());
        const TFontEmbedding embedding{SubsetTag(key.PSName, used), toUnicodeObject + int(toUnicode.size())};
        toUnicode.push_back(ToUnicodeCMap(used, characters));
        const int m = objectNumber;
        font.Lines = TrueTypeFontObjects(m, j, rec, key.PSName, encoding, &embedding);
        font.Lines << QString::asprintf("%d 0 obj", m + 2)
                   << QStringLiteral("<< /Length %1 0 R /Length1 %1 0 R >>").arg(m + 3) << QStringLiteral("stream");
        font.After << QStringLiteral("endstream") << QStringLiteral("endobj") << QString::asprintf("%d 0 obj", m + 3)
                   << QStringLiteral("   ") + QString::number(rec.FileLength) << QStringLiteral("endobj");
        objectNumber += 4;
        fonts.push_back(std::move(font));
    }
    return fonts;
}

QStringList TVxPDFDocumentFilter::InfoLines(int number) const
{
    QStringList lines{QString::asprintf("%d 0 obj", number), QStringLiteral("<<")};
    if (PDFSettings().Repeatable)
        lines << QStringLiteral("/CreationDate (") + DateToStr(EncodeDate(2000, 1, 1)) + QStringLiteral(")");
    else if (!PDFSettings().SuppressDateTime)
        lines << QStringLiteral("/CreationDate (") + DateTimeToStr(Now()) + QStringLiteral(")");
    lines << QStringLiteral("/Producer (Dizez PDF Export)") << QStringLiteral("/Subject (") + FDocSubject + " )"
          << QStringLiteral("/Creator (") + FDocCreator + ")" << QStringLiteral("/Title (") + FDocTitle + ")"
          << QStringLiteral("/Author (") + FDocAuthor + ")";
    for (const QString &meta : PDFSettings().MetaData) {
        const QStringList parts = meta.split(QLatin1Char(','));
        if (parts.size() == 2 && !parts[0].trimmed().isEmpty() && !parts[1].trimmed().isEmpty())
            lines << QStringLiteral("/") + parts[0].trimmed() + "(" + parts[1].trimmed() + ")";
    }
    lines << QStringLiteral(">>") << QStringLiteral("endobj");
    return lines;
}

void TVxPDFDocumentFilter::WriteDocument(const std::function<void(const QByteArray &)> &write)
{
    const TCodePage *cp = &FileCodePage();

    const int pageCount = FPagesStarted;
    // Fonts first: their errors end the export before anything is written.
    int objectNumber = 2 * pageCount + 4;
    std::vector<int> fontObjects;
    int afterFonts = objectNumber;
    for (const QString &key : FReportFonts) {
        fontObjects.push_back(afterFonts);
        afterFonts += FFontHandling == TFontHandling::fhSubstitute ? 1 : Embedded(TPdfFontKey::Parse(key)) ? 4 : 2;
    }
    // The information dictionary and the procedure set follow the fonts;
    // the /ToUnicode maps of embedded fonts come after them.
    std::vector<QByteArray> toUnicode;
    const std::vector<TFontObjects> fonts = FontObjects(objectNumber, afterFonts + 2, toUnicode);
    const int infoObject = objectNumber;
    const int procSetObject = infoObject + 1;
    const int size = procSetObject + 1 + int(toUnicode.size());

    // The document goes out in pieces of about a megabyte; the ID of a
    // repeatable document is the hash of everything before the xref.
    QByteArray out;
    qint64 written = 0;
    QCryptographicHash hash(QCryptographicHash::Md5);
    auto flush = [&] {
        if (out.isEmpty())
            return;
        hash.addData(out);
        write(out);
        written += out.size();
        out.clear();
    };
    auto position = [&] { return written + out.size(); };
    std::vector<qint64> offsets;
    auto add = [&](const QString &line) {
        out += cp->encode(line);
        out += "\r\n";
        if (out.size() > (1 << 20))
            flush();
    };
    auto addLines = [&](const QStringList &lines) {
        for (const QString &line : lines)
            add(line);
    };
    auto object = [&] { offsets.push_back(position()); };

    add(QStringLiteral("%PDF-1.3"));
    add(QStringLiteral("%") + QChar(0x00C5) + QChar(0x00AD) + QChar(0x006F) + QChar(0x0081));
    object();
    addLines({QStringLiteral("1 0 obj"), QStringLiteral("<<"), QStringLiteral("/Type /Catalog"),
              QStringLiteral("/Pages 3 0 R"), QStringLiteral("/Outlines 2 0 R"),
              QStringLiteral("/ViewerPreferences << /HideToolbar false /FitWindow true >>"), QStringLiteral(">>"),
              QStringLiteral("endobj")});
    object();
    addLines({QStringLiteral("2 0 obj"), QStringLiteral("<<"), QStringLiteral("/Type /Outlines"),
              QStringLiteral("/Count 0"), QStringLiteral(">>"), QStringLiteral("endobj")});
    object();
    QString kids;
    for (int k = 1; k <= pageCount; ++k)
        kids += QString::asprintf("%d 0 R ", 2 * k + 2);
    addLines({QStringLiteral("3 0 obj"), QStringLiteral("<<"), QStringLiteral("/Type /Pages"),
              QString::asprintf("/Count %d", pageCount), QStringLiteral("/Kids [") + kids.trimmed() + "]",
              QString::asprintf("/MediaBox [0 0 %d %d]", Trunc(FFirstPageWidth), Trunc(FFirstPageHeight)),
              QStringLiteral("/Resources << "), QStringLiteral("/Font << ")});
    for (int j = 0; j < int(fontObjects.size()); ++j)
        add(QString::asprintf("  /F%-2.2d %d 0 R ", j, fontObjects[size_t(j)]));
    addLines({QStringLiteral("  >>"), QString::asprintf("/ProcSet %d 0 R", procSetObject), QStringLiteral(">>"),
              QStringLiteral(">>"), QStringLiteral("endobj")});

    // The spooled page objects.
    const qint64 pagesStart = position();
    for (qint64 offset : FPageOffsets)
        offsets.push_back(pagesStart + offset);
    flush();
    if (Filename().isEmpty()) {
        out = FSpoolMemory;
        flush();
    } else if (FSpoolFile) {
        if (!FSpoolFile->seek(0))
            throw EVxError(QStringLiteral("%1: the page spool file cannot be read: %2")
                               .arg(Filename(), FSpoolFile->errorString()));
        while (!FSpoolFile->atEnd()) {
            out = FSpoolFile->read(1 << 20);
            if (out.isEmpty())
                throw EVxError(QStringLiteral("%1: the page spool file cannot be read: %2")
                                   .arg(Filename(), FSpoolFile->errorString()));
            flush();
        }
    }
    if (position() != pagesStart + FSpooled)
        throw EVxError(QStringLiteral("%1: the page spool file was cut short").arg(Filename()));

    // The font objects, each starting at its "N 0 obj" line.
    auto addObjectLines = [&](const QStringList &lines) {
        for (const QString &line : lines) {
            if (line.endsWith(QLatin1String(" 0 obj")))
                object();
            add(line);
        }
    };
    for (const TFontObjects &font : fonts) {
        addObjectLines(font.Lines);
        if (!font.Program.isEmpty()) {
            flush();
            out = font.Program;
            flush();
            out += "\r\n";
        }
        addObjectLines(font.After);
    }
    object();
    addLines(InfoLines(infoObject));
    object();
    addLines({QString::asprintf("%d 0 obj", procSetObject), QStringLiteral("[/PDF /Text]"), QStringLiteral("endobj")});
    for (int k = 0; k < int(toUnicode.size()); ++k) {
        object();
        addLines({QString::asprintf("%d 0 obj", procSetObject + 1 + k),
                  QString::asprintf("<< /Length %d >>", int(toUnicode[size_t(k)].size())), QStringLiteral("stream")});
        out += toUnicode[size_t(k)];
        addLines({QStringLiteral("endstream"), QStringLiteral("endobj")});
    }

    flush();
    const QByteArray idHash = hash.result();
    const qint64 xref = position();
    add(QStringLiteral("xref"));
    add(QString::asprintf("0 %d", size));
    add(QStringLiteral("0000000000 65535 f"));
    for (qint64 offset : offsets)
        add(QString::asprintf("%-10.10lld 00000 n", static_cast<long long>(offset)));
    addLines({QStringLiteral("trailer"), QStringLiteral("<<"), QString::asprintf("/Size %d", size),
              QStringLiteral("/Root 1 0 R"), QString::asprintf("/Info %d 0 R", infoObject)});
    if (PDFSettings().Repeatable) {
        // The same content always gets the same ID.
        const QString id = QString::fromLatin1(idHash.toHex().toUpper());
        add(QStringLiteral("/ID [<%1> <%1>]").arg(id));
    }
    addLines({QStringLiteral(">>"), QStringLiteral("startxref"), QString::number(xref), QStringLiteral("%%EOF")});
    flush();
}

void TVxPDFDocumentFilter::Finish()
{
    const TStageTimer writing(TStage::Pdf);
    FReportFinished = true;
    if (FPDFConcatenating)
        return;
    if (!FPageStarted) {
        // A document has at least one page.
        FReportFinished = false;
        StartPage();
        FReportFinished = true;
    }
    FinishPage();
    DrainSpool();
    FSpoolThread.reset();
    if (!FSpoolError.isEmpty()) {
        FStream.reset();
        throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(Filename(), FSpoolError));
    }
    if (Filename().isEmpty()) {
        FMemory.clear();
        WriteDocument([this](const QByteArray &piece) { FMemory += piece; });
    } else {
        if (!FStream) {
            auto stream = std::make_unique<TSafeFileWriter>(Filename());
            if (!stream->open())
                throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(Filename(), stream->errorString()));
            FStream = std::move(stream);
        }
        // A write that fails is remembered by the writer and reported by
        // commit; an error of the fonts leaves the temporary file, which
        // the writer removes.
        try {
            WriteDocument([this](const QByteArray &piece) { FStream->write(piece); });
        } catch (...) {
            FStream.reset();
            throw;
        }
        if (!FStream->commit()) {
            const QString reason = FStream->errorString();
            FStream.reset();
            throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(Filename(), reason));
        }
        FStream.reset();
    }
    FSpoolFile.reset();
    TVxPAbstractExportFilter::Finish();
}

// --- TVxPDFFilter ------------------------------------------------------------

namespace {

TVxExportFilterClass PDFDocumentFilterClass()
{
    return TVxExportFilterClass::Of<TVxPDFDocumentFilter>(QStringLiteral("TVxPDFDocumentFilter"));
}

} // namespace

TVxPDFFilter::TVxPDFFilter(TComponent *owner)
    : TComponent(owner)
{
    VXExportFilterLibrary().AddFilter(PDFDocumentFilterClass());
}

TVxPDFFilter::~TVxPDFFilter()
{
    VXExportFilterLibrary().RemoveFilter(PDFDocumentFilterClass());
}

} // namespace zelmio
