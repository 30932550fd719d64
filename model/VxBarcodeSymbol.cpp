#include "model/VxBarcodeSymbol.h"

#include <zint.h>

#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <mutex>

namespace zelmio {

namespace {

struct TSymbology {
    int zintType;
    int digitsWithoutCheck;  // EAN/UPC/ITF: digit count before the check digit; 0 for others
};

TSymbology SymbologyOf(TVxBarcodeType type)
{
    switch (type) {
    case TVxBarcodeType::btEAN13:
        return {BARCODE_EANX, 12};
    case TVxBarcodeType::btEAN8:
        return {BARCODE_EANX, 7};
    case TVxBarcodeType::btUPCA:
        return {BARCODE_UPCA, 11};
    case TVxBarcodeType::btITF14:
        return {BARCODE_ITF14, 13};
    case TVxBarcodeType::btCode128:
        return {BARCODE_CODE128, 0};
    case TVxBarcodeType::btCode39:
        return {BARCODE_CODE39, 0};
    case TVxBarcodeType::btQRCode:
        return {BARCODE_QRCODE, 0};
    case TVxBarcodeType::btDataMatrix:
        return {BARCODE_DATAMATRIX, 0};
    }
    return {BARCODE_CODE128, 0};
}

bool AllDigits(const QString &value)
{
    return std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Checks a value against its symbology and gives what libzint is handed:
// EAN, UPC and ITF values without their check digit (libzint adds it, and
// would take too short a value as a shorter symbol or pad it with zeros).
QString Prepare(TVxBarcodeType type, const QString &value, QString &input)
{
    const TSymbology symbology = SymbologyOf(type);
    const QString name = BarcodeTypeName(type);
    if (symbology.digitsWithoutCheck > 0) {
        const int n = symbology.digitsWithoutCheck;
        if (!AllDigits(value))
            return QStringLiteral("%1 takes digits only").arg(name);
        if (value.size() != n && value.size() != n + 1)
            return QStringLiteral("%1 takes %2 digits, or %3 with the check digit; this value has %4")
                .arg(name)
                .arg(n)
                .arg(n + 1)
                .arg(value.size());
        input = value.left(n);
        if (value.size() == n + 1) {
            const int expected = Gs1CheckDigit(input);
            if (value.at(n).digitValue() != expected)
                return QStringLiteral("wrong check digit %1, expected %2").arg(value.at(n)).arg(expected);
        }
        return QString();
    }
    if (type == TVxBarcodeType::btCode39) {
        // Code 39 has no lower-case letters; encoding them as capitals would
        // print a barcode of another value.
        static const QRegularExpression allowed(QStringLiteral("^[0-9A-Z \\-.$/+%]*$"));
        if (!allowed.match(value).hasMatch())
            return QStringLiteral("Code 39 takes digits, capital letters, space and - . $ / + % only");
    }
    input = value;
    return QString();
}

QString ZintMessage(const char *text)
{
    // "Error 275: Invalid check digit" without its number.
    QString message = QString::fromUtf8(text);
    static const QRegularExpression prefix(QStringLiteral("^(Error|Warning) \\d+: "));
    message.remove(prefix);
    return message.isEmpty() ? QStringLiteral("the value cannot be encoded") : message;
}

struct TZintDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

QString BarcodeTypeName(TVxBarcodeType type)
{
    switch (type) {
    case TVxBarcodeType::btEAN13:
        return QStringLiteral("EAN-13");
    case TVxBarcodeType::btEAN8:
        return QStringLiteral("EAN-8");
    case TVxBarcodeType::btUPCA:
        return QStringLiteral("UPC-A");
    case TVxBarcodeType::btITF14:
        return QStringLiteral("ITF-14");
    case TVxBarcodeType::btCode128:
        return QStringLiteral("Code 128");
    case TVxBarcodeType::btCode39:
        return QStringLiteral("Code 39");
    case TVxBarcodeType::btQRCode:
        return QStringLiteral("QR Code");
    case TVxBarcodeType::btDataMatrix:
        return QStringLiteral("Data Matrix");
    }
    return QString();
}

bool IsMatrixBarcode(TVxBarcodeType type)
{
    return type == TVxBarcodeType::btQRCode || type == TVxBarcodeType::btDataMatrix;
}

QString BarcodeSampleValue(TVxBarcodeType type)
{
    switch (type) {
    case TVxBarcodeType::btEAN13:
        return QStringLiteral("590123412345");
    case TVxBarcodeType::btEAN8:
        return QStringLiteral("9638507");
    case TVxBarcodeType::btUPCA:
        return QStringLiteral("03600029145");
    case TVxBarcodeType::btITF14:
        return QStringLiteral("1540014128876");
    case TVxBarcodeType::btCode39:
        return QStringLiteral("ZELMIO");
    case TVxBarcodeType::btCode128:
    case TVxBarcodeType::btQRCode:
    case TVxBarcodeType::btDataMatrix:
        return QStringLiteral("Zelmio");
    }
    return QString();
}

int Gs1CheckDigit(const QString &digits)
{
    int total = 0;
    const int n = int(digits.size());
    for (int k = 0; k < n; ++k) {
        const int digit = digits.at(n - 1 - k).digitValue();
        total += digit * (k % 2 == 0 ? 3 : 1);
    }
    return (10 - total % 10) % 10;
}

TBarcodeSymbol EncodeBarcode(TVxBarcodeType type, const QString &rawValue, double barHeight, bool humanReadable)
{
    TBarcodeSymbol result;
    const QString value = rawValue.trimmed();
    if (value.isEmpty()) {
        result.error = QStringLiteral("no value");
        return result;
    }
    QString input;
    result.error = Prepare(type, value, input);
    if (!result.IsValid())
        return result;

    std::unique_ptr<zint_symbol, TZintDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        result.error = QStringLiteral("out of memory");
        return result;
    }
    symbol->symbology = SymbologyOf(type).zintType;
    symbol->input_mode = UNICODE_MODE;
    // Vector units of one module.
    symbol->scale = 0.5f;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    symbol->show_hrt = humanReadable ? 1 : 0;
    // Square Data Matrix symbols only: rectangular ones are read by fewer
    // scanners.
    if (type == TVxBarcodeType::btDataMatrix)
        symbol->option_3 = DM_SQUARE;
    if (!IsMatrixBarcode(type))
        symbol->height = float(std::clamp(barHeight, 1.0, 2000.0));
    const QByteArray utf8 = input.toUtf8();
    // Texts beyond ASCII are marked as UTF-8 (ECI 26), so that readers give
    // back the same characters.
    if (IsMatrixBarcode(type) && std::any_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) != 0; }))
        symbol->eci = 26;
    const int code = ZBarcode_Encode_and_Buffer_Vector(symbol.get(), reinterpret_cast<const unsigned char *>(
                                                                        utf8.constData()),
                                                       int(utf8.size()), 0);
    if (code >= ZINT_ERROR || !symbol->vector) {
        result.error = ZintMessage(symbol->errtxt);
        return result;
    }
    result.encodedValue = QString::fromUtf8(reinterpret_cast<const char *>(symbol->text));
    if (result.encodedValue.isEmpty())
        result.encodedValue = input;
    result.width = symbol->vector->width;
    result.height = symbol->vector->height;
    for (const zint_vector_rect *rect = symbol->vector->rectangles; rect; rect = rect->next) {
        // -1 and 7 are the foreground; other colours do not occur in these
        // symbologies, and white rectangles are the background anyway.
        if (rect->colour == -1 || rect->colour == 7)
            result.bars.emplace_back(rect->x, rect->y, rect->width, rect->height);
    }
    for (const zint_vector_string *text = symbol->vector->strings; text; text = text->next) {
        TBarcodeText entry;
        entry.text = QString::fromUtf8(reinterpret_cast<const char *>(text->text), text->length);
        entry.x = text->x;
        entry.baseline = text->y;
        entry.size = text->fsize;
        entry.halign = text->halign;
        result.texts.push_back(entry);
    }
    return result;
}

