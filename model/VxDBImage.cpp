#include "model/VxDBImage.h"

#include <exception>

#include "model/VxExportTarget.h"
#include "model/VxImage.h"
#include "model/VxPageCanvas.h"

#include <QPainter>

namespace zelmio {

TVxDBImage::TVxDBImage(TComponent *owner)
    : TVxPrintable(owner)
    , m_picture(std::make_unique<TVxPicture>(this))
{
    SetBounds(0, 0, 105, 105);
}

void TVxDBImage::SetDataSet(TDataSet *dataSet)
{
    m_dataSet = dataSet;
    m_field = nullptr;
    Invalidate();
}

void TVxDBImage::SetDataField(const QString &field)
{
    m_dataField = field;
    m_field = nullptr;
    Invalidate();
}

void TVxDBImage::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    Invalidate();
}

void TVxDBImage::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    Invalidate();
}

TField *TVxDBImage::BoundField()
{
    if (!m_field && m_dataSet && !m_dataField.isEmpty())
        m_field = m_dataSet->FindField(m_dataField);
    return m_field;
}

void TVxDBImage::Prepare()
{
    TVxPrintable::Prepare();
    m_field = nullptr;
    BoundField();
}

bool TVxDBImage::LoadFieldPicture()
{
    TField *field = BoundField();
    if (!field || !qobject_cast<TBlobField *>(field))
        return false;
    m_lastError.clear();
    try {
        const QByteArray bytes = field->IsNull() ? QByteArray() : field->AsBytes();
        if (bytes.isEmpty())
            m_picture->Clear();
        else
            m_picture->LoadFromBytes(bytes, &m_lastError);
    } catch (const std::exception &error) {
        m_lastError = QString::fromUtf8(error.what());
        m_picture->Clear();
    }
    return true;
}

void TVxDBImage::DrawUnstretched(QPainter &canvas, const QRect &target)
{
    TVxPageCanvas *printer = VXPrinter();
    TVxImage::DrawPicture(canvas, m_picture->Image(), target, false, m_center, printer->XFactor(),
                          printer->YFactor());
}

void TVxDBImage::Print(long double ofsX, long double ofsY)
{
    TVxPageCanvas *printer = VXPrinter();
    if (!printer || !IsEnabled())
        return;
    const QRect target = DeviceRect(ofsX + InternalLeft(), ofsY + InternalTop(), InternalWidth(), InternalHeight());
    // A picture that cannot be decoded prints nothing (an empty one fills
    // a stretched element with its colour).
    bool loaded = LoadFieldPicture();
    try {
        PictureLoaded(*m_picture);
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
    }
    loaded = loaded && m_lastError.isEmpty();
    if (loaded && IsFinalPass()) {
        if (QPainter *canvas = PageCanvas()) {
            if (m_stretch) {
                if (m_picture->IsEmpty())
                    canvas->fillRect(target, ColorToQColor(Color()));
                else
                    TVxImage::DrawPicture(*canvas, m_picture->Image(), target, true, false, printer->XFactor(),
                                          printer->YFactor());
            } else {
                DrawUnstretched(*canvas, target);
            }
        }
    }
    TVxPrintable::Print(ofsX, ofsY);
    if (TVxExportTarget *filter = ExportFilter())
        filter->AcceptGraphic(TDevicePos(target.left(), target.top()), this);
}

void TVxDBImage::GetExpandedHeight(int &newHeight)
{
    newHeight = Height();
    TField *field = BoundField();
    if (field && qobject_cast<TBlobField *>(field) && LoadFieldPicture() && !m_picture->IsEmpty())
        newHeight = m_picture->Height();
}

void TVxDBImage::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    painter.fillRect(ClientRect(), ColorToQColor(Color()));
    QString label = Name();
    if (TField *field = BoundField())
        label = field->FieldName();
    painter.save();
    painter.setPen(Qt::black);
    painter.drawText(ClientRect(), Qt::AlignCenter, QStringLiteral("(") + label + QStringLiteral(")"));
    painter.restore();
    PaintCommon(painter, true);
}

} // namespace zelmio
