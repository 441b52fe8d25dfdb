// The data grid of every window: a table view bound to a dataset, with marked rows or select-all,
// title-click sorting, pick lists, a draw-cell hook, drags that name their source, focus signals.
#pragma once

#include "widgets/datasetmodel.h"

#include <QTableView>
#include <functional>

class DataSet;
class QMimeData;

// MIME type of a drag started in a data grid; the data is the source grid's object name.
inline constexpr const char* GridDragMimeType = "application/x-km350-grid";

class DBGrid : public QTableView
{
    Q_OBJECT
  public:
    enum class SelectionKind { None, Rows, All };
    enum class SortMarker { None, Down, Up };

    explicit DBGrid(QWidget* parent = nullptr);

    void SetDataSet(DataSet* dataSet, const QList<GridColumn>& columns = {});
    DataSet* GetDataSet() const { return m_model->GetDataSet(); }
    DataSetModel* Model() const { return m_model; }

    // Selection: rows marked with Ctrl/Shift and the mouse, or every row after SelectAll.
    SelectionKind Selection() const;
    QList<qint64> SelectedBookmarks() const; // marked rows in grid order
    QList<int> SelectedRowNumbers() const;   // marked rows, or every row for select-all
    void SelectAllRows();
    void ClearRowSelection();

    // Title-click sorting: the marker cycles none -> down -> up -> down; down sorts ascending.
    void SetTitleSort(bool enabled) { m_titleSort = enabled; }
    SortMarker Marker(int column) const
    {
        return column == m_sortColumn ? m_marker : SortMarker::None;
    }
    // Turns the sort text of a click ("PTipCH ASC") into what the dataset gets; default unchanged.
    std::function<QString(const QString&)> SortTextHook;
    // Simulates a click on a column title (also used by the title clicks themselves).
    void ClickTitle(int column);

    // Draw-cell hook: return true when the cell was drawn.
    std::function<bool(QPainter*, const QStyleOptionViewItem&, const QModelIndex&)> DrawCellHook;

    // Starts a drag's data: sets DragHasRows from the view and names this grid as the source.
    QMimeData* PrepareDrag();

    // Accepts rows dragged from other data grids when the check approves their source grid; the
    // handler runs once the drag has ended, outside the drag's own event loop.
    void AcceptGridDrops(std::function<bool(DBGrid* source)> accepts,
                         std::function<void(DBGrid* source)> dropped);

    // Column widths and order for the settings store.
    QList<int> ColumnWidths() const;
    void SetColumnWidths(const QList<int>& widths);
    QList<int> ColumnOrder() const;
    void SetColumnOrder(const QList<int>& order);

  signals:
    void GridEnter(DBGrid* grid);
    void GridExit(DBGrid* grid);
    void DragStarted(DBGrid* grid);
    void SortChanged(const QString& sortText);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void SyncCurrentFromDataSet();
    void ApplyColumnLayout();

    // Whether a drop event comes from an approved grid; accepts or ignores it.
    DBGrid* CheckDrop(QDropEvent* event);

    DataSetModel* m_model;
    std::function<bool(DBGrid*)> m_dropAccepts;
    std::function<void(DBGrid*)> m_dropped;
    bool m_titleSort = true;
    int m_sortColumn = -1;
    SortMarker m_marker = SortMarker::None;
    bool m_allSelected = false;
    bool m_syncing = false;
};
