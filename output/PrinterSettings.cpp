#include "output/PrinterSettings.h"

#include "output/VxPaperCodes.h"
#include "platform/PrinterDevice.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace zelmio {

namespace {

// Pixels at a resolution to tenths of a millimetre, halves to even.
int PixelsToTenthsMM(int pixels, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 0;
    return int(std::llrint(double(pixels) / pixelsPerInch * 254.0));
}

} // namespace

TPrinterSettings::TPrinterSettings() = default;
TPrinterSettings::~TPrinterSettings() = default;

void TPrinterSettings::SetPrinter(TPrinterDevice *printer, QObject *sender)
{
    FPrinter = printer;
    FSender = sender;
    DeviceMode.reset();
    GetPrinterSettings();
}

void TPrinterSettings::GetPrinterSettings()
{
    if (!FPrinter)
        return;
    TPrinterDeviceMode mode;
    if (FPrinter->GetDeviceMode(mode))
        DeviceMode = mode;
    else
        DeviceMode.reset();
    if (!DeviceMode)
        return;
    try {
        bool handled = false;
        FOnGetPrinterSettings(FSender, handled, &*DeviceMode);
        if (handled)
            return;
        ReadFromRecord();
    } catch (...) {
        // A printer that cannot be read is left alone from here on.
        FPrinter = nullptr;
        DeviceMode.reset();
    }
}

void TPrinterSettings::ReadFromRecord()
{
    const TPrinterDeviceMode &dm = *DeviceMode;
    FPixelsPerX = FPrinter->PixelsPerInchX();
    FPixelsPerY = FPrinter->PixelsPerInchY();
    FCopies = dm.Fields & DM_COPIES ? dm.Copies : 1;
    FOutputBin = TVxBin::First;
    if (dm.Fields & DM_DEFAULTSOURCE) {
        if (const auto bin = BinOfCode(dm.DefaultSource))
            FOutputBin = *bin;
    }
    if (dm.Fields & DM_DUPLEX) {
        FDuplex = dm.Duplex != 1;
        FExtendedDuplex = dm.Duplex;
    }
    const QPoint offset = FPrinter->PhysicalOffset();
    FLeftOffset = PixelsToTenthsMM(offset.x(), FPixelsPerX);
    FTopOffset = PixelsToTenthsMM(offset.y(), FPixelsPerY);
    FPaperSize = TVxPaperSize::Default;
    if (dm.Fields & DM_PAPERSIZE) {
        if (const auto size = PaperSizeOfCode(dm.PaperSize))
            FPaperSize = *size;
    }
    const QSize paper = FPrinter->PhysicalPageSize();
    FPaperWidth = PixelsToTenthsMM(paper.width(), FPixelsPerX);
    FPaperLength = PixelsToTenthsMM(paper.height(), FPixelsPerY);
    const QList<int> codes = FPrinter->SupportedPaperCodes();
    for (int n = 1; n <= int(FPaperSizes.size()); ++n)
        FPaperSizes[size_t(n - 1)] = codes.contains(PaperCode(TVxPaperSize(n)));
    FPrintQuality = dm.PrintQuality;
    FCollate = dm.Collate;
    FColorOption = dm.Color;
    FIndex = FPrinter->PrinterIndex();
    FDevice = FPrinter->PrinterName();
    const QPrinterInfo info = QPrinterInfo::printerInfo(FDevice);
    FDriver = info.makeAndModel();
    FPort = info.location();
    // The extents of the sizes the printer offers, in tenths of a millimetre.
    FMaxExtentX = FMaxExtentY = 0;
    FMinExtentX = FMinExtentY = 0;
    if (info.supportsCustomPageSizes()) {
        const QSizeF min = info.minimumPhysicalPageSize().size(QPageSize::Millimeter);
        const QSizeF max = info.maximumPhysicalPageSize().size(QPageSize::Millimeter);
        FMinExtentX = int(std::lround(min.width() * 10));
        FMinExtentY = int(std::lround(min.height() * 10));
        FMaxExtentX = int(std::lround(max.width() * 10));
        FMaxExtentY = int(std::lround(max.height() * 10));
    }
}

