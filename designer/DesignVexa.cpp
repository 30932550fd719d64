#include "designer/DesignVexa.h"

#include "model/PropertyAccess.h"
#include "model/VxPage.h"
#include "model/VxPrinterSettings.h"
#include "platform/PrinterDevice.h"
#include "storage/RuntimeComponentLoader.h"

namespace zelmio {

TDesignVexa::TDesignVexa(TComponent *owner)
    : TEVexa(owner)
    , m_background(std::make_unique<TVxPicture>(this))
{
}

TDesignVexa::~TDesignVexa() = default;

QString TDesignVexa::PrinterName() const
{
    const int index = PrinterSettings() ? PrinterSettings()->PrinterIndex() : -1;
    if (index < 0)
        return QString();
    const QStringList printers = TPrinterDevice::Application().Printers();
    return index < printers.size() ? printers.at(index) : QString();
}

void TDesignVexa::SetPrinterName(const QString &name)
{
    SelectPrinterByName(name);
}

bool TDesignVexa::SelectPrinterByName(const QString &name)
{
    if (name.isEmpty() || !PrinterSettings())
        return false;
    const QStringList printers = TPrinterDevice::Application().Printers();
    for (int i = 0; i < printers.size(); ++i) {
        if (printers.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            PrinterSettings()->SetPrinterIndex(i);
            return true;
        }
    }
    return false;
}

void TDesignVexa::SetDesignBackground(TVxPicture *picture)
{
    if (picture)
        m_background->Assign(picture);
    else
        m_background->Clear();
}

TRuntimeComponentLoader *TDesignVexa::Loader() const
{
    return m_loader;
}

void TDesignVexa::SetLoader(TRuntimeComponentLoader *loader)
{
    m_loader = loader;
}

void TDesignVexa::Clear()
{
    m_script.clear();
    static const char *const links[] = {"ParentBand", "FooterBand", "Linkband", "Master"};
    for (TVxControl *control : ControlList()) {
        for (const char *link : links) {
            if (PropertyExists(control, QLatin1String(link)))
                SetPointerProperty(control, QLatin1String(link), nullptr);
        }
    }
    if (Page())
        Page()->SetColumns(1);
    LabelSettings()->SetFirstLabel(0);
    SetReportTitle(QString());
    SetDescription(QStringList());
    if (Frame()) {
        Frame()->SetWidth(1);
        Frame()->SetDrawTop(false);
        Frame()->SetDrawBottom(false);
        Frame()->SetDrawLeft(false);
        Frame()->SetDrawRight(false);
    }
}

void TDesignVexa::Notification(TComponent *component, TOperation operation)
{
    TEVexa::Notification(component, operation);
    auto *loader = qobject_cast<TRuntimeComponentLoader *>(component);
    if (!loader)
        return;
    if (operation == TOperation::opInsert && !m_loader)
        m_loader = loader;
    else if (operation == TOperation::opRemove && loader == m_loader)
        m_loader = nullptr;
}

} // namespace zelmio
