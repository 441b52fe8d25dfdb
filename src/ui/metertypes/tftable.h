// The meter types window: the device type table, its fill from the archive and its exchange.
#pragma once

#include "widgets/mdichild.h"

#include <QStringList>

class DBGrid;
class QAction;
class QMenu;
class TDM;
class TableNewTipPanel;

class TFTable : public MdiChild
{
    Q_OBJECT
  public:
    // outTable, inTable: the exchange window's commands that read and load the type table.
    TFTable(TDM& dm, QAction* outTable, QAction* inTable, QWidget* parent = nullptr);
    void SaveSettings(SettingsStore& store) const override;
    void RestoreSettings(SettingsStore& store);
    // The main window's select-all and save-as, offered after the row commands of the popup menu.
    void AddPopupCommands(const QList<QAction*>& commands);

    DBGrid* DBGridTTable;
    TableNewTipPanel* SFNewTip;
    QAction* ASQLFromTable;
    QAction* AClear;
    QAction* DataSetFirst1;
    QAction* DataSetPrior1;
    QAction* DataSetNext1;
    QAction* DataSetLast1;
    QAction* DataSetInsert1;
    QAction* DataSetDelete1;
    QAction* DataSetPost1;
    QAction* DataSetCancel1;

    void ASQLFromTableExecute();
    void AClearExecute();
    void DataSetInsert1Execute();
    void DataSetDelete1Execute();

  private:
    // Runs statements on the device type table with its view closed; a failure is reported.
    void RunWithViewClosed(const QStringList& statements);

    TDM& m_dm;
    QMenu* m_popup;
};

extern TFTable* FTable;
