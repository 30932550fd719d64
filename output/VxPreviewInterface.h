#pragma once
// How a report printer opens its preview and progress windows. The windows
// themselves live in the windows library: it installs its factories at start
// (the standard preview window and progress window). Until then, and in
// headless programs, a printer opens nothing.

#include <QString>
#include <functional>
#include <memory>

class QObject;

namespace zelmio {

class TVxPrinter;

class TVxPreviewInterface {
public:
    virtual ~TVxPreviewInterface();
    // Opens a preview of the printer's pages without waiting; returns the
    // window (none here).
    virtual QObject *Show(TVxPrinter *printer);
    // Opens it modally; returns the window after it has closed (none here).
    virtual QObject *ShowModal(TVxPrinter *printer);
};

// The process-wide preview factory a printer instantiates for Preview and
// PreviewModal. Initially it makes the base interface, which opens nothing.
using TVxPreviewInterfaceClass = std::function<std::unique_ptr<TVxPreviewInterface>()>;
TVxPreviewInterfaceClass &GlobalPreviewInterface();

// The progress window shown while stored pages are printed: given the
// printer and a caption ("Printing progress"), it returns the shown window,
// which the printer makes its client and frees when done. Unset: no window.
using TVxProgressFormClass = std::function<std::unique_ptr<QObject>(TVxPrinter *printer, const QString &caption)>;
TVxProgressFormClass &GlobalProgressForm();

} // namespace zelmio
