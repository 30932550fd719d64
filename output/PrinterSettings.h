#pragma once
// The bridge between a report printer and the platform printer's settings:
// reads the printer's capabilities and current settings record, keeps the
// report's wishes (paper, bin, copies, duplex, quality), and writes them back
// into the printer before a job.
//
// Setters that depend on the printer store a value only when the printer
// understands the field (or offers the paper size). Without any printer
// there is nothing to refuse a value, so they store it: recording pages for
// the preview and exporting then follow the report's own paper.

#include "model/CustomVexa.h"
#include "model/VxTypes.h"
#include "platform/PrinterDeviceMode.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace zelmio {

class TPrinterDevice;

// The hooks OnGetPrinterSettings and OnApplyPrinterSettings
// (TVxPrinterSettingsEvent) receive the sender, Handled (set it to skip the
// standard handling) and the printer's settings record as a
// TPrinterDeviceMode *.

class TPrinterSettings {
public:
    TPrinterSettings();
    ~TPrinterSettings();

    TPrinterSettings(const TPrinterSettings &) = delete;
    TPrinterSettings &operator=(const TPrinterSettings &) = delete;

    // Attaches the platform printer (not owned) and reads its settings.
    void SetPrinter(TPrinterDevice *printer, QObject *sender = nullptr);
    TPrinterDevice *Printer() const { return FPrinter; }

    // Reads the printer's capabilities and settings record.
    void GetPrinterSettings();
    // Writes the settings into the printer's record and hands it back.
    void ApplySettings();
    // True when a printer and its settings record exist and the record
    // marks every bit of flags as valid.
    bool Supported(quint32 flags) const;
    // Marks fields of the record valid.
    void SetField(quint32 flags);
    // The printer's settings record, while one is held.
    const std::optional<TPrinterDeviceMode> &DevMode() const { return DeviceMode; }

    int Index() const { return FIndex; }
    QString Device() const { return FDevice; }
    QString Driver() const { return FDriver; }
    QString Port() const { return FPort; }

    int Copies() const { return FCopies; }
    void SetCopies(int value);
    bool Duplex() const { return FDuplex; }
    void SetDuplex(bool value);
    bool PrintMetafile() const { return FPrintMetafile; }
    void SetPrintMetafile(bool value) { FPrintMetafile = value; }
    bool UseStandardPrinter() const { return FUseStandardPrinter; }
    void SetUseStandardPrinter(bool value) { FUseStandardPrinter = value; }
    bool UseExtendedDuplex() const { return FUseExtendedDuplex; }
    void SetUseExtendedDuplex(bool value) { FUseExtendedDuplex = value; }
    int ExtendedDuplex() const { return FExtendedDuplex; }
    void SetExtendedDuplex(int value) { FExtendedDuplex = value; }
    bool UseCustomBinCode() const { return FUseCustomBinCode; }
    void SetUseCustomBinCode(bool value) { FUseCustomBinCode = value; }
    int CustomBinCode() const { return FCustomBinCode; }
    void SetCustomBinCode(int value) { FCustomBinCode = value; }
    int PrintQuality() const { return FPrintQuality; }
    void SetPrintQuality(int value) { FPrintQuality = value; }
    int Collate() const { return FCollate; }
    void SetCollate(int value) { FCollate = value; }
    int ColorOption() const { return FColorOption; }
    void SetColorOption(int value) { FColorOption = value; }
    qint64 MemoryLimit() const { return FmemoryLimit; }
    void SetMemoryLimit(qint64 value) { FmemoryLimit = value; }
    bool UseCustomPaperCode() const { return FUseCustomPaperCode; }
    void SetUseCustomPaperCode(bool value) { FUseCustomPaperCode = value; }
    int CustomPaperCode() const { return FCustomPaperCode; }
    void SetCustomPaperCode(int value) { FCustomPaperCode = value; }
    int MaxExtentX() const { return FMaxExtentX; }
    int MaxExtentY() const { return FMaxExtentY; }
    int MinExtentX() const { return FMinExtentX; }
    int MinExtentY() const { return FMinExtentY; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation value);
    TVxBin OutputBin() const { return FOutputBin; }
    void SetOutputBin(TVxBin value);
    TVxPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TVxPaperSize value);
    // Whether the printer offers the size (index: the size's ordinal - 1).
    bool PaperSizeSupported(TVxPaperSize size) const;
    int PaperWidth() const { return FPaperWidth; }
    void SetPaperWidth(int value) { FPaperWidth = value; }
    int PaperLength() const { return FPaperLength; }
    void SetPaperLength(int value) { FPaperLength = value; }
    int PixelsPerX() const { return FPixelsPerX; }
    int PixelsPerY() const { return FPixelsPerY; }
    int TopOffset() const { return FTopOffset; }
    int LeftOffset() const { return FLeftOffset; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString &value) { FTitle = value; }

    // Paper, orientation, size and bin as read back or as loaded with a
    // prepared report, bypassing the printer's consent.
    void StorePaper(TVxPaperSize size, TPrinterOrientation orientation);

    const TVxPrinterSettingsEvent &OnGetPrinterSettings() const { return FOnGetPrinterSettings; }
    void SetOnGetPrinterSettings(const TVxPrinterSettingsEvent &hook) { FOnGetPrinterSettings = hook; }
    const TVxPrinterSettingsEvent &OnApplyPrinterSettings() const { return FOnApplyPrinterSettings; }
    void SetOnApplyPrinterSettings(const TVxPrinterSettingsEvent &hook) { FOnApplyPrinterSettings = hook; }

private:
    // Whether a printer-dependent field may be stored: the printer
    // understands it, or there is no printer settings record to ask.
    bool Accepts(quint32 flags) const;
    void ReadFromRecord();

    int FIndex = -1;
    QString FDevice;
    QString FDriver;
    QString FPort;
    std::optional<TPrinterDeviceMode> DeviceMode;
    int FCopies = 1;
    bool FDuplex = false;
    bool FPrintMetafile = false;
    bool FUseStandardPrinter = false;
    bool FUseExtendedDuplex = false;
    int FExtendedDuplex = 0;
    bool FUseCustomBinCode = false;
    int FCustomBinCode = 0;
    int FPrintQuality = 0;
    int FCollate = 0;
    int FColorOption = 0;
    qint64 FmemoryLimit = 250000;
    bool FUseCustomPaperCode = false;
    int FCustomPaperCode = 0;
    int FMaxExtentX = 0;
    int FMaxExtentY = 0;
    int FMinExtentX = 0;
    int FMinExtentY = 0;
    TPrinterOrientation FOrientation = TPrinterOrientation::poPortrait;
    TVxBin FOutputBin = TVxBin::First;
    TVxPaperSize FPaperSize = TVxPaperSize::A4;
    std::array<bool, 69> FPaperSizes{};
    // The paper of Default and Custom; A4 until a printer or the report says.
    int FPaperWidth = 2100;
    int FPaperLength = 2970;
    int FPixelsPerX = 0;
    int FPixelsPerY = 0;
    int FTopOffset = 0;
    int FLeftOffset = 0;
    TPrinterDevice *FPrinter = nullptr;
    QObject *FSender = nullptr;
    QString FTitle;
    TVxPrinterSettingsEvent FOnGetPrinterSettings;
    TVxPrinterSettingsEvent FOnApplyPrinterSettings;
};

// The paper size of the default printer's current paper; Default when no
// printer is installed or its paper has no code.
TVxPaperSize DefaultPrinterPaperSize();

} // namespace zelmio
