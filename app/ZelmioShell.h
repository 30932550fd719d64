#pragma once
// The run modes: check the data and template files, open the record set,
// and make exactly one call into the report dialog facade.

#include "app/ShellArguments.h"

#include <QString>

namespace zelmio {

class TReportDesignerDialog;
class TClientDataSet;
class TVxExportFilter;

// Exit codes of the program. A host waits for the process and learns the
// outcome from the code.
enum class ShellExitCode : int {
    Success = 0,
    ModeFailed = 1,        // the template could not be loaded, the export or preview failed
    DataFileMissing = 2,
    TemplateMissing = 3,
    DataUnreadable = 4,    // the data packet could not be read
};

enum class RunMode { Designer, Preview, PdfExport };

// Where the shell's messages go: a message box with a display, standard
// error without one.
class ShellMessages {
public:
    virtual ~ShellMessages() = default;
    virtual void ShowMessage(const QString &text) = 0;
};

class ZelmioShell {
public:
    ZelmioShell(TReportDesignerDialog &facade, TClientDataSet &dataSet, ShellMessages &messages);

    // The mode the arguments select, once the data file has been found.
    static RunMode SelectMode(const ShellArguments &args);

    // Runs the one mode and returns the exit code.
    ShellExitCode Run(const ShellArguments &args);
    // Without a display the preview has nothing to show: that mode ends at
    // once with a message instead of waiting for a window.
    void SetDisplayAvailable(bool available) { m_displayAvailable = available; }

private:
    bool OpenDataSet(const QString &path);
    ShellExitCode RunSelectedMode(RunMode mode, const ShellArguments &args);

    TReportDesignerDialog &m_facade;
    TClientDataSet &m_dataSet;
    ShellMessages &m_messages;
    bool m_displayAvailable = true;
};

} // namespace zelmio
