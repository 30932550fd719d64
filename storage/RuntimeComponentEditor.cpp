#include "storage/RuntimeComponentEditor.h"

#include "platform/SafeFileWriter.h"
#include "platform/VxError.h"
#include "model/CustomVexa.h"
#include "storage/ComponentFileHeader.h"
#include "storage/ComponentSaver.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeDatamodule.h"
#include "storage/TemplateFileRewrite.h"

#include <QBuffer>
#include <QFileInfo>

namespace zelmio {

TRuntimeComponentEditor::TRuntimeComponentEditor(TComponent *owner)
    : TRuntimeComponentLoader(owner)
{
    m_saver = new TComponentSaver(this);
    m_saver->SetBeforeComponentWrite([this](QByteArray &text) { RewriteBlockForWriting(text); });
}

void TRuntimeComponentEditor::SetChildFilter(std::function<bool(TComponent *)> filter)
{
    m_saver->SetChildFilter(std::move(filter));
}

void TRuntimeComponentEditor::RewriteBlockForWriting(QByteArray &text) const
{
    if (DatabaseOwner() && !DatabaseOwner()->objectName().isEmpty())
        text = ReplaceOutsideQuotes(text, " = " + DatabaseOwner()->objectName().toUtf8() + ".", " = DatabaseOwner.");
    text = ReplaceOutsideQuotes(text, ": TVxDWQuery", ": TVxQuery");
}

QByteArray TRuntimeComponentEditor::BlockText(TComponent *root, TComponent *lookupRoot)
{
    // Writing must not cost any add-on.
    const bool enabled = PropertyAddons()->Enabled();
    PropertyAddons()->SetEnabled(false);
    m_saver->SetLookupRoot(lookupRoot);
    QByteArray text;
    try {
        text = m_saver->WriteComponentText(root);
    } catch (...) {
        PropertyAddons()->SetEnabled(enabled);
        m_saver->SetLookupRoot(nullptr);
        throw;
    }
    PropertyAddons()->SetEnabled(enabled);
    m_saver->SetLookupRoot(nullptr);
    return text;
}

void TRuntimeComponentEditor::WriteBytes(QIODevice &stream, const QByteArray &bytes)
{
    if (stream.write(bytes) != bytes.size())
        throw EVxError(QStringLiteral("Cannot write the template: %1").arg(stream.errorString()));
}

void TRuntimeComponentEditor::SaveHeaderToStream(QIODevice &stream)
{
    WriteBytes(stream, BlockText(Header(), nullptr));
}

void TRuntimeComponentEditor::SaveDatamoduleToStream(QIODevice &stream)
{
    WriteBytes(stream, BlockText(Datamodule(), nullptr));
}

void TRuntimeComponentEditor::SaveToStream(QIODevice &stream)
{
    if (!ParentControl())
        throw EVxError(QStringLiteral("There is no report to save"));
    QByteArray bytes = BlockText(ParentControl(), nullptr);
    bytes += BlockText(PropertyAddons(), ElementOwner());
    WriteBytes(stream, bytes);
    m_changed = false;
}

void TRuntimeComponentEditor::SaveToFile(const QString &fileName)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    WriteFileSafely(fileName, bytes, QString());
}

QByteArray TRuntimeComponentEditor::SaveTemplateToBytes()
{
    if (!ParentControl())
        throw EVxError(QStringLiteral("There is no report to save"));
    Header()->SetReportTitle(ParentControl()->ReportTitle());
    if (m_onSaveUserData) {
        QByteArray userData;
        QBuffer buffer(&userData);
        buffer.open(QIODevice::WriteOnly);
        m_onSaveUserData(buffer);
        Header()->SetUserData(userData);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveHeaderToStream(buffer);
    SaveDatamoduleToStream(buffer);
    SaveToStream(buffer);
    return bytes;
}

void TRuntimeComponentEditor::SaveTemplateToStream(QIODevice &stream)
{
    const qint64 start = stream.pos();
    WriteBytes(stream, SaveTemplateToBytes());
    stream.seek(start);
}

void TRuntimeComponentEditor::SaveTemplateToFile(const QString &fileName, const QString &backupExtension)
{
    const QByteArray bytes = SaveTemplateToBytes();
    WriteFileSafely(fileName, bytes, backupExtension);
    SetFileName(fileName);
}

void TRuntimeComponentEditor::WriteFileSafely(const QString &fileName, const QByteArray &bytes,
                                              const QString &backupExtension)
{
    QString backup;
    const QFileInfo info(fileName);
    if (!backupExtension.isEmpty() && info.exists()) {
        const QString extension = backupExtension.startsWith(QLatin1Char('.')) ? backupExtension
                                                                                 : QLatin1Char('.') + backupExtension;
        backup = info.path() + QLatin1Char('/') + info.completeBaseName() + extension;
        if (QFileInfo(backup).absoluteFilePath() == info.absoluteFilePath())
            backup.clear();
    }
    // The backup is a copy written only once the new content is safely on
    // disk, so a failed save leaves the file and its old backup as they were.
    zelmio::WriteFileSafely(fileName, bytes, backup);
}

} // namespace zelmio
