// The standard dataset commands of a window's toolbar, enabled as the table they act on allows.
#pragma once

#include <QObject>
#include <QPointer>

class DataSet;
class QAction;

class DataSetActions : public QObject
{
    Q_OBJECT
  public:
    // Any of the commands may be missing.
    struct Actions {
        QAction* first = nullptr;
        QAction* prior = nullptr;
        QAction* next = nullptr;
        QAction* last = nullptr;
        QAction* insert = nullptr;
        QAction* remove = nullptr;
        QAction* post = nullptr;
        QAction* cancel = nullptr;
    };

    explicit DataSetActions(const Actions& actions, QObject* parent = nullptr);

    // The table the commands act on now; they follow its state from here on.
    void SetDataSet(DataSet* dataSet);
    DataSet* GetDataSet() const { return m_dataSet; }

    // First and prior away from the first row, next and last away from the last, insert on an
    // open table, delete with rows, post and cancel while a row is being edited; all off without
    // a table.
    void Update();

  signals:
    // The commands' states were set again.
    void Updated();

  private:
    // The commands may go before the table does.
    QPointer<QAction> m_first, m_prior, m_next, m_last, m_insert, m_remove, m_post, m_cancel;
    QPointer<DataSet> m_dataSet;
};
