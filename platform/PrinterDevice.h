#pragma once
// The platform printer: the installed printers and the selected one, its
// resolution, printable-area offsets, paper size and supported papers, its
// settings as a TPrinterDeviceMode record, and a print job with a drawing
// canvas. Built on Qt's print support (CUPS on Linux).
//
// With no printer installed the object still exists: it lists no printers,
// reports no settings, and a print job fails with a message saying so. A job
// can also go to a PDF file (SetOutputFileName), with or without printers.

#include "platform/PrinterDeviceMode.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

class QPainter;
class QPrinter;

namespace zelmio {

class TPrinterDevice {
public:
    // A printer object on the default printer (or on none).
    TPrinterDevice();
    ~TPrinterDevice();

    TPrinterDevice(const TPrinterDevice &) = delete;
    TPrinterDevice &operator=(const TPrinterDevice &) = delete;

    // The application-wide printer, created on first use and freed with the
    // application object.
    static TPrinterDevice &Application();

    // Reads the list of installed printers again.
    void Refresh();
    const QStringList &Printers() const { return m_printers; }
    bool HasPrinters() const { return !m_printers.isEmpty(); }
    // The selected printer's position in Printers(); -1 when none is installed.
    int PrinterIndex() const { return m_index; }
    // Selects a printer; -1 selects the default printer. Indexes outside the
    // list are ignored. Selecting starts from that printer's own defaults.
    void SetPrinterIndex(int index);
    QString PrinterName() const;
    int DefaultPrinterIndex() const;

    // Capabilities of the selected printer with its current paper and
    // orientation. Without a printer: the values of an A4 page at 300 dpi.
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    // Printable area's top-left corner from the paper's, in device pixels.
    QPoint PhysicalOffset() const;
    // The whole paper, in device pixels.
    QSize PhysicalPageSize() const;
    // The printable area, in device pixels (the canvas of a print job).
    QSize PageSize() const;
    // Paper codes of the sizes the printer offers.
    QList<int> SupportedPaperCodes() const;
    // The DM_ fields the printer understands (0 without a printer).
    quint32 SupportedFields() const;

    // The current settings; false (and nothing read) without a printer.
    bool GetDeviceMode(TPrinterDeviceMode &mode) const;
    // Applies the valid fields of mode that the printer understands.
    void SetDeviceMode(const TPrinterDeviceMode &mode);
    // Back to the selected printer's own defaults.
    void ResetDeviceMode();

    // Print job.
    void SetTitle(const QString &title);
    QString Title() const;
    // Sends jobs to a PDF file instead of the printer; empty: the printer.
    void SetOutputFileName(const QString &fileName);
    QString OutputFileName() const;
    // Opens a job; false with LastError() when it cannot be opened (no
    // printer installed, the printer refused).
    bool BeginDoc();
    // Starts a new sheet; false with LastError() when the printer refuses.
    bool NewPage();
    // Ends the job and hands it to the printer; false with LastError().
    bool EndDoc();
    // Abandons the open job; nothing is printed where the system allows it.
    void Abort();
    bool Printing() const;
    // The canvas of the open job (nullptr when none is open). Device pixels
    // from the printable area's corner.
    QPainter *Canvas() const;
    QString LastError() const { return m_lastError; }

    // The Qt printer underneath, for the print dialog. Selecting another
    // printer replaces it.
    QPrinter &Printer() { return *m_printer; }

private:
    void SelectPrinter(int index);
    QString JobName() const;

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QStringList m_printers;
    int m_index = -1;
    QString m_title;
    QString m_outputFileName;
    QString m_lastError;
};

} // namespace zelmio
