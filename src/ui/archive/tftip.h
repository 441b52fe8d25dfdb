// The archive window: meter types, their meters, verifications and results in four linked grids;
// the drop target through which buffer data and external rows enter the archive.
#pragma once

#include "widgets/mdichild.h"

class DataSet;
class DataSetActions;
class DBGrid;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class SFCopy;
class SFCopyAfter;
class SFNewIdent;
class SFNewTip;
class TDM;

class TFTip : public MdiChild
{
    Q_OBJECT
  public:
    explicit TFTip(TDM& dm, QWidget* parent = nullptr);
    ~TFTip() override;
    void SaveSettings(SettingsStore& store) const override;
    void RestoreSettings(SettingsStore& store);
    // The main window's grid commands (select all, save as, print preview) for the popup menu.
    void AddPopupCommands(const QList<QAction*>& commands);

    DBGrid* DBGridTTip;
    DBGrid* DBGridTIdent;
    DBGrid* DBGridData;
    DBGrid* DBGridTResult;

    QToolBar* ToolBar;
    QAction* DataSetFirst1;
    QAction* DataSetPrior1;
    QAction* DataSetNext1;
    QAction* DataSetLast1;
    QAction* DataSetInsert1;
    QAction* DataSetDelete1;
    QAction* DataSetPost1;
    QAction* DataSetCancel1;
    QMenu* PopupMenu;

    SFNewTip* SFNewTipPanel;
    SFNewIdent* SFNewIdentPanel;
    SFCopy* SFCopyPanel;
    SFCopyAfter* SFCopyAfterPanel;

    // The grid that has the window's focus, if the focus is in one of the four grids.
    DBGrid* ActiveControlGrid() const;
    // The view the Post and Cancel actions act on: that of the grid entered last.
    DataSet* ActionDataSource() const { return m_dataSource; }
    // The toolbar button of the Insert action (disabled while the results grid was entered last).
    QToolButton* InsertButton() const;

    // Whether a drag from source may be dropped on target.
    bool DragOver(DBGrid* target, DBGrid* source) const;

  public slots:
    void DBGridTTipEnter(DBGrid* grid);
    void DBGridTTipExit(DBGrid* grid);
    void DataSetFirst1Execute();
    void DataSetPrior1Execute();
    void DataSetNext1Execute();
    void DataSetLast1Execute();
    void DataSetInsert1Execute();
    void DataSetPost1Execute();
    void DataSetCancel1Execute();
    void DataSetDelete1Execute();
    // A drop of source's rows on target.
    void DragDrop(DBGrid* target, DBGrid* source);
    // Buffer meters, buffer verifications and external rows chosen in their grids.
    void ATransIdent(DBGrid* source);
    void ATransResult(DBGrid* source);
    void ATransIdentSQL(DBGrid* source);

  private:
    void Navigate(bool (DataSet::*step)());
    // The Insert button, which follows the grid as well as the table.
    void UpdateActions();

    TDM& m_dm;
    QSplitter* m_split1; // upper area | results area
    QSplitter* m_split2; // types | meters
    QSplitter* m_split3; // verifications | results
    DataSet* m_dataSource;
    DBGrid* m_lastGrid = nullptr;
    DataSetActions* m_rowCommands = nullptr;
};

extern TFTip* FTip;
