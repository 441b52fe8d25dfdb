// Adapter that shows a dataset in a QTableView and writes edits back through the dataset.
#pragma once

#include "database/dataset.h"
#include "widgets/gridcolumn.h"

#include <QAbstractTableModel>
#include <QPointer>

class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    explicit DataSetModel(QObject* parent = nullptr);

    void SetDataSet(DataSet* dataSet, const QList<GridColumn>& columns = {});
    DataSet* GetDataSet() const { return m_dataSet; }
    const QList<GridColumn>& Columns() const { return m_columns; }
    void SetColumns(const QList<GridColumn>& columns);
    int FieldOfColumn(int column) const;
    // Between the dataset's two signals of a row deletion: the dataset, not the view, chooses the
    // current row afterwards.
    bool RemovingRow() const { return m_removing; }
    // Text shown in a cell (pick list, number and date formats applied).
    QString DisplayText(int row, int column) const;

    // Reads every row of a dataset that reads its rows on demand (select all, print, save).
    void FetchAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

  signals:
    // An edit was refused (a text that is no number): the message has been shown.
    void EditRefused();

  private:
    void OnReset();
    void OnRowChanged(int row);
    void OnRowInserted(int row);
    void OnRowAboutToBeRemoved(int row);
    void OnRowsAppended(int first, int last);
    void OnRowRemoved(int row);
    void OnCurrentChanged(int row);
    QList<GridColumn> DefaultColumns() const;

    QPointer<DataSet> m_dataSet;
    QList<GridColumn> m_columns;
    QList<int> m_fieldOfColumn;
    int m_rowCount = 0;
    int m_shownCurrent = -1;
    bool m_removing = false; // between the dataset's two signals of a row deletion
};
