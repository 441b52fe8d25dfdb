// Archive window: four linked grids over the archive views.
#include "archive/tftip.h"

#include "database/tdm.h"
#include "shell/ulang.h"
#include "widgets/dbgrid.h"

#include <QSplitter>
#include <QVBoxLayout>

TFTip* FTip = nullptr;

TFTip::TFTip(TDM& dm, QWidget* parent)
    : MdiChild(ULang::ArchiveCaption, QStringLiteral("Archiv"), parent), DBGridTTip(new DBGrid),
      DBGridTIdent(new DBGrid), DBGridTData(new DBGrid), DBGridTResult(new DBGrid),
      m_split1(new QSplitter(Qt::Vertical)), m_split2(new QSplitter(Qt::Horizontal)),
      m_split3(new QSplitter(Qt::Horizontal))
{
    setObjectName(QStringLiteral("FTip"));
    DBGridTTip->setObjectName(QStringLiteral("DBGridTTip"));
    DBGridTIdent->setObjectName(QStringLiteral("DBGridTIdent"));
    DBGridTData->setObjectName(QStringLiteral("DBGridTData"));
    DBGridTResult->setObjectName(QStringLiteral("DBGridTResult"));
    DBGridTTip->SetDataSet(dm.ADOTip);
    DBGridTIdent->SetDataSet(dm.ADOIdent);
    DBGridTData->SetDataSet(dm.ADOData);
    DBGridTResult->SetDataSet(dm.ADOResult);
    m_split2->addWidget(DBGridTTip);
    m_split2->addWidget(DBGridTIdent);
    m_split3->addWidget(DBGridTData);
    m_split3->addWidget(DBGridTResult);
    m_split3->setSizes({200, 600});
    m_split1->addWidget(m_split2);
    m_split1->addWidget(m_split3);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_split1);
    setWidget(body);
    for (DBGrid* g : {DBGridTTip, DBGridTIdent, DBGridTData, DBGridTResult})
        TrackGrid(g);
    resize(800, 520);
    if (!FTip)
        FTip = this;
}

void TFTip::RestoreSettings(SettingsStore& store)
{
    RestoreSplitter(store, m_split1, QStringLiteral("PanelBase.abcSplitBar1.Pos"));
    RestoreSplitter(store, m_split3, QStringLiteral("PanelBase.PanelResult.Panel1.abcSplitBar3.Pos"));
    RestoreSplitter(store, m_split2, QStringLiteral("PanelBase.PanelTipSinchro.abcSplitBar2.Pos"));
}

void TFTip::SaveSettings(SettingsStore& store) const
{
    SaveSplitter(store, m_split1, QStringLiteral("PanelBase.abcSplitBar1.Pos"));
    SaveSplitter(store, m_split3, QStringLiteral("PanelBase.PanelResult.Panel1.abcSplitBar3.Pos"));
    SaveSplitter(store, m_split2, QStringLiteral("PanelBase.PanelTipSinchro.abcSplitBar2.Pos"));
}
