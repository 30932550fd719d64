#include "platform/PrinterDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>
#include <cmath>
#include <optional>

namespace zelmio {

namespace {

// Qt's paper sources in their order, and the bin codes they stand for.
constexpr std::array<std::pair<QPrinter::PaperSource, int>, 13> SourceCodes{{
    {QPrinter::OnlyOne, 1},
    {QPrinter::Lower, 2},
    {QPrinter::Middle, 3},
    {QPrinter::Manual, 4},
    {QPrinter::Envelope, 5},
    {QPrinter::EnvelopeManual, 6},
    {QPrinter::Auto, 7},
    {QPrinter::Tractor, 8},
    {QPrinter::SmallFormat, 9},
    {QPrinter::LargeFormat, 10},
    {QPrinter::LargeCapacity, 11},
    {QPrinter::Cassette, 14},
    {QPrinter::FormSource, 15},
}};

int SourceCode(QPrinter::PaperSource source)
{
    for (const auto &[s, code] : SourceCodes)
        if (s == source)
            return code;
    return 7;
}

std::optional<QPrinter::PaperSource> SourceOf(int code)
{
    for (const auto &[s, c] : SourceCodes)
        if (c == code)
            return s;
    return std::nullopt;
}

int TenthsOfMM(double mm) { return int(std::lround(mm * 10)); }

TPrinterDevice *g_application = nullptr;

void FreeApplicationPrinter()
{
    delete g_application;
    g_application = nullptr;
}

} // namespace

TPrinterDevice::TPrinterDevice()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    Refresh();
    SelectPrinter(-1);
}

TPrinterDevice::~TPrinterDevice()
{
    if (Printing())
        Abort();
}

TPrinterDevice &TPrinterDevice::Application()
{
    if (!g_application) {
        g_application = new TPrinterDevice;
        // Qt's printer must go before the application object.
        qAddPostRoutine(FreeApplicationPrinter);
    }
    return *g_application;
}

void TPrinterDevice::Refresh()
{
    const QString current = PrinterName();
    m_printers = QPrinterInfo::availablePrinterNames();
    m_index = m_printers.indexOf(current);
    if (m_index < 0 && !m_printers.isEmpty())
        SelectPrinter(-1);
}

int TPrinterDevice::DefaultPrinterIndex() const
{
    if (m_printers.isEmpty())
        return -1;
    const int index = m_printers.indexOf(QPrinterInfo::defaultPrinterName());
    return index >= 0 ? index : 0;
}

void TPrinterDevice::SetPrinterIndex(int index)
{
    if (index < -1 || index >= m_printers.size())
        return;
    SelectPrinter(index);
}

void TPrinterDevice::SelectPrinter(int index)
{
    if (Printing())
        Abort();
    m_index = index < 0 ? DefaultPrinterIndex() : index;
    // A fresh Qt printer starts from the printer's own defaults (paper,
    // margins, resolution), as a fresh settings record would.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (m_index >= 0)
        m_printer->setPrinterName(m_printers.at(m_index));
    if (!m_outputFileName.isEmpty())
        m_printer->setOutputFileName(m_outputFileName);
}

void TPrinterDevice::ResetDeviceMode()
{
    SelectPrinter(m_index);
}

QString TPrinterDevice::PrinterName() const
{
    return m_index >= 0 && m_index < m_printers.size() ? m_printers.at(m_index) : QString();
}

int TPrinterDevice::PixelsPerInchX() const
{
    return m_printer->logicalDpiX();
}

int TPrinterDevice::PixelsPerInchY() const
{
    return m_printer->logicalDpiY();
}

QPoint TPrinterDevice::PhysicalOffset() const
{
    const QPageLayout layout = m_printer->pageLayout();
    const int dpi = m_printer->resolution();
    return layout.paintRectPixels(dpi).topLeft() - layout.fullRectPixels(dpi).topLeft();
}

QSize TPrinterDevice::PhysicalPageSize() const
{
    return m_printer->pageLayout().fullRectPixels(m_printer->resolution()).size();
}

QSize TPrinterDevice::PageSize() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).size();
}

QList<int> TPrinterDevice::SupportedPaperCodes() const
{
    QList<int> codes;
    if (m_index < 0)
        return codes;
    for (const QPageSize &size : QPrinterInfo(*m_printer).supportedPageSizes()) {
        const int code = size.windowsId();
        if (code > 0 && !codes.contains(code))
            codes.append(code);
    }
    if (QPrinterInfo(*m_printer).supportsCustomPageSizes())
        codes.append(DMPAPER_USER);
    return codes;
}

quint32 TPrinterDevice::SupportedFields() const
{
    if (m_index < 0)
        return 0;
    const QPrinterInfo info(*m_printer);
    quint32 fields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES
        | DM_DEFAULTSOURCE | DM_COLLATE;
    if (info.supportedDuplexModes().size() > 1)
        fields |= DM_DUPLEX;
    if (info.supportedColorModes().contains(QPrinter::Color))
        fields |= DM_COLOR;
    if (!info.supportedResolutions().isEmpty())
        fields |= DM_PRINTQUALITY;
    return fields;
}

