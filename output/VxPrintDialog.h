#pragma once
// The platform print dialog as the report's printer setup uses it. The
// windows library installs the dialog at start; until then, and in headless
// programs, no dialog can be shown and every request counts as cancelled,
// so that nothing ever waits for a user who is not there.

#include "model/VxTypes.h"

#include <functional>

namespace zelmio {

struct TVxPrintDialogRequest {
    int printerIndex = -1;   // -1: the default printer
    TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
    int copies = 1;
    int minPage = 0;
    int maxPage = 9999;
    int fromPage = 0;
    int toPage = 0;
    int paperSource = 0;     // device bin code
    int duplexCode = 1;      // 1 one-sided, 2 and 3 two-sided
};

struct TVxPrintDialogChoice {
    enum class TRange { All, Selection, Pages };
    int printerIndex = -1;
    TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
    int copies = 1;
    TRange range = TRange::All;
    int fromPage = 0;
    int toPage = 0;
    int paperSource = 0;     // device bin code
    int paperCode = 0;       // device paper size code
    int duplexCode = 1;
    int printQuality = 0;
    int collate = 0;
    int colorOption = 0;
};

// Shows the dialog; true when the user confirmed (choice filled).
using TVxPrintDialogClass = std::function<bool(const TVxPrintDialogRequest &request, TVxPrintDialogChoice &choice)>;
TVxPrintDialogClass &GlobalPrintDialog();

} // namespace zelmio
