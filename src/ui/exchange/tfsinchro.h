// The exchange window: the buffer of meters, verifications and results exchanged with the KM350,
// its commands, the exchange engine on the port and timers it is given, and the exchange panel.
#pragma once

#include "exchange/bufferstore.h"
#include "exchange/exchangeengine.h"
#include "exchange/exchangehooks.h"
#include "exchange/exchangetimer.h"
#include "exchange/tracingport.h"
#include "widgets/mdichild.h"

#include <QPointer>

#include <functional>

class DataSetActions;
class DBGrid;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class SFFrame;
class TDM;

class TFSinchro : public MdiChild, private ExchangeHooks
{
    Q_OBJECT
  public:
    // The port and the timers (1000 ms device silence, 500 ms blinking) come from start-up, or
    // from a test; they must outlive the window.
    TFSinchro(TDM& dm, ExchangePort& port, ExchangeTimer& timerRequest, ExchangeTimer& timerColor,
              QWidget* parent = nullptr);
    ~TFSinchro() override;

    void SaveSettings(SettingsStore& store) const override;
    void RestoreSettings(SettingsStore& store);
    // The main window's save-as and select-all commands, offered by the grids' popup menu.
    void SetGridCommands(QAction* saveAs, QAction* selectAll);

    // The archive window's type and meter grids, whose selections the buffer transfers read.
    void SetArchiveGrids(DBGrid* tipGrid, DBGrid* identGrid);
    // Whether a drop from this grid onto the meter grid is accepted, and its transfer.
    bool DBGridTTipSinchDragOver(const DBGrid* source) const;
    void DBGridTTipSinchDragDrop(DBGrid* source);
    void ATransInTipExecute();
    void ATransIdentExecute();
    void AINArchivExecute();

    // Opens the buffer selection dialog; set by start-up, which creates the dialog.
    void SetBufferSelection(std::function<void()> open);
    void ASQLfromArchivExecute();

    // Refreshes "Количество - N "; other windows call it after they change the buffer.
    void UpdateMeterCount() override;

    // The exchange commands; each returns when the exchange panel has closed.
    void AINExecute();
    void AOUTExecute();
    void AINTableExecute();
    void AOUTTableExecute();
    void AClearExecute();
    void DataSetDelete1Execute();

    // The trace of the last exchange, one frame a line ("@" sent, "/" received).
    const QStringList& Trace() const { return Comm1.Lines(); }

    DBGrid* DBGridTTipSinch;
    DBGrid* DBGridSData;
    DBGrid* DBGridTResultSinch;
    QLabel* LabelNameCountSh;
    SFFrame* SFFramePanel;

    // Actions; the meter types window puts AINTable and AOUTTable on its own toolbar.
    QAction* ATransInTip;
    QAction* ATransIdent;
    QAction* ASQLfromArchiv;
    QAction* AIN;
    QAction* AOUT;
    QAction* AClear;
    QAction* AINArchiv;
    QAction* DataSetDelete1;
    QAction* DataSetFirst1;
    QAction* DataSetInsert1;
    QAction* DataSetLast1;
    QAction* DataSetNext1;
    QAction* DataSetPrior1;
    QAction* AINTable;
    QAction* AOUTTable;
    QAction* ASaveTrace;

  private:
    // ExchangeHooks
    bool StoreRecord(const DeviceRecord& values) override;
    void SetStatus(const QString& text, StatusColour colour) override;
    void ToggleStatusVisible() override;
    void ClosePanel() override;
    std::optional<MeterRow> NextMeterRow() override;
    std::optional<TypeRow> NextTypeRow() override;
    void RewindRows() override;
    QString RateSettingText() const override;

    void FormCreate();
    void BuildActions();
    QWidget* BuildToolDock();
    void BuildGrids();
    void OpenPort();
    // Sets the panel's texts, starts the exchange on the script and shows the panel modally.
    void ShowExchangePanel(const QStringList& script);
    void SFFrameClose();
    // Empties a buffer table with its view closed; a failure is reported and the view reopened.
    void EmptyTable(DataSet& view);
    void DBGridTTipSinchEnter(DBGrid* grid);
    void DBGridTTipSinchExit(DBGrid* grid);
    void ShowPopup(DBGrid* grid, const QPoint& pos);
    void ASaveTraceExecute();
    DataSet* ActionDataSet() const;
    // The grid that has the window's focus, itself or through its cell editor.
    DBGrid* FocusedGrid() const;

    TDM& m_dm;
    // The port as the window uses it: every byte crossing it goes into the trace.
    TracingPort Comm1;
    ExchangeTimer& TimerRequest;
    ExchangeTimer& TimerColor;
    ExchangeEngine m_engine;
    BufferStore m_store;
    QSplitter* m_split1;
    QSplitter* m_split2;
    QMenu* PMSinchro;
    QPointer<QAction> m_saveAs;
    QPointer<QAction> m_selectAll;
    QPointer<DBGrid> m_actionGrid; // the grid the dataset actions act on
    DataSetActions* m_rowCommands = nullptr;
    QPointer<DBGrid> m_archiveTipGrid;
    QPointer<DBGrid> m_archiveIdentGrid;
    QString m_refusedReason; // why the first refused record of the exchange was refused
    std::function<void()> m_openBufferSelection;
};

extern TFSinchro* FSinchro;
