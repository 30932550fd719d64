#include "tool/TemplateWindow.h"

#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "designer/VxDLoader.h"
#include "platform/ClientDataSet.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/RuntimeComponentEditor.h"

#include <QRegularExpression>

namespace zelmio::tool {

TTemplateWindow::TTemplateWindow(LoaderKind kind)
    : TReportPrintForm(nullptr, kind)
    , m_mainWindow(std::make_unique<QObject>())
{
    m_mainWindow->setObjectName(QStringLiteral("ZelmioMain"));
    RegisterApplicationWindow(m_mainWindow.get());
    Loader()->SetDatabaseOwner(m_mainWindow.get());
}

TTemplateWindow::~TTemplateWindow()
{
    // The report's components go before the main window and its record sets.
    Destroying();
    DestroyComponents();
    UnregisterApplicationWindow(m_mainWindow.get());
}

void TTemplateWindow::LoadFile(const QString &fileName, QObject *dataSet)
{
    // The reference scan reads the file as the loader does; when it cannot,
    // the loader below says why.
    QByteArray bytes;
    try {
        bytes = TRuntimeComponentLoader::ReadTemplateFile(fileName);
    } catch (const std::exception &) {
    }
    static const QRegularExpression reference(QStringLiteral("DatabaseOwner\\.([A-Za-z_][A-Za-z0-9_]*)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromLatin1(bytes);
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (m_mainWindow->findChild<QObject *>(name, Qt::FindDirectChildrenOnly))
            continue;
        if (dataSet) {
            dataSet->setParent(m_mainWindow.get());
            dataSet->setObjectName(name);
            dataSet = nullptr;
        } else {
            auto *empty = new TClientDataSet(m_mainWindow.get());
            empty->setObjectName(name);
        }
    }
    Loader()->LoadCompsAndDatamoduleFromFile(fileName);
}

void TTemplateWindow::LoadFileWithPacket(const QString &fileName, const QString &packetFile)
{
    auto packet = std::make_unique<TClientDataSet>();
    packet->SetFileName(packetFile);
    packet->Open();
    packet->setParent(m_mainWindow.get());
    LoadFile(fileName, packet.release());
}

} // namespace zelmio::tool
