#pragma once
// A picture from a blob field of a record set. The field's bytes are loaded
// into the element's own picture at each print (the format is recognised
// from the bytes); a picture that cannot be decoded prints nothing and does
// not stop the report.

#include "model/VxPicture.h"
#include "model/VxPrintable.h"
#include "platform/DataSet.h"

#include <QPointer>
#include <memory>

namespace zelmio {

class TVxDBImage : public TVxPrintable {
    Q_OBJECT
    Q_PROPERTY(zelmio::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_CLASSINFO("default:Center", "True")
    Q_CLASSINFO("default:Stretch", "False")
public:
    explicit TVxDBImage(TComponent *owner = nullptr);

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet);
    QString DataField() const { return m_dataField; }
    void SetDataField(const QString &field);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);

    // The picture of the current record (filled by each print; the export
    // filter reads it).
    TVxPicture *Picture() const { return m_picture.get(); }
    // The bound field, looked up by Prepare; none when the field is missing.
    TField *Field() const { return m_field; }
    // Why the last picture could not be loaded, if it could not.
    QString LastError() const { return m_lastError; }

    void Prepare() override;
    void Print(long double ofsX, long double ofsY) override;
    void GetExpandedHeight(int &newHeight) override;
    void Paint(QPainter &painter) override;

protected:
    // Loads the bound blob field of the current record into the picture;
    // false when there is no blob field to load from.
    virtual bool LoadFieldPicture();
    void SetLastError(const QString &error) { m_lastError = error; }
    // Draws the picture into the device rectangle when not stretched.
    virtual void DrawUnstretched(QPainter &canvas, const QRect &target);
    // Called while printing after the picture was filled from the field and
    // before it is drawn; a failure here prints nothing.
    virtual void PictureLoaded(TVxPicture &picture) { Q_UNUSED(picture); }

private:
    TField *BoundField();

    QPointer<TDataSet> m_dataSet;
    QString m_dataField;
    bool m_center = true;
    bool m_stretch = false;
    std::unique_ptr<TVxPicture> m_picture;
    QPointer<TField> m_field;
    QString m_lastError;
};

} // namespace zelmio
