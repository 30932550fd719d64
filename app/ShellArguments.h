#pragma once

#include <QString>
#include <QStringList>

namespace zelmio {

// The four positional arguments a host passes. The first character of each
// is dropped (hosts prefix every argument with a marker character); a
// one-character or missing argument is empty.
struct ShellArguments {
    QString uVX2fails;     // report template; empty selects the designer
    QString uPDFFails;     // PDF to write; empty selects the preview
    QString uDataSetFile;  // XML data packet
    QString uRezims;       // kept, without effect

    // args: the command line without the program name.
    static ShellArguments FromCommandLine(const QStringList &args);
};

} // namespace zelmio
