// Data grid behaviour on top of QTableView.
#include "widgets/dbgrid.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/dataset.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTimer>

namespace
{

// Draws through the grid's hook, and edits pick-list columns with a drop-down list.
class GridDelegate : public QStyledItemDelegate
{
  public:
    explicit GridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        DataSet* ds = m_grid->GetDataSet();
        // The current row is tinted so it stays visible without being a marked row.
        if (ds && index.row() == ds->RecNo() && !(opt.state & QStyle::State_Selected))
            painter->fillRect(opt.rect, opt.palette.alternateBase());
        if (m_grid->DrawCellHook && m_grid->DrawCellHook(painter, opt, index))
            return;
        QStyledItemDelegate::paint(painter, opt, index);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        const GridColumn& col = m_grid->Model()->Columns().at(index.column());
        if (col.pickList.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        QStringList seen;
        for (const auto& item : col.pickList) {
            if (!seen.contains(item.second)) {
                box->addItem(item.second);
                seen << item.second;
            }
        }
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentText(index.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

  private:
    DBGrid* m_grid;
};

} // namespace

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DataSetModel(this))
{
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(18);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicatorShown(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DBGrid::ClickTitle);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_allSelected = false;
        SyncCurrentFromDataSet();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DBGrid::SyncCurrentFromDataSet);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &DBGrid::SyncCurrentFromDataSet);
    connect(m_model, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation o, int, int) {
                if (o == Qt::Vertical)
                    SyncCurrentFromDataSet();
            });
}

void DBGrid::SetDataSet(DataSet* dataSet, const QList<GridColumn>& columns)
{
    m_model->SetDataSet(dataSet, columns);
    m_sortColumn = -1;
    m_marker = SortMarker::None;
    horizontalHeader()->setSortIndicatorShown(false);
    ApplyColumnLayout();
    if (model()->columnCount() > 0) {
        setAccessibleName(model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString());
    }
}

void DBGrid::ApplyColumnLayout()
{
    const QList<GridColumn>& cols = m_model->Columns();
    for (int c = 0; c < cols.size(); ++c) {
        if (cols.at(c).width > 0)
            setColumnWidth(c, cols.at(c).width);
    }
}

DBGrid::SelectionKind DBGrid::Selection() const
{
    if (m_allSelected)
        return SelectionKind::All;
    return selectionModel()->selectedRows().isEmpty() ? SelectionKind::None : SelectionKind::Rows;
}

QList<int> DBGrid::SelectedRowNumbers() const
{
    QList<int> rows;
    if (m_allSelected) {
        for (int r = 0; r < m_model->rowCount(); ++r)
            rows << r;
        return rows;
    }
    for (const QModelIndex& i : selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<qint64> DBGrid::SelectedBookmarks() const
{
    QList<qint64> marks;
    DataSet* ds = GetDataSet();
    if (!ds)
        return marks;
    for (int r : SelectedRowNumbers())
        marks << ds->BookmarkAt(r);
    return marks;
}

void DBGrid::SelectAllRows()
{
    DataSet* ds = GetDataSet();
    // Every row means every row: those of a table still arriving are read first.
    if (!ds || !ds->FetchAll() || !ds->Active() || ds->IsEmpty())
        return;
    m_allSelected = true;
    QTableView::selectAll();
}

void DBGrid::ClearRowSelection()
{
    m_allSelected = false;
    clearSelection();
}

QItemSelectionModel::SelectionFlags DBGrid::selectionCommand(const QModelIndex& index,
                                                             const QEvent* event) const
{
    // Rows are marked only with Ctrl or Shift; a plain click or key just moves the current row.
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (event) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::MouseButtonDblClick:
            mods = static_cast<const QMouseEvent*>(event)->modifiers();
            break;
        case QEvent::KeyPress:
            mods = static_cast<const QKeyEvent*>(event)->modifiers();
            break;
        default:
            break;
        }
    }
    if (mods & (Qt::ControlModifier | Qt::ShiftModifier)) {
        const_cast<DBGrid*>(this)->m_allSelected = false;
        return QTableView::selectionCommand(index, event);
    }
    if (event && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        const_cast<DBGrid*>(this)->m_allSelected = false;
        return QItemSelectionModel::Clear;
    }
    return QItemSelectionModel::NoUpdate;
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    DataSet* ds = GetDataSet();
    if (m_syncing || m_model->RemovingRow() || !ds || !current.isValid() ||
        current.row() == ds->RecNo())
        return;
    bool moved = false;
    try {
        moved = ds->MoveTo(current.row());
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
    if (!moved)
        SyncCurrentFromDataSet(); // the pending row could not be posted: stay on it
}

void DBGrid::SyncCurrentFromDataSet()
{
    DataSet* ds = GetDataSet();
    if (!ds || m_syncing)
        return;
    int row = ds->RecNo();
    QModelIndex cur = currentIndex();
    if (row < 0 || row >= m_model->rowCount()) {
        viewport()->update();
        return;
    }
    if (cur.isValid() && cur.row() == row)
        return;
    m_syncing = true;
    int column = cur.isValid() ? cur.column() : 0;
    selectionModel()->setCurrentIndex(m_model->index(row, column), QItemSelectionModel::NoUpdate);
    scrollTo(m_model->index(row, column));
    m_syncing = false;
    viewport()->update();
}

void DBGrid::ClickTitle(int column)
{
    if (!m_titleSort || column < 0 || column >= m_model->columnCount())
        return;
    DataSet* ds = GetDataSet();
    if (!ds)
        return;
    if (column != m_sortColumn) {
        m_sortColumn = column;
        m_marker = SortMarker::Down;
    } else {
        m_marker = m_marker == SortMarker::Down ? SortMarker::Up : SortMarker::Down;
    }
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(
        column, m_marker == SortMarker::Down ? Qt::AscendingOrder : Qt::DescendingOrder);
    QString text =
        m_model->Columns().at(column).field +
        (m_marker == SortMarker::Down ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    if (SortTextHook)
        text = SortTextHook(text);
    ds->SetSort(text);
    emit SortChanged(text);
}

void DBGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    emit GridEnter(this);
}

void DBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // Losing the focus to an editor of this very grid is no exit.
    QWidget* next = QApplication::focusWidget();
    if (next && isAncestorOf(next))
        return;
    emit GridExit(this);
}

