#include "designer/TesmolaDBImage.h"

#include "designer/DesignElementPrint.h"

#include <QFile>
#include <QFileInfo>

namespace zelmio {

TTesmolaDBImage::TTesmolaDBImage(TComponent *owner)
    : TVxDBImage(owner)
{
}

bool TTesmolaDBImage::LoadFieldPicture()
{
    TField *field = Field();
    if (!field && DataSet() && !DataField().isEmpty())
        field = DataSet()->FindField(DataField());
    if (qobject_cast<TBlobField *>(field) && !qobject_cast<TMemoField *>(field))
        return TVxDBImage::LoadFieldPicture();
    Picture()->Clear();
    SetLastError(QString());
    if (!field)
        return true;
    QString name = field->IsNull() ? QString() : field->AsString().trimmed();
    if (name.isEmpty())
        return true;
    QFileInfo info(name);
    if (info.suffix().isEmpty())
        info.setFile(info.filePath() + QStringLiteral(".BMP"));
    if (!info.isFile())
        return true;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return true;
    // A file that is no picture leaves the picture empty.
    QString error;
    if (!Picture()->LoadFromBytes(file.readAll(), &error))
        Picture()->Clear();
    return true;
}

void TTesmolaDBImage::PictureLoaded(TVxPicture &picture)
{
    m_applicationHook(this, &picture);
    m_beforePrint(this, &picture);
}

void TTesmolaDBImage::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxDBImage::Print(x, y); });
}

} // namespace zelmio
