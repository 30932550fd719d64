#pragma once
// Run-time state of a report while the generation engine runs it: the page
// cycle's position and counters. A plain record the engine reads and writes;
// the model only initialises it.

#include "expr/VxDataSetList.h"

#include <atomic>

namespace zelmio {

class TVxControl;
class TVxEvElement;
class TVxExportTarget;
class TVxPageCanvas;
class TVxPrinter;
class TVxRunEngine;

struct TVxReportRunState {
    bool Available = true;          // no generation runs (the re-entry guard)
    // Set by the window thread while a worker thread may run the report.
    std::atomic<bool> Cancelled{false};
    bool FinalPass = true;          // pages are drawn (false while exporting)
    bool Exporting = false;
    TVxExportTarget *ExportFilter = nullptr;
    bool LastPage = false;
    int Pagecount = 0;              // pages started so far
    int CurrentX = 0;               // left edge of the current column
    int CurrentY = -1;              // top of the free space; -1 before page 1
    int CurrentColumn = 1;
    int ColumnTopPosition = 0;
    long double PageFooterSize = 0;
    TVxDataSetList AllDataSets;     // record sets expressions may read
    TVxControl *Backgroundcontrol = nullptr;
    TVxEvElement *EvPageNumber = nullptr;
    TVxEvElement *EvColumnNumber = nullptr;
    TVxEvElement *EvReportTitle = nullptr;
    TVxPrinter *VXPrinter = nullptr;
    TVxPageCanvas *PageCanvas = nullptr;  // VXPrinter's drawing side, as elements use it
    TVxRunEngine *Engine = nullptr;       // the engine running the report, during a run
    bool DetailBreak = false;       // a detail band itself caused the current break
};

} // namespace zelmio
