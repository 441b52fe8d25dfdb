// Dataset adapter: display formats, pick lists, edits through the dataset's edit state.
#include "widgets/datasetmodel.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/dataset.h"

QList<QPair<QVariant, QString>> SamohodPickList()
{
    return {{0, QStringLiteral("Нет")},
            {1, QStringLiteral("Нет")},
            {2, QStringLiteral("Есть")},
            {99, QStringLiteral("-")}};
}

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::SetDataSet(DataSet* dataSet, const QList<GridColumn>& columns)
{
    beginResetModel();
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    m_columns = columns;
    if (m_dataSet) {
        connect(m_dataSet, &DataSet::Reset, this, &DataSetModel::OnReset);
        connect(m_dataSet, &DataSet::RowChanged, this, &DataSetModel::OnRowChanged);
        connect(m_dataSet, &DataSet::RowInserted, this, &DataSetModel::OnRowInserted);
        connect(m_dataSet, &DataSet::RowAboutToBeRemoved, this,
                &DataSetModel::OnRowAboutToBeRemoved);
        connect(m_dataSet, &DataSet::RowsAppended, this, &DataSetModel::OnRowsAppended);
        connect(m_dataSet, &DataSet::RowRemoved, this, &DataSetModel::OnRowRemoved);
        connect(m_dataSet, &DataSet::CurrentChanged, this, &DataSetModel::OnCurrentChanged);
        connect(m_dataSet, &DataSet::StateChanged, this,
                [this] { OnCurrentChanged(m_dataSet->RecNo()); });
    }
    if (m_columns.isEmpty())
        m_columns = DefaultColumns();
    m_fieldOfColumn.clear();
    for (const GridColumn& c : m_columns)
        m_fieldOfColumn << (m_dataSet ? m_dataSet->FieldIndex(c.field) : -1);
    m_rowCount = m_dataSet ? m_dataSet->FetchedCount() : 0;
    m_shownCurrent = m_dataSet ? m_dataSet->RecNo() : -1;
    endResetModel();
}

void DataSetModel::SetColumns(const QList<GridColumn>& columns)
{
    SetDataSet(m_dataSet, columns);
}

QList<GridColumn> DataSetModel::DefaultColumns() const
{
    QList<GridColumn> cols;
    if (!m_dataSet)
        return cols;
    for (const FieldDef& f : m_dataSet->FieldDefs()) {
        if (!f.visible)
            continue;
        GridColumn c;
        c.field = f.name;
        if (f.type == FieldType::Float || f.type == FieldType::Integer ||
            f.type == FieldType::Byte || f.type == FieldType::AutoInc)
            c.alignment = Qt::AlignRight | Qt::AlignVCenter;
        cols << c;
    }
    return cols;
}

