#pragma once
// Printer settings of a report as stored in its template (copies, duplex,
// paper source, page range, raw printer codes) and the run-time choices that
// are not stored (orientation copied from the page, paper size, printer
// index, job title).

#include "model/Persistent.h"
#include "model/VxTypes.h"

#include <QString>

namespace zelmio {

// What ApplySettings pushes the settings into: the report printer.
class TVxPrinterSettingsTarget {
public:
    virtual ~TVxPrinterSettingsTarget() = default;
    virtual int PrinterIndex() const = 0;
    virtual void SetPrinterIndex(int index) = 0;
    virtual void SetPaperSize(TVxPaperSize paperSize) = 0;
    virtual void SetCopies(int copies) = 0;
    virtual void SetDuplex(bool duplex) = 0;
    virtual void SetOrientation(TPrinterOrientation orientation) = 0;
    virtual void SetOutputBin(TVxBin bin) = 0;
    virtual void SetTitle(const QString &title) = 0;
};

class TVxPrinterSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Copies READ Copies WRITE SetCopies)
    Q_PROPERTY(bool Duplex READ Duplex WRITE SetDuplex)
    Q_PROPERTY(zelmio::VxTypes::TVxBin OutputBin READ OutputBin WRITE SetOutputBin)
    Q_PROPERTY(int FirstPage READ FirstPage WRITE SetFirstPage)
    Q_PROPERTY(int LastPage READ LastPage WRITE SetLastPage)
    Q_PROPERTY(bool PrintMetaFile READ PrintMetaFile WRITE SetPrintMetaFile)
    Q_PROPERTY(bool UseStandardprinter READ UseStandardprinter WRITE SetUseStandardprinter)
    Q_PROPERTY(int ExtendedDuplex READ ExtendedDuplex WRITE SetExtendedDuplex)
    Q_PROPERTY(int MemoryLimit READ MemoryLimit WRITE SetMemoryLimit)
    Q_PROPERTY(int PrintQuality READ PrintQuality WRITE SetPrintQuality)
    Q_PROPERTY(int Collate READ Collate WRITE SetCollate)
    Q_PROPERTY(int ColorOption READ ColorOption WRITE SetColorOption)
    Q_PROPERTY(bool UseCustomBinCode READ UseCustomBinCode WRITE SetUseCustomBinCode)
    Q_PROPERTY(int CustomBinCode READ CustomBinCode WRITE SetCustomBinCode)
    Q_PROPERTY(bool UseCustomPaperCode READ UseCustomPaperCode WRITE SetUseCustomPaperCode)
    Q_PROPERTY(int CustomPaperCode READ CustomPaperCode WRITE SetCustomPaperCode)
    // The stored defaults equal the initial values, so that every value
    // survives a save and a load.
    Q_CLASSINFO("default:MemoryLimit", "1000000")
    Q_CLASSINFO("default:PrintQuality", "0")
public:
    explicit TVxPrinterSettings(TPersistent *owner = nullptr);

    TPersistent *GetOwner() const override { return m_owner; }
    void Assign(const TPersistent *source) override;

    int Copies() const { return m_copies; }
    void SetCopies(int copies) { m_copies = copies; }
    bool Duplex() const { return m_duplex; }
    void SetDuplex(bool duplex) { m_duplex = duplex; }
    TVxBin OutputBin() const { return m_outputBin; }
    void SetOutputBin(TVxBin bin) { m_outputBin = bin; }
    // Page range; 0 means unbounded.
    int FirstPage() const { return m_firstPage; }
    void SetFirstPage(int page) { m_firstPage = page; }
    int LastPage() const { return m_lastPage; }
    void SetLastPage(int page) { m_lastPage = page; }
    bool PrintMetaFile() const { return m_printMetaFile; }
    void SetPrintMetaFile(bool value) { m_printMetaFile = value; }
    bool UseStandardprinter() const { return m_useStandardPrinter; }
    void SetUseStandardprinter(bool value) { m_useStandardPrinter = value; }
    int ExtendedDuplex() const { return m_extendedDuplex; }
    void SetExtendedDuplex(int value) { m_extendedDuplex = value; }
    int MemoryLimit() const { return m_memoryLimit; }
    void SetMemoryLimit(int value) { m_memoryLimit = value; }
    int PrintQuality() const { return m_printQuality; }
    void SetPrintQuality(int value) { m_printQuality = value; }
    int Collate() const { return m_collate; }
    void SetCollate(int value) { m_collate = value; }
    int ColorOption() const { return m_colorOption; }
    void SetColorOption(int value) { m_colorOption = value; }
    bool UseCustomBinCode() const { return m_useCustomBinCode; }
    void SetUseCustomBinCode(bool value) { m_useCustomBinCode = value; }
    int CustomBinCode() const { return m_customBinCode; }
    void SetCustomBinCode(int value) { m_customBinCode = value; }
    bool UseCustomPaperCode() const { return m_useCustomPaperCode; }
    void SetUseCustomPaperCode(bool value) { m_useCustomPaperCode = value; }
    int CustomPaperCode() const { return m_customPaperCode; }
    void SetCustomPaperCode(int value) { m_customPaperCode = value; }

    // Not stored.
    TPrinterOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPrinterOrientation orientation) { m_orientation = orientation; }
    TVxPaperSize PaperSize() const { return m_paperSize; }
    void SetPaperSize(TVxPaperSize paperSize) { m_paperSize = paperSize; }
    // -1: the default printer.
    int PrinterIndex() const { return m_printerIndex; }
    void SetPrinterIndex(int index) { m_printerIndex = index; }
    QString Title() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }

    // Pushes the settings into a report printer, in this order: printer
    // index (only when different), paper size, copies, duplex, orientation,
    // output bin, title.
    void ApplySettings(TVxPrinterSettingsTarget &printer) const;

private:
    TPersistent *m_owner;
    int m_copies = 1;
    bool m_duplex = false;
    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    TVxBin m_outputBin = TVxBin::Auto;
    TVxPaperSize m_paperSize = TVxPaperSize::Letter;
    int m_printerIndex = -1;
    QString m_title;
    int m_firstPage = 0;
    int m_lastPage = 0;
    bool m_printMetaFile = false;
    bool m_useStandardPrinter = false;
    int m_extendedDuplex = 0;
    int m_memoryLimit = 1000000;
    int m_printQuality = 0;
    int m_collate = 0;
    int m_colorOption = 0;
    bool m_useCustomBinCode = false;
    int m_customBinCode = 0;
    bool m_useCustomPaperCode = false;
    int m_customPaperCode = 0;
};

// The report's printer settings (as stored, and as last chosen by the user).
class TVexaPrinterSettings : public TVxPrinterSettings {
    Q_OBJECT
public:
    explicit TVexaPrinterSettings(TPersistent *owner = nullptr)
        : TVxPrinterSettings(owner)
    {
    }
};

} // namespace zelmio
