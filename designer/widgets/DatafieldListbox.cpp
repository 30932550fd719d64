#include "designer/widgets/DatafieldListbox.h"

#include "designer/VexaDesigner.h"
#include "platform/DataSet.h"

#include <QDataStream>
#include <QMimeData>

namespace zelmio {

namespace {

constexpr int kFieldRole = Qt::UserRole + 1;

QString OwnerName(const TDataSet *dataSet)
{
    return dataSet->parent() ? dataSet->parent()->objectName() : QString();
}

} // namespace

QMimeData *DatafieldMimeData(const TField *field)
{
    if (!field || !field->DataSet())
        return nullptr;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << OwnerName(field->DataSet()) << field->DataSet()->objectName() << field->FieldName();
    auto *data = new QMimeData;
    data->setData(QLatin1String(kDatafieldMimeType), bytes);
    return data;
}

TField *DatafieldFromMimeData(TVexaDesigner *designer, const QMimeData *data)
{
    if (!designer || !data || !data->hasFormat(QLatin1String(kDatafieldMimeType)))
        return nullptr;
    QDataStream in(data->data(QLatin1String(kDatafieldMimeType)));
    QString owner, dataSetName, fieldName;
    in >> owner >> dataSetName >> fieldName;
    if (in.status() != QDataStream::Ok)
        return nullptr;
    QList<TDataSet *> sources;
    designer->GetDatasourceList(sources);
    for (TDataSet *dataSet : std::as_const(sources)) {
        if (dataSet->objectName() == dataSetName && OwnerName(dataSet) == owner)
            return dataSet->FindField(fieldName);
    }
    return nullptr;
}

TDatafieldListbox::TDatafieldListbox(TVexaDesigner *designer, QWidget *parent)
    : QTreeWidget(parent)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("DatafieldListbox"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    Refresh();
}

void TDatafieldListbox::Refresh()
{
    clear();
    m_fields.clear();
    if (!m_designer)
        return;
    const QList<TDatafieldNode> tree = m_designer->DatafieldTree();
    for (const TDatafieldNode &node : tree) {
        auto *top = new QTreeWidgetItem(this, QStringList{node.title});
        top->setFlags(Qt::ItemIsEnabled);
        for (qsizetype i = 0; i < node.fields.size(); ++i) {
            auto *item = new QTreeWidgetItem(top, QStringList{node.labels.value(i)});
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
            item->setData(0, kFieldRole, int(m_fields.size()));
            m_fields.append(node.fields.at(i));
        }
    }
    expandAll();
}

TField *TDatafieldListbox::FieldOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return nullptr;
    const QVariant index = item->data(0, kFieldRole);
    return index.isValid() ? m_fields.value(index.toInt()).data() : nullptr;
}

QMimeData *TDatafieldListbox::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    for (const QTreeWidgetItem *item : items) {
        if (TField *field = FieldOf(item))
            return DatafieldMimeData(field);
    }
    return nullptr;
}

QStringList TDatafieldListbox::mimeTypes() const
{
    return {QLatin1String(kDatafieldMimeType)};
}

} // namespace zelmio