void TPrinterSettings::ApplySettings()
{
    if (!FPrinter)
        return;
    if (!DeviceMode) {
        TPrinterDeviceMode mode;
        if (!FPrinter->GetDeviceMode(mode))
            return;
        DeviceMode = mode;
    }
    TPrinterDeviceMode &dm = *DeviceMode;
    SetField(DM_PAPERLENGTH | DM_PAPERWIDTH);
    dm.PaperLength = FPaperLength;
    dm.PaperWidth = FPaperWidth;
    if (Supported(DM_PAPERSIZE) && FPaperSize != TVxPaperSize::Default) {
        SetField(DM_PAPERSIZE);
        dm.PaperSize = FUseCustomPaperCode ? FCustomPaperCode : PaperCode(FPaperSize);
    }
    SetField(DM_COPIES);
    dm.Copies = FCopies;
    if (Supported(DM_DUPLEX)) {
        SetField(DM_DUPLEX);
        dm.Duplex = FExtendedDuplex != 0 ? FExtendedDuplex : FDuplex ? 3 : 1;
    }
    SetField(DM_DEFAULTSOURCE);
    dm.DefaultSource = FUseCustomBinCode ? FCustomBinCode : BinCode(FOutputBin);
    SetField(DM_ORIENTATION);
    dm.Orientation = FOrientation == TPrinterOrientation::poLandscape ? 2 : 1;
    if (Supported(DM_COLLATE))
        dm.Collate = FCollate;
    if (Supported(DM_PRINTQUALITY))
        dm.PrintQuality = FPrintQuality;
    if (Supported(DM_COLOR))
        dm.Color = FColorOption;

    bool handled = false;
    FOnApplyPrinterSettings(FSender, handled, &dm);
    if (!handled)
        FPrinter->SetDeviceMode(dm);
}

bool TPrinterSettings::Supported(quint32 flags) const
{
    return FPrinter && DeviceMode && (DeviceMode->Fields & flags) == flags;
}

void TPrinterSettings::SetField(quint32 flags)
{
    if (DeviceMode)
        DeviceMode->Fields |= flags;
}

bool TPrinterSettings::Accepts(quint32 flags) const
{
    return !FPrinter || !DeviceMode || Supported(flags);
}

void TPrinterSettings::SetCopies(int value)
{
    if (Accepts(DM_COPIES))
        FCopies = value;
}

void TPrinterSettings::SetDuplex(bool value)
{
    if (Accepts(DM_DUPLEX))
        FDuplex = value;
}

void TPrinterSettings::SetOrientation(TPrinterOrientation value)
{
    if (Accepts(DM_ORIENTATION))
        FOrientation = value;
}

void TPrinterSettings::SetOutputBin(TVxBin value)
{
    if (Accepts(DM_DEFAULTSOURCE))
        FOutputBin = value;
}

bool TPrinterSettings::PaperSizeSupported(TVxPaperSize size) const
{
    const int n = int(size);
    return n >= 1 && n <= int(FPaperSizes.size()) && FPaperSizes[size_t(n - 1)];
}

void TPrinterSettings::SetPaperSize(TVxPaperSize value)
{
    if (value == TVxPaperSize::Default || !FPrinter || !DeviceMode || PaperSizeSupported(value))
        FPaperSize = value;
}

void TPrinterSettings::StorePaper(TVxPaperSize size, TPrinterOrientation orientation)
{
    FPaperSize = size;
    FOrientation = orientation;
}

TVxPaperSize DefaultPrinterPaperSize()
{
    try {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            return TVxPaperSize::Default;
        TPrinterDevice printer;
        TPrinterDeviceMode mode;
        if (!printer.GetDeviceMode(mode) || !(mode.Fields & DM_PAPERSIZE))
            return TVxPaperSize::Default;
        return PaperSizeOfCode(mode.PaperSize).value_or(TVxPaperSize::Default);
    } catch (...) {
        return TVxPaperSize::Default;
    }
}

} // namespace zelmio
