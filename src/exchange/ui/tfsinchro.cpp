// Exchange window: buffer grids.
#include "exchange/ui/tfsinchro.h"

#include "database/tdm.h"
#include "shell/ulang.h"
#include "widgets/dbgrid.h"

#include <QSplitter>

TFSinchro* FSinchro = nullptr;

TFSinchro::TFSinchro(TDM& dm, QWidget* parent)
    : MdiChild(ULang::ExchangeCaption, QStringLiteral("TFSinchro.REGEH"), parent), DBGridTTipSinch(new DBGrid),
      DBGridSData(new DBGrid), DBGridTResultSinch(new DBGrid), m_split1(new QSplitter(Qt::Vertical)),
      m_split2(new QSplitter(Qt::Horizontal))
{
    setObjectName(QStringLiteral("FSinchro"));
    DBGridTTipSinch->setObjectName(QStringLiteral("DBGridTTipSinch"));
    DBGridSData->setObjectName(QStringLiteral("DBGridSData"));
    DBGridTResultSinch->setObjectName(QStringLiteral("DBGridTResultSinch"));
    DBGridTTipSinch->SetDataSet(dm.ADOSinchro);
    DBGridSData->SetDataSet(dm.ADOSinchroData);
    DBGridTResultSinch->SetDataSet(dm.ADOSinchroResult);
    m_split2->addWidget(DBGridSData);
    m_split2->addWidget(DBGridTResultSinch);
    m_split1->addWidget(DBGridTTipSinch);
    m_split1->addWidget(m_split2);
    setWidget(m_split1);
    for (DBGrid* g : {DBGridTTipSinch, DBGridSData, DBGridTResultSinch})
        TrackGrid(g);
    resize(700, 480);
    if (!FSinchro)
        FSinchro = this;
}

void TFSinchro::RestoreSettings(SettingsStore& store)
{
    RestoreSplitter(store, m_split1, QStringLiteral("Panel1.panelBase.abcSplitBar1.Pos"));
    RestoreSplitter(store, m_split2, QStringLiteral("Panel1.panelBase.PanelSinchro.abcSplitBar2.Pos"));
}

void TFSinchro::SaveSettings(SettingsStore& store) const
{
    SaveSplitter(store, m_split1, QStringLiteral("Panel1.panelBase.abcSplitBar1.Pos"));
    SaveSplitter(store, m_split2, QStringLiteral("Panel1.panelBase.PanelSinchro.abcSplitBar2.Pos"));
}