namespace {

// The height of a linear symbol beside its bars (texts, guard bars, quiet
// zones and bearer bars), in modules: the same for every value of a
// symbology, so found once by encoding its sample value.
double FixedHeight(TVxBarcodeType type, bool humanReadable)
{
    constexpr int kinds = int(TVxBarcodeType::btDataMatrix) + 1;
    static std::mutex mutex;
    static double known[kinds][2] = {};
    static bool found[kinds][2] = {};
    const int k = std::clamp(int(type), 0, kinds - 1);
    const int h = humanReadable ? 1 : 0;
    const std::lock_guard<std::mutex> lock(mutex);
    if (!found[k][h]) {
        constexpr double probeHeight = 50;
        const TBarcodeSymbol probe = EncodeBarcode(type, BarcodeSampleValue(type), probeHeight, humanReadable);
        known[k][h] = probe.IsValid() ? probe.height - probeHeight : 0;
        found[k][h] = true;
    }
    return known[k][h];
}

} // namespace

TBarcodeLayout LayoutBarcode(TVxBarcodeType type, const QString &value, const QSizeF &box, double moduleWidth,
                             TAlignment alignment, bool humanReadable)
{
    TBarcodeLayout layout;
    if (box.width() <= 0 || box.height() <= 0) {
        layout.error = QStringLiteral("the element has no room for the symbol");
        return layout;
    }
    const bool matrix = IsMatrixBarcode(type);
    // The symbol's width does not depend on its bar height: linear symbols
    // are encoded once, with the bars as high as the box leaves beside the
    // fixed part (the height is corrected below if narrowing changed it).
    const double fixedHeight = matrix ? 0 : FixedHeight(type, humanReadable);
    auto barHeightFor = [&](double scale) { return std::max(box.height() / scale - fixedHeight, 1.0); };
    const double firstScale = moduleWidth > 0 ? moduleWidth : 1;
    TBarcodeSymbol symbol = EncodeBarcode(type, value, barHeightFor(firstScale), humanReadable);
    if (!symbol.IsValid() || symbol.width <= 0 || symbol.height <= 0) {
        layout.error = symbol.IsValid() ? QStringLiteral("the value cannot be encoded") : symbol.error;
        return layout;
    }
    double scale = moduleWidth > 0 ? moduleWidth : box.width() / symbol.width;
    scale = std::min(scale, box.width() / symbol.width);
    if (matrix) {
        if (moduleWidth <= 0)
            scale = std::min(box.width() / symbol.width, box.height() / symbol.height);
        scale = std::min(scale, box.height() / symbol.height);
    } else if (std::abs(scale - firstScale) > 1e-9) {
        symbol = EncodeBarcode(type, value, barHeightFor(scale), humanReadable);
        if (!symbol.IsValid()) {
            layout.error = symbol.error;
            return layout;
        }
    }
    const double width = symbol.width * scale;
    const double height = symbol.height * scale;
    double x = 0;
    if (alignment == TAlignment::taCenter)
        x = (box.width() - width) / 2;
    else if (alignment == TAlignment::taRightJustify)
        x = box.width() - width;
    const double y = matrix ? (box.height() - height) / 2 : 0;
    layout.encodedValue = symbol.encodedValue;
    layout.symbolRect = QRectF(x, y, width, height);
    layout.bars.reserve(symbol.bars.size());
    for (const QRectF &bar : symbol.bars)
        layout.bars.emplace_back(x + bar.x() * scale, y + bar.y() * scale, bar.width() * scale, bar.height() * scale);
    for (TBarcodeText text : symbol.texts) {
        text.x = x + text.x * scale;
        text.baseline = y + text.baseline * scale;
        text.size *= scale;
        layout.texts.push_back(text);
    }
    return layout;
}

} // namespace zelmio
