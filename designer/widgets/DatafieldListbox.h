#pragma once
// The designer's data field list: a tree with one node per data source of
// the report (its display name in upper case) and the shown fields under it
// (their display labels), as the designer core lists them. A field is
// dragged from here onto the design surface, which drops a data element
// for it; the drag carries the field as DatafieldMimeType data.

#include <QPointer>
#include <QTreeWidget>

class QMimeData;

namespace zelmio {

class TField;
class TVexaDesigner;

// The mime type of a dragged data field: the data set's owner name, the
// data set name and the field name.
inline constexpr char kDatafieldMimeType[] = "application/x-zelmio-datafield";

// The drag data for a field.
QMimeData *DatafieldMimeData(const TField *field);
// The field the drag data names among the designer's data sources; none
// when it names no field (or is not field data at all).
TField *DatafieldFromMimeData(TVexaDesigner *designer, const QMimeData *data);

class TDatafieldListbox : public QTreeWidget {
    Q_OBJECT
public:
    explicit TDatafieldListbox(TVexaDesigner *designer, QWidget *parent = nullptr);

    // Rebuilds the tree from the designer's data sources (empty when the
    // designer does not show the list); every node is expanded.
    void Refresh();
    // The field of an item (none for the data source nodes).
    TField *FieldOf(const QTreeWidgetItem *item) const;

    // The drag data of the selected field items (the first field counts).
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
    // Fields are copied, never moved out of the list.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

private:
    TVexaDesigner *m_designer;
    QList<QPointer<TField>> m_fields;   // the field items' data indexes into this
};

} // namespace zelmio