bool TPrinterDevice::GetDeviceMode(TPrinterDeviceMode &mode) const
{
    if (m_index < 0)
        return false;
    const QPageLayout layout = m_printer->pageLayout();
    mode = TPrinterDeviceMode{};
    mode.DeviceName = PrinterName();
    mode.Fields = SupportedFields();
    mode.Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    const int code = layout.pageSize().windowsId();
    mode.PaperSize = code > 0 ? code : DMPAPER_USER;
    const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
    mode.PaperWidth = TenthsOfMM(std::min(mm.width(), mm.height()));
    mode.PaperLength = TenthsOfMM(std::max(mm.width(), mm.height()));
    mode.Copies = m_printer->copyCount();
    mode.DefaultSource = SourceCode(m_printer->paperSource());
    mode.PrintQuality = m_printer->resolution();
    mode.Color = m_printer->colorMode() == QPrinter::Color ? 2 : 1;
    switch (m_printer->duplex()) {
    case QPrinter::DuplexNone: mode.Duplex = 1; break;
    case QPrinter::DuplexAuto:
    case QPrinter::DuplexLongSide: mode.Duplex = 2; break;
    case QPrinter::DuplexShortSide: mode.Duplex = 3; break;
    }
    mode.Collate = m_printer->collateCopies() ? 1 : 0;
    return true;
}

void TPrinterDevice::SetDeviceMode(const TPrinterDeviceMode &mode)
{
    if (m_index < 0 || Printing())
        return;
    const quint32 fields = mode.Fields & SupportedFields();
    if (fields & DM_PAPERSIZE && mode.PaperSize > 0 && mode.PaperSize != DMPAPER_USER) {
        // Qt maps the code to its nearest size (a "small" or transverse
        // variant to the plain size, which the orientation then turns).
        const QPageSize::PageSizeId id = QPageSize::id(mode.PaperSize);
        if (id != QPageSize::Custom)
            m_printer->setPageSize(QPageSize(id));
        else if (mode.PaperWidth > 0 && mode.PaperLength > 0)
            m_printer->setPageSize(QPageSize(QSizeF(mode.PaperWidth / 10.0, mode.PaperLength / 10.0),
                                             QPageSize::Millimeter));
    } else if ((fields & (DM_PAPERWIDTH | DM_PAPERLENGTH)) == (DM_PAPERWIDTH | DM_PAPERLENGTH)
               && mode.PaperWidth > 0 && mode.PaperLength > 0) {
        m_printer->setPageSize(QPageSize(QSizeF(mode.PaperWidth / 10.0, mode.PaperLength / 10.0),
                                         QPageSize::Millimeter));
    }
    if (fields & DM_ORIENTATION)
        m_printer->setPageOrientation(mode.Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (fields & DM_COPIES && mode.Copies > 0)
        m_printer->setCopyCount(mode.Copies);
    if (fields & DM_DEFAULTSOURCE) {
        if (const auto source = SourceOf(mode.DefaultSource))
            m_printer->setPaperSource(*source);
    }
    if (fields & DM_PRINTQUALITY && mode.PrintQuality > 0
        && QPrinterInfo(*m_printer).supportedResolutions().contains(mode.PrintQuality)) {
        m_printer->setResolution(mode.PrintQuality);
    }
    if (fields & DM_COLOR)
        m_printer->setColorMode(mode.Color == 1 ? QPrinter::GrayScale : QPrinter::Color);
    if (fields & DM_DUPLEX) {
        m_printer->setDuplex(mode.Duplex == 2   ? QPrinter::DuplexLongSide
                                 : mode.Duplex == 3 ? QPrinter::DuplexShortSide
                                                    : QPrinter::DuplexNone);
    }
    if (fields & DM_COLLATE)
        m_printer->setCollateCopies(mode.Collate != 0);
}

void TPrinterDevice::SetTitle(const QString &title)
{
    m_title = title;
}

QString TPrinterDevice::Title() const
{
    return m_title;
}

void TPrinterDevice::SetOutputFileName(const QString &fileName)
{
    m_outputFileName = fileName;
    if (!Printing())
        m_printer->setOutputFileName(fileName);
}

QString TPrinterDevice::OutputFileName() const
{
    return m_outputFileName;
}

QString TPrinterDevice::JobName() const
{
    return m_outputFileName.isEmpty()
        ? QStringLiteral("The printer \"%1\"").arg(PrinterName())
        : QStringLiteral("Printing to \"%1\"").arg(QDir::toNativeSeparators(m_outputFileName));
}

bool TPrinterDevice::BeginDoc()
{
    m_lastError.clear();
    if (Printing())
        return true;
    if (m_index < 0 && m_outputFileName.isEmpty()) {
        m_lastError = QStringLiteral("No printer is installed");
        return false;
    }
    m_printer->setOutputFileName(m_outputFileName);
    m_printer->setDocName(m_title);
    m_printer->setFullPage(false);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_printer.get())) {
        m_lastError = QStringLiteral("%1 could not start the print job").arg(JobName());
        return false;
    }
    m_painter = std::move(painter);
    return true;
}

bool TPrinterDevice::NewPage()
{
    m_lastError.clear();
    if (!Printing()) {
        m_lastError = QStringLiteral("No print job is open");
        return false;
    }
    if (!m_printer->newPage()) {
        m_lastError = QStringLiteral("%1 refused a new page").arg(JobName());
        return false;
    }
    return true;
}

bool TPrinterDevice::EndDoc()
{
    m_lastError.clear();
    if (!m_painter)
        return true;
    const bool ended = m_painter->end();
    m_painter.reset();
    if (!ended || m_printer->printerState() == QPrinter::Error) {
        m_lastError = QStringLiteral("%1 could not finish the print job").arg(JobName());
        return false;
    }
    return true;
}

void TPrinterDevice::Abort()
{
    if (!m_painter)
        return;
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
}

bool TPrinterDevice::Printing() const
{
    return m_painter && m_painter->isActive();
}

QPainter *TPrinterDevice::Canvas() const
{
    return Printing() ? m_painter.get() : nullptr;
}

} // namespace zelmio
