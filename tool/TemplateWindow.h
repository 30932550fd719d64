#pragma once
// The report window the template commands load into: a component that owns
// a design report named "Vexa" and a loader, as the print window does, and
// a stand-in for the application's main window ("ZelmioMain") that owns an
// empty record set for every "DatabaseOwner.Name" the template names, so
// that such references load and are saved back unchanged.

#include "designer/ReportPrintForm.h"

#include <QByteArray>
#include <QObject>
#include <memory>

namespace zelmio::tool {

class TTemplateWindow : public TReportPrintForm {
public:
    explicit TTemplateWindow(LoaderKind kind);
    ~TTemplateWindow() override;

    // Loads the file through the loader, first providing the record sets
    // its "DatabaseOwner." references name: the first one is dataSet when
    // given (the main window takes it over), the others stay empty.
    void LoadFile(const QString &fileName, QObject *dataSet = nullptr);

    // Opens the data packet and loads the template with it as the first
    // record set; the window keeps the packet even when nothing names it.
    void LoadFileWithPacket(const QString &fileName, const QString &packetFile);

private:
    std::unique_ptr<QObject> m_mainWindow;
};

} // namespace zelmio::tool
