#include "StorageTestSupport.h"

#include <QBuffer>
#include <QFile>

namespace zelmio {

TTestWindow::TTestWindow(const QString &name)
{
    setObjectName(name);
    m_report = new TVexa(this);
    m_report->SetName(QStringLiteral("Vexa"));
    m_report->AfterConstruction();
    m_loader = new TRuntimeComponentEditor(this);
    m_loader->SetName(QStringLiteral("VxDLoader1"));
    m_loader->AfterConstruction();
    m_loader->SetParentControl(m_report);
}

TTestWindow::~TTestWindow()
{
    Destroying();
    DestroyComponents();
}

void TTestWindow::LoadText(const QByteArray &text)
{
    QByteArray copy = text;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    m_loader->LoadCompsAndDatamoduleFromStream(buffer);
}

QByteArray TTestWindow::SaveText()
{
    return m_loader->SaveTemplateToBytes();
}

QByteArray ReadTestFile(const QString &name)
{
    QFile file(QStringLiteral(ZELMIO_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace zelmio