int DataSetModel::FieldOfColumn(int column) const
{
    return column >= 0 && column < m_fieldOfColumn.size() ? m_fieldOfColumn.at(column) : -1;
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString DataSetModel::DisplayText(int row, int column) const
{
    int f = FieldOfColumn(column);
    if (!m_dataSet || f < 0)
        return {};
    QVariant v = m_dataSet->Value(row, f);
    if (!v.isValid() || v.isNull())
        return {};
    const GridColumn& col = m_columns.at(column);
    if (!col.pickList.isEmpty()) {
        for (const auto& item : col.pickList) {
            if (item.first.toLongLong() == v.toLongLong())
                return item.second;
        }
    }
    return FieldText(m_dataSet->FieldDefAt(f).type, v);
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_dataSet || index.row() >= m_rowCount ||
        index.row() >= m_dataSet->FetchedCount())
        return {};
    const GridColumn& col = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return DisplayText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(col.alignment);
    case Qt::ToolTipRole:
        return col.hint.isEmpty() ? QVariant() : QVariant(col.hint);
    default:
        return {};
    }
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_dataSet)
        return false;
    int f = FieldOfColumn(index.column());
    if (f < 0)
        return false;
    QString text = value.toString();
    if (text == DisplayText(index.row(), index.column()))
        return true;
    const GridColumn& col = m_columns.at(index.column());
    QVariant stored;
    bool fromPick = false;
    for (const auto& item : col.pickList) {
        if (item.second == text) {
            stored = item.first;
            fromPick = true;
            break;
        }
    }
    try {
        if (!m_dataSet->MoveTo(index.row()) || !m_dataSet->Edit())
            return false;
        Field field(m_dataSet, f);
        if (fromPick)
            field.SetValue(stored);
        else
            field.SetAsString(text);
    } catch (const EConvertError& e) {
        ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
        emit EditRefused();
        return false;
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
        return false;
    }
    return true;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_columns.size())
            return {};
        const GridColumn& col = m_columns.at(section);
        if (role == Qt::DisplayRole) {
            if (!col.title.isEmpty())
                return col.title;
            int f = FieldOfColumn(section);
            if (f >= 0 && !m_dataSet->FieldDefAt(f).caption.isEmpty())
                return m_dataSet->FieldDefAt(f).caption;
            return col.field;
        }
        if (role == Qt::ToolTipRole && !col.hint.isEmpty())
            return col.hint;
        return {};
    }
    if (role == Qt::DisplayRole && m_dataSet && section == m_dataSet->RecNo()) {
        switch (m_dataSet->GetState()) {
        case DataSet::State::Insert:
            return QStringLiteral("*");
        case DataSet::State::Edit:
            return QStringLiteral("I");
        default:
            return QStringLiteral("▶");
        }
    }
    if (role == Qt::DisplayRole)
        return QString();
    return {};
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    int f = FieldOfColumn(index.column());
    if (f >= 0 && m_dataSet && !m_columns.at(index.column()).readOnly &&
        !m_dataSet->TableName().isEmpty()) {
        const FieldDef& def = m_dataSet->FieldDefAt(f);
        if (!def.calculated && def.type != FieldType::AutoInc)
            fl |= Qt::ItemIsEditable;
    }
    return fl;
}

void DataSetModel::OnReset()
{
    beginResetModel();
    m_rowCount = m_dataSet ? m_dataSet->FetchedCount() : 0;
    m_shownCurrent = m_dataSet ? m_dataSet->RecNo() : -1;
    endResetModel();
}

void DataSetModel::FetchAll()
{
    if (m_dataSet)
        m_dataSet->FetchAll();
}

bool DataSetModel::canFetchMore(const QModelIndex& parent) const
{
    // Not while views are being told of rows already read.
    return !parent.isValid() && m_dataSet && m_rowCount == m_dataSet->FetchedCount() &&
           m_dataSet->CanFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex& parent)
{
    // A few screens of rows at a time.
    constexpr int RowsPerFetch = 256;
    if (canFetchMore(parent))
        m_dataSet->FetchMore(RowsPerFetch);
}

void DataSetModel::OnRowChanged(int row)
{
    if (row >= 0 && row < m_rowCount && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, static_cast<int>(m_columns.size()) - 1));
}

void DataSetModel::OnRowInserted(int row)
{
    beginInsertRows({}, row, row);
    ++m_rowCount;
    endInsertRows();
}

void DataSetModel::OnRowsAppended(int first, int last)
{
    if (first != m_rowCount || last < first) {
        OnReset();
        return;
    }
    beginInsertRows({}, first, last);
    m_rowCount = last + 1;
    endInsertRows();
}

void DataSetModel::OnRowAboutToBeRemoved(int row)
{
    // Views may still read the row while they are told it goes.
    if (row < 0 || row >= m_rowCount)
        return;
    m_removing = true;
    beginRemoveRows({}, row, row);
}

void DataSetModel::OnRowRemoved(int)
{
    if (!m_removing) {
        OnReset();
        return;
    }
    --m_rowCount;
    m_removing = false;
    endRemoveRows();
}

void DataSetModel::OnCurrentChanged(int row)
{
    int previous = m_shownCurrent;
    m_shownCurrent = row;
    if (previous >= 0 && previous < m_rowCount)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < m_rowCount)
        emit headerDataChanged(Qt::Vertical, row, row);
}