QMimeData* DBGrid::PrepareDrag()
{
    DataSet* ds = GetDataSet();
    DragHasRows = ds && ds->Active() && !ds->IsEmpty();
    emit DragStarted(this);
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(GridDragMimeType), objectName().toUtf8());
    return mime;
}

void DBGrid::startDrag(Qt::DropActions supportedActions)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(PrepareDrag());
    drag->exec(supportedActions & (Qt::CopyAction | Qt::MoveAction) ? Qt::CopyAction
                                                                    : supportedActions);
}

void DBGrid::AcceptGridDrops(std::function<bool(DBGrid*)> accepts,
                             std::function<void(DBGrid*)> dropped)
{
    m_dropAccepts = std::move(accepts);
    m_dropped = std::move(dropped);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
}

DBGrid* DBGrid::CheckDrop(QDropEvent* event)
{
    auto* source = qobject_cast<DBGrid*>(event->source());
    bool gridDrag =
        event->mimeData() && event->mimeData()->hasFormat(QLatin1String(GridDragMimeType));
    if (!gridDrag || !m_dropAccepts || !m_dropAccepts(source)) {
        event->ignore();
        return nullptr;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return source;
}

void DBGrid::dragEnterEvent(QDragEnterEvent* event)
{
    CheckDrop(event);
}

void DBGrid::dragMoveEvent(QDragMoveEvent* event)
{
    CheckDrop(event);
}

void DBGrid::dropEvent(QDropEvent* event)
{
    QPointer<DBGrid> source(CheckDrop(event));
    if (!source || !m_dropped)
        return;
    QTimer::singleShot(0, this, [this, source] {
        if (source && m_dropped)
            m_dropped(source);
    });
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    DataSet* ds = GetDataSet();
    if (ds && event->key() == Qt::Key_Escape && state() != QAbstractItemView::EditingState &&
        ds->GetState() != DataSet::State::Browse) {
        ds->Cancel();
        return;
    }
    QTableView::keyPressEvent(event);
}

QList<int> DBGrid::ColumnWidths() const
{
    QList<int> widths;
    for (int c = 0; c < m_model->columnCount(); ++c)
        widths << columnWidth(c);
    return widths;
}

void DBGrid::SetColumnWidths(const QList<int>& widths)
{
    for (int c = 0; c < widths.size() && c < m_model->columnCount(); ++c) {
        if (widths.at(c) > 0)
            setColumnWidth(c, widths.at(c));
    }
}

QList<int> DBGrid::ColumnOrder() const
{
    QList<int> order;
    for (int v = 0; v < m_model->columnCount(); ++v)
        order << horizontalHeader()->logicalIndex(v);
    return order;
}

void DBGrid::SetColumnOrder(const QList<int>& order)
{
    if (order.size() != m_model->columnCount())
        return;
    for (int v = 0; v < order.size(); ++v) {
        int logical = order.at(v);
        if (logical < 0 || logical >= m_model->columnCount())
            return;
        horizontalHeader()->moveSection(horizontalHeader()->visualIndex(logical), v);
    }
}
