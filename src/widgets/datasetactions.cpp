// Enabled states of the dataset commands.
#include "widgets/datasetactions.h"

#include "database/dataset.h"

#include <QAction>

DataSetActions::DataSetActions(const Actions& actions, QObject* parent)
    : QObject(parent), m_first(actions.first), m_prior(actions.prior), m_next(actions.next),
      m_last(actions.last), m_insert(actions.insert), m_remove(actions.remove),
      m_post(actions.post), m_cancel(actions.cancel)
{
    Update();
}

void DataSetActions::SetDataSet(DataSet* dataSet)
{
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    if (m_dataSet) {
        for (auto signal : {&DataSet::StateChanged, &DataSet::Reset})
            connect(m_dataSet, signal, this, &DataSetActions::Update);
        for (auto signal : {&DataSet::CurrentChanged, &DataSet::RowInserted, &DataSet::RowRemoved})
            connect(m_dataSet, signal, this, &DataSetActions::Update);
    }
    Update();
}

void DataSetActions::Update()
{
    DataSet* ds = m_dataSet;
    const bool active = ds && ds->Active();
    const bool editing = active && (ds->GetState() == DataSet::State::Edit ||
                                    ds->GetState() == DataSet::State::Insert);
    const int rows = active ? ds->RecordCount() : 0;
    const int row = active ? ds->RecNo() : -1;
    auto enable = [](QAction* a, bool on) {
        if (a)
            a->setEnabled(on);
    };
    enable(m_first, active && row > 0);
    enable(m_prior, active && row > 0);
    enable(m_next, active && row >= 0 && row < rows - 1);
    enable(m_last, active && row >= 0 && row < rows - 1);
    enable(m_insert, active);
    enable(m_remove, active && rows > 0);
    enable(m_post, editing);
    enable(m_cancel, editing);
    emit Updated();
}
