#include "model/VxPrinterSettings.h"

namespace zelmio {

TVxPrinterSettings::TVxPrinterSettings(TPersistent *owner)
    : m_owner(owner)
{
}

void TVxPrinterSettings::Assign(const TPersistent *source)
{
    if (const auto *other = qobject_cast<const TVxPrinterSettings *>(source)) {
        if (other == this)
            return;
        m_copies = other->m_copies;
        m_duplex = other->m_duplex;
        m_orientation = other->m_orientation;
        m_outputBin = other->m_outputBin;
        m_paperSize = other->m_paperSize;
        m_printerIndex = other->m_printerIndex;
        m_title = other->m_title;
        m_firstPage = other->m_firstPage;
        m_lastPage = other->m_lastPage;
        m_printMetaFile = other->m_printMetaFile;
        m_useStandardPrinter = other->m_useStandardPrinter;
        m_extendedDuplex = other->m_extendedDuplex;
        m_memoryLimit = other->m_memoryLimit;
        m_printQuality = other->m_printQuality;
        m_collate = other->m_collate;
        m_colorOption = other->m_colorOption;
        m_useCustomBinCode = other->m_useCustomBinCode;
        m_customBinCode = other->m_customBinCode;
        m_useCustomPaperCode = other->m_useCustomPaperCode;
        m_customPaperCode = other->m_customPaperCode;
        return;
    }
    TPersistent::Assign(source);
}

void TVxPrinterSettings::ApplySettings(TVxPrinterSettingsTarget &printer) const
{
    if (printer.PrinterIndex() != m_printerIndex)
        printer.SetPrinterIndex(m_printerIndex);
    printer.SetPaperSize(m_paperSize);
    printer.SetCopies(m_copies);
    printer.SetDuplex(m_duplex);
    printer.SetOrientation(m_orientation);
    printer.SetOutputBin(m_outputBin);
    printer.SetTitle(m_title);
}

} // namespace zelmio
