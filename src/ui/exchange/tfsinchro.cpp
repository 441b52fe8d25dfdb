// Exchange window: buffer grids, exchange commands, the engine's hooks and the exchange panel.
#include "ui/exchange/tfsinchro.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/deleteselectedrows.h"
#include "database/tdm.h"
#include "transfer/archivetransfer.h"
#include "transfer/buffertransfer.h"
#include "ui/exchange/sfframe.h"
#include "widgets/captionstrip.h"
#include "widgets/datasetactions.h"
#include "widgets/dbgrid.h"
#include "widgets/gridselection.h"
#include "widgets/mainwindowlink.h"
#include "widgets/overlimitcell.h"
#include "widgets/transferprogressdialog.h"

#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TFSinchro* FSinchro = nullptr;

namespace
{

constexpr int MaxMeters = 100;
constexpr int MaxTypes = 20;
const QString Splitter1Key = QStringLiteral("Panel1.panelBase.abcSplitBar1.Pos");
const QString Splitter2Key = QStringLiteral("Panel1.panelBase.PanelSinchro.abcSplitBar2.Pos");

// In the Symbol font the letter d shows as the Greek delta; here the delta is written out.
QString SymbolFontText(const QString& text)
{
    QString t = text;
    return t.replace(QLatin1Char('d'), QChar(0x03B4));
}

// The meter constant of the current row as the device gets it; an empty one stays empty rather
// than reading as 0.
std::optional<long double> Constant(DataSet& ds)
{
    const Field field = ds.FieldByName(QStringLiteral("PReductRate"));
    if (field.IsNull())
        return std::nullopt;
    return static_cast<long double>(field.AsFloat());
}

} // namespace

TFSinchro::TFSinchro(TDM& dm, ExchangePort& port, ExchangeTimer& timerRequest,
                     ExchangeTimer& timerColor, QWidget* parent)
    : MdiChild(ULang::ExchangeCaption, QStringLiteral("TFSinchro.REGEH"), parent),
      DBGridTTipSinch(new DBGrid), DBGridSData(new DBGrid), DBGridTResultSinch(new DBGrid),
      LabelNameCountSh(new QLabel), SFFramePanel(new SFFrame(this)), m_dm(dm), Comm1(port),
      TimerRequest(timerRequest), TimerColor(timerColor),
      m_engine(Comm1, TimerRequest, TimerColor, *this),
      m_store(*dm.ADOSinchro, *dm.ADOSinchroData, *dm.ADOSinchroResult, *dm.ADOTableTip),
      m_split1(new QSplitter(Qt::Vertical)), m_split2(new QSplitter(Qt::Horizontal)),
      PMSinchro(new QMenu(this))
{
    setObjectName(QStringLiteral("FSinchro"));
    BuildActions();
    BuildGrids();

    // Meter panel: header with the count, then the meter grid.
    auto* panelTip = new QWidget;
    panelTip->setObjectName(QStringLiteral("PanelTip"));
    auto* tipLayout = new QVBoxLayout(panelTip);
    tipLayout->setContentsMargins(0, 0, 0, 0);
    tipLayout->setSpacing(0);
    LabelNameCountSh->setObjectName(QStringLiteral("LabelNameCountSh"));
    LabelNameCountSh->setFont(CaptionFont());
    tipLayout->addWidget(CaptionStrip(CaptionLabel(ULang::MetersHeader), LabelNameCountSh));
    tipLayout->addWidget(DBGridTTipSinch, 1);

    // Result panel: header, then verifications | results.
    auto* panelSinchro = new QWidget;
    panelSinchro->setObjectName(QStringLiteral("PanelSinchro"));
    auto* resLayout = new QVBoxLayout(panelSinchro);
    resLayout->setContentsMargins(0, 0, 0, 0);
    resLayout->setSpacing(0);
    resLayout->addWidget(CaptionStrip(CaptionLabel(ULang::ResultsHeader)));
    m_split2->setObjectName(QStringLiteral("abcSplitBar2"));
    m_split2->addWidget(DBGridSData);
    m_split2->addWidget(DBGridTResultSinch);
    m_split2->setStretchFactor(1, 1);
    m_split2->setSizes({289, 400});
    resLayout->addWidget(m_split2, 1);

    m_split1->setObjectName(QStringLiteral("abcSplitBar1"));
    m_split1->addWidget(panelTip);
    m_split1->addWidget(panelSinchro);
    m_split1->setStretchFactor(1, 1);
    m_split1->setSizes({143, 300});

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolDock());
    layout->addWidget(m_split1, 1);
    setWidget(body);

    connect(SFFramePanel, &SFFrame::CancelRequested, this, [this] { m_engine.FinishExchange(); });
    resize(700, 480);
    FormCreate();
    if (!FSinchro)
        FSinchro = this;
}

TFSinchro::~TFSinchro()
{
    // The engine may still be waiting on the port; nothing it does may reach a half-destroyed
    // window.
    m_engine.PausePolling();
    TimerRequest.Stop();
    TimerColor.Stop();
    m_rowCommands->SetDataSet(nullptr);
    // The grids die after this part of the window and report their focus loss on the way.
    for (DBGrid* g : {DBGridTTipSinch, DBGridSData, DBGridTResultSinch})
        disconnect(g, nullptr, this, nullptr);
    if (FSinchro == this)
        FSinchro = nullptr;
}

void TFSinchro::FormCreate()
{
    // The port number follows the main window's setting at each command (OpenPort); until then
    // the port stays closed.
    m_engine.PausePolling();
    UpdateMeterCount();
}

void TFSinchro::BuildActions()
{
    QStyle* st = style();
    auto make = [this](const QString& name, const QString& caption, const QString& hint,
                       const QIcon& icon) {
        auto* a = new QAction(icon, caption, this);
        a->setObjectName(name);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        return a;
    };
    ATransInTip =
        make(QStringLiteral("ATransInTip"), QStringLiteral("ATransInTip"), QString(), QIcon());
    ATransIdent =
        make(QStringLiteral("ATransIdent"), QStringLiteral("ATransIdent"), QString(), QIcon());
    ASQLfromArchiv =
        make(QStringLiteral("ASQLfromArchiv"), ULang::SelectMetersFromArchive,
             ULang::SelectMetersFromArchive, st->standardIcon(QStyle::SP_FileDialogContentsView));
    AIN = make(QStringLiteral("AIN"), ULang::LoadIntoDevice, ULang::LoadIntoDevice,
               st->standardIcon(QStyle::SP_ArrowUp));
    AOUT = make(QStringLiteral("AOUT"), ULang::ReadFromDevice, ULang::ReadFromDevice,
                st->standardIcon(QStyle::SP_ArrowDown));
    AClear = make(QStringLiteral("AClear"), ULang::ClearBuffer, ULang::ClearBuffer,
                  st->standardIcon(QStyle::SP_TrashIcon));
    AINArchiv = make(QStringLiteral("AINArchiv"), ULang::ResultsToArchive, ULang::ResultsToArchive,
                     st->standardIcon(QStyle::SP_DialogSaveButton));
    DataSetDelete1 = make(QStringLiteral("DataSetDelete1"), ULang::DeleteRecord,
                          ULang::DeleteRecord, st->standardIcon(QStyle::SP_DialogDiscardButton));
    DataSetDelete1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    DataSetDelete1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    DataSetFirst1 = make(QStringLiteral("DataSetFirst1"), QStringLiteral("&First"),
                         ULang::FirstRecord, st->standardIcon(QStyle::SP_MediaSkipBackward));
    DataSetPrior1 = make(QStringLiteral("DataSetPrior1"), QStringLiteral("&Prior"),
                         ULang::PriorRecord, st->standardIcon(QStyle::SP_MediaSeekBackward));
    DataSetNext1 = make(QStringLiteral("DataSetNext1"), QStringLiteral("&Next"), ULang::NextRecord,
                        st->standardIcon(QStyle::SP_MediaSeekForward));
    DataSetLast1 = make(QStringLiteral("DataSetLast1"), QStringLiteral("&Last"), ULang::LastRecord,
                        st->standardIcon(QStyle::SP_MediaSkipForward));
    DataSetInsert1 = make(QStringLiteral("DataSetInsert1"), QStringLiteral("&Insert"),
                          ULang::AddRecord, st->standardIcon(QStyle::SP_FileIcon));
    DataSetInsert1->setShortcut(QKeySequence(Qt::Key_Insert));
    DataSetInsert1->setVisible(false);
    AINTable = make(QStringLiteral("AINTable"), ULang::LoadIntoDevice, ULang::LoadIntoDevice,
                    st->standardIcon(QStyle::SP_ArrowUp));
    AOUTTable = make(QStringLiteral("AOUTTable"), ULang::ReadFromDevice, ULang::ReadFromDevice,
                     st->standardIcon(QStyle::SP_ArrowDown));
    ASaveTrace = make(QStringLiteral("ASaveTrace"), ULang::SaveTrace, ULang::SaveTrace, QIcon());

    // Enabled once start-up hands over the buffer selection dialog.
    ASQLfromArchiv->setEnabled(false);
    connect(ASQLfromArchiv, &QAction::triggered, this, &TFSinchro::ASQLfromArchivExecute);
    // The drag transfers work on the archive window's grids once they are known.
    ATransInTip->setEnabled(false);
    ATransIdent->setEnabled(false);
    connect(ATransInTip, &QAction::triggered, this, &TFSinchro::ATransInTipExecute);
    connect(ATransIdent, &QAction::triggered, this, &TFSinchro::ATransIdentExecute);
    connect(AINArchiv, &QAction::triggered, this, &TFSinchro::AINArchivExecute);

    connect(AIN, &QAction::triggered, this, &TFSinchro::AINExecute);
    connect(AOUT, &QAction::triggered, this, &TFSinchro::AOUTExecute);
    connect(AINTable, &QAction::triggered, this, &TFSinchro::AINTableExecute);
    connect(AOUTTable, &QAction::triggered, this, &TFSinchro::AOUTTableExecute);
    connect(AClear, &QAction::triggered, this, &TFSinchro::AClearExecute);
    connect(DataSetDelete1, &QAction::triggered, this, &TFSinchro::DataSetDelete1Execute);
    connect(ASaveTrace, &QAction::triggered, this, &TFSinchro::ASaveTraceExecute);
    auto navigate = [this](bool (DataSet::*step)()) {
        return [this, step] {
            if (DataSet* ds = ActionDataSet(); ds && ds->Active())
                (ds->*step)();
        };
    };
    connect(DataSetFirst1, &QAction::triggered, this, navigate(&DataSet::First));
    connect(DataSetPrior1, &QAction::triggered, this, navigate(&DataSet::Prior));
    connect(DataSetNext1, &QAction::triggered, this, navigate(&DataSet::Next));
    connect(DataSetLast1, &QAction::triggered, this, navigate(&DataSet::Last));
    connect(DataSetInsert1, &QAction::triggered, this, navigate(&DataSet::Append));
    addAction(DataSetDelete1);
    addAction(DataSetInsert1);
    // The row commands follow the state of the table of the grid entered last.
    m_rowCommands = new DataSetActions({.first = DataSetFirst1,
                                        .prior = DataSetPrior1,
                                        .next = DataSetNext1,
                                        .last = DataSetLast1,
                                        .insert = DataSetInsert1,
                                        .remove = DataSetDelete1},
                                       this);
}

QWidget* TFSinchro::BuildToolDock()
{
    auto* dock = new QWidget;
    dock->setObjectName(QStringLiteral("TBDock"));
    auto* l = new QHBoxLayout(dock);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);

    auto* menuBar = new QToolBar;
    menuBar->setObjectName(QStringLiteral("TBMenuSinchro"));
    auto* menu = new QMenu(ULang::ExchangeCaption, this);
    menu->addAction(AOUT);
    menu->addAction(AIN);
    menu->addAction(ASQLfromArchiv);
    menu->addAction(AClear);
    menu->addAction(AINArchiv);
    menu->addSeparator();
    menu->addAction(ASaveTrace);
    auto* menuButton = new QToolButton;
    menuButton->setObjectName(QStringLiteral("TBMenuButton"));
    menuButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    menuButton->setMenu(menu);
    menuButton->setPopupMode(QToolButton::InstantPopup);
    menuButton->setToolTip(ULang::ExchangeCaption);
    menuButton->setAccessibleName(ULang::ExchangeCaption);
    menuButton->setFocusPolicy(Qt::NoFocus);
    menuBar->addWidget(menuButton);

    auto* instruments = new QToolBar;
    instruments->setObjectName(QStringLiteral("TBInstrument"));
    for (QAction* a : {AOUT, AIN, ASQLfromArchiv, AClear, AINArchiv})
        instruments->addAction(a);

    auto* navigation = new QToolBar;
    navigation->setObjectName(QStringLiteral("TBNavigation"));
    for (QAction* a :
         {DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1, DataSetInsert1, DataSetDelete1})
        navigation->addAction(a);

    for (QToolBar* bar : {menuBar, instruments, navigation}) {
        bar->setIconSize(QSize(18, 18));
        bar->setMovable(false);
        bar->setFloatable(false);
        // Toolbar buttons leave the focus in the grid the dataset commands act on.
        for (QAction* a : bar->actions())
            if (QWidget* w = bar->widgetForAction(a))
                w->setFocusPolicy(Qt::NoFocus);
        l->addWidget(bar);
    }
    l->insertStretch(2, 1);
    return dock;
}

void TFSinchro::BuildGrids()
{
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridTTipSinch->setObjectName(QStringLiteral("DBGridTTipSinch"));
    // Archive types and meters dropped here go into the buffer.
    DBGridTTipSinch->AcceptGridDrops(
        [this](DBGrid* source) { return DBGridTTipSinchDragOver(source); },
        [this](DBGrid* source) { DBGridTTipSinchDragDrop(source); });
    DBGridTTipSinch->SetDataSet(
        m_dm.ADOSinchro,
        {{.field = QStringLiteral("PTipCH"), .width = 60, .hint = ULang::MeterType},
         {.field = QStringLiteral("PReductRate"), .width = 85, .hint = ULang::MeterConstant},
         {.field = QStringLiteral("PNumber"),
          .width = 60,
          .alignment = right,
          .hint = ULang::SerialNumberHint},
         {.field = QStringLiteral("PAddress"),
          .width = 100,
          .alignment = right,
          .hint = ULang::MeterAddressHint}});

    DBGridSData->setObjectName(QStringLiteral("DBGridSData"));
    DBGridSData->SetDataSet(m_dm.ADOSinchroData, {{.field = QStringLiteral("PDateMeasure"),
                                                   .title = ULang::DateTitle,
                                                   .width = 70,
                                                   .alignment = centre,
                                                   .hint = ULang::DateTitle},
                                                  {.field = QStringLiteral("PSamohod"),
                                                   .title = ULang::Creep,
                                                   .width = 60,
                                                   .alignment = centre,
                                                   .hint = ULang::Creep,
                                                   .pickList = SamohodPickList()},
                                                  {.field = QStringLiteral("PUSamohod"),
                                                   .title = ULang::VoltageShort,
                                                   .width = 50,
                                                   .alignment = centre,
                                                   .hint = ULang::VoltageShort},
                                                  {.field = QStringLiteral("POrmix"),
                                                   .title = ULang::MeterReading,
                                                   .width = 100,
                                                   .alignment = centre,
                                                   .hint = ULang::MeterReading}});

    DBGridTResultSinch->setObjectName(QStringLiteral("DBGridTResultSinch"));
    DBGridTResultSinch->SetDataSet(m_dm.ADOSinchroResult,
                                   {{.field = QStringLiteral("PUMeasure"),
                                     .width = 60,
                                     .alignment = centre,
                                     .hint = ULang::VoltageHint},
                                    {.field = QStringLiteral("PIMeasure"),
                                     .width = 60,
                                     .alignment = centre,
                                     .hint = ULang::CurrentHint},
                                    {.field = QStringLiteral("PPowerMeasure"),
                                     .width = 70,
                                     .alignment = centre,
                                     .hint = ULang::PowerHint},
                                    {.field = QStringLiteral("PFPMeasure"),
                                     .title = ULang::PowerFactorShort,
                                     .width = 60,
                                     .alignment = centre,
                                     .hint = ULang::PowerFactor},
                                    {.field = QStringLiteral("PMistakeMeasure"),
                                     .title = SymbolFontText(ULang::MeterErrorShort),
                                     .width = 60,
                                     .alignment = centre,
                                     .hint = ULang::MeterErrorHint}});

    // Only the meter grid sorts by title; only the meter and verification grids start drags.
    DBGridSData->SetTitleSort(false);
    DBGridTResultSinch->SetTitleSort(false);
    DBGridTResultSinch->setDragEnabled(false);

    DBGridTResultSinch->DrawCellHook = [grid = DBGridTResultSinch](
                                           QPainter* painter, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) {
        DataSetModel* model = grid->Model();
        const int field = model->FieldOfColumn(index.column());
        DataSet* ds = model->GetDataSet();
        if (field < 0 || !ds || ds->FieldDefAt(field).name != QLatin1String("PMistakeMeasure") ||
            !OverLimitCell::IsOverLimit(ds->Value(index.row(), field)))
            return false;
        OverLimitCell::Paint(painter, option);
        return true;
    };

    // Column widths follow the grid: the last meter column takes the rest, the result columns share
    // it.
    DBGridSData->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    DBGridTResultSinch->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (DBGrid* g : {DBGridTTipSinch, DBGridSData, DBGridTResultSinch}) {
        g->horizontalHeader()->setStretchLastSection(true);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, this,
                [this, g](const QPoint& pos) { ShowPopup(g, pos); });
        connect(g, &DBGrid::GridEnter, this, &TFSinchro::DBGridTTipSinchEnter);
        connect(g, &DBGrid::GridExit, this, &TFSinchro::DBGridTTipSinchExit);
        TrackGrid(g);
    }
    m_actionGrid = DBGridTTipSinch;
    m_rowCommands->SetDataSet(ActionDataSet());
}

void TFSinchro::SetGridCommands(QAction* saveAs, QAction* selectAll)
{
    m_saveAs = saveAs;
    m_selectAll = selectAll;
}

void TFSinchro::ShowPopup(DBGrid* grid, const QPoint& pos)
{
    grid->setFocus(Qt::PopupFocusReason);
    PMSinchro->clear();
    PMSinchro->addAction(DataSetDelete1);
    if (m_saveAs || m_selectAll)
        PMSinchro->addSeparator();
    if (m_saveAs)
        PMSinchro->addAction(m_saveAs);
    if (m_selectAll)
        PMSinchro->addAction(m_selectAll);
    PMSinchro->popup(grid->viewport()->mapToGlobal(pos));
}

void TFSinchro::DBGridTTipSinchEnter(DBGrid* grid)
{
    // The dataset commands act on the grid last entered.
    m_actionGrid = grid;
    m_rowCommands->SetDataSet(ActionDataSet());
}

void TFSinchro::DBGridTTipSinchExit(DBGrid*)
{
    // The main window's active grid is cleared by TrackGrid; the dataset commands keep their grid.
}

DataSet* TFSinchro::ActionDataSet() const
{
    return m_actionGrid ? m_actionGrid->GetDataSet() : nullptr;
}

void TFSinchro::SetBufferSelection(std::function<void()> open)
{
    m_openBufferSelection = std::move(open);
    ASQLfromArchiv->setEnabled(static_cast<bool>(m_openBufferSelection));
}

void TFSinchro::ASQLfromArchivExecute()
{
    if (m_openBufferSelection)
        m_openBufferSelection();
}

void TFSinchro::UpdateMeterCount()
{
    const int count =
        m_dm.ADOSinchro && m_dm.ADOSinchro->Active() ? m_dm.ADOSinchro->RecordCount() : 0;
    LabelNameCountSh->setText(ULang::MeterCount + QString::number(count) + QLatin1Char(' '));
    LabelNameCountSh->setAccessibleName(LabelNameCountSh->text());
}

void TFSinchro::AClearExecute()
{
    if (ShowMessage(ULang::AskClearTable, ULang::CaptionDelete, MsgIcon::Question,
                    MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    EmptyTable(*m_dm.ADOSinchro);
    UpdateMeterCount();
}

void TFSinchro::EmptyTable(DataSet& view)
{
    if (!m_dm.EmptyTable(view))
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error, MsgButtons::Ok);
}

DBGrid* TFSinchro::FocusedGrid() const
{
    // The focus may sit in a cell editor; its grid is the one meant then.
    for (QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        for (DBGrid* g : {DBGridTTipSinch, DBGridSData, DBGridTResultSinch}) {
            if (w == g)
                return g;
        }
    }
    return nullptr;
}

void TFSinchro::DataSetDelete1Execute()
{
    DBGrid* grid = FocusedGrid();
    DataSet* ds = grid ? grid->GetDataSet() : nullptr;
    if (ds && ds->Active() &&
        ShowMessage(ULang::AskDeleteSelected, ULang::CaptionDelete, MsgIcon::Question,
                    MsgButtons::YesNo) == MsgAnswer::Yes) {
        if (!DeleteSelectedRows(*ds, GridSelection(*grid)))
            ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error, MsgButtons::Ok);
        grid->ClearRowSelection();
    }
    UpdateMeterCount();
}

void TFSinchro::OpenPort()
{
    Comm1.Clear();
    const QString port = Link() ? Link()->ComPortText() : QString();
    if (port == ULang::PortCom1)
        Comm1.SetComNo(ExchangePort::Com1);
    else if (port == ULang::PortCom2)
        Comm1.SetComNo(ExchangePort::Com2);
    else if (port == ULang::PortCom3)
        Comm1.SetComNo(ExchangePort::Com3);
    // Every exchange starts at 19200 bit/s.
    Comm1.SetBaudRate(BR__19200);
    Comm1.Sleep(3);
    // Bytes left over from a cancelled exchange would be taken as answers to this one.
    if (Comm1.IsOpen())
        Comm1.Purge();
    else
        Comm1.Open();
    SFFramePanel->LOpenPort->setText(Comm1.IsOpen() ? ULang::PortOpen : ULang::PortClosed);
}

void TFSinchro::ShowExchangePanel(const QStringList& script)
{
    SFFramePanel->SetStatus(ULang::ExchangeRunning);
    SFFramePanel->LabelCom->setVisible(true);
    SFFramePanel->SetStatusColour(QColor(0, 128, 0));
    TimerColor.Stop();
    SFFramePanel->LCom->setText(Link() ? Link()->ComPortText() : QString());
    SFFramePanel->LSpeedCom->setText(Link() ? Link()->ComSpeedText() : QString());
    // The first frame goes out once the panel says the exchange runs, so that a failure to send
    // it stays on show.
    m_engine.StartExchange(script);
    SFFramePanel->exec();
    SFFrameClose();
}

void TFSinchro::SFFrameClose()
{
    if (m_engine.IncompleteIdent())
        ShowMessage(ULang::IncompleteIdent, ULang::CaptionWriteError, MsgIcon::Error,
                    MsgButtons::Ok);
    m_engine.ClearIncompleteIdent();
    if (!m_refusedReason.isEmpty()) {
        ShowMessage(ULang::RecordsRefused + m_refusedReason, ULang::CaptionWriteError,
                    MsgIcon::Error, MsgButtons::Ok);
        m_refusedReason.clear();
    }
}

void TFSinchro::AINExecute()
{
    if (m_dm.ADOSinchro->RecordCount() > MaxMeters) {
        ShowMessage(ULang::TooManyRecords + ULang::MaxMetersSuffix, ULang::CaptionAttention,
                    MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    OpenPort();
    m_engine.ResumePolling();
    m_dm.ADOSinchro->First();
    if (m_dm.ADOSinchro->IsEmpty())
        return;
    m_refusedReason.clear();
    ShowExchangePanel(ExchangeEngine::LoadScript(QStringLiteral("CW"), QStringLiteral("CWD"),
                                                 m_dm.ADOSinchro->RecordCount()));
}

void TFSinchro::AINTableExecute()
{
    if (m_dm.ADOTableTip->RecordCount() > MaxTypes) {
        ShowMessage(ULang::TooManyRecords + ULang::MaxTypesSuffix, ULang::CaptionAttention,
                    MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    OpenPort();
    m_engine.ResumePolling();
    m_dm.ADOTableTip->First();
    if (m_dm.ADOTableTip->IsEmpty())
        return;
    m_refusedReason.clear();
    ShowExchangePanel(ExchangeEngine::LoadScript(QStringLiteral("Cw"), QStringLiteral("CwD"),
                                                 m_dm.ADOTableTip->RecordCount()));
}

void TFSinchro::AOUTExecute()
{
    OpenPort();
    m_engine.ClearIncompleteIdent();
    m_refusedReason.clear();
    m_store.Reset();
    // The buffer is emptied before the device is asked: a failed read leaves it empty.
    EmptyTable(*m_dm.ADOSinchro);
    UpdateMeterCount();
    ShowExchangePanel(ExchangeEngine::ReadScript(QStringLiteral("CR"), QStringLiteral("CRD")));
}

void TFSinchro::AOUTTableExecute()
{
    OpenPort();
    m_refusedReason.clear();
    m_store.Reset();
    EmptyTable(*m_dm.ADOTableTip);
    ShowExchangePanel(ExchangeEngine::ReadScript(QStringLiteral("Cr"), QStringLiteral("CrD")));
}

bool TFSinchro::StoreRecord(const DeviceRecord& values)
{
    const bool stored = m_store.StoreRecord(values);
    if (!stored && m_refusedReason.isEmpty())
        m_refusedReason = m_store.LastError();
    return stored;
}

void TFSinchro::SetStatus(const QString& text, StatusColour colour)
{
    SFFramePanel->SetStatus(text);
    if (colour == StatusColour::Green)
        SFFramePanel->SetStatusColour(QColor(0, 128, 0));
    else if (colour == StatusColour::Red)
        SFFramePanel->SetStatusColour(Qt::red);
}

void TFSinchro::ToggleStatusVisible()
{
    SFFramePanel->LabelCom->setHidden(!SFFramePanel->LabelCom->isHidden());
}

void TFSinchro::ClosePanel()
{
    SFFramePanel->done(QDialog::Rejected);
}

std::optional<MeterRow> TFSinchro::NextMeterRow()
{
    DataSet* ds = m_dm.ADOSinchro;
    if (!ds->Active() || ds->IsEmpty() || ds->Eof())
        return std::nullopt;
    MeterRow row{TrimTrailingBlanks(ds->FieldByName(QStringLiteral("PAddress")).AsString()),
                 TrimTrailingBlanks(ds->FieldByName(QStringLiteral("PTipCH")).AsString()),
                 Constant(*ds),
                 TrimTrailingBlanks(ds->FieldByName(QStringLiteral("PNumber")).AsString())};
    ds->Next();
    return row;
}

std::optional<TypeRow> TFSinchro::NextTypeRow()
{
    DataSet* ds = m_dm.ADOTableTip;
    if (!ds->Active() || ds->IsEmpty() || ds->Eof())
        return std::nullopt;
    TypeRow row{TrimTrailingBlanks(ds->FieldByName(QStringLiteral("PTip")).AsString()),
                Constant(*ds)};
    ds->Next();
    return row;
}

void TFSinchro::RewindRows()
{
    for (DataSet* ds : {m_dm.ADOTableTip, m_dm.ADOSinchro})
        if (ds->Active())
            ds->First();
}

QString TFSinchro::RateSettingText() const
{
    return Link() ? Link()->ComSpeedText() : QString();
}

void TFSinchro::ASaveTraceExecute()
{
    const QString path =
        QFileDialog::getSaveFileName(this, ULang::SaveTrace, QString(), ULang::FilterText);
    if (path.isEmpty())
        return;
    if (!Comm1.Save(path))
        ShowMessage(ULang::TraceFileFailed.arg(path), ULang::CaptionError, MsgIcon::Error,
                    MsgButtons::Ok);
}

void TFSinchro::RestoreSettings(SettingsStore& store)
{
    RestoreSplitter(store, m_split1, Splitter1Key);
    RestoreSplitter(store, m_split2, Splitter2Key);
}

void TFSinchro::SaveSettings(SettingsStore& store) const
{
    SaveSplitter(store, m_split1, Splitter1Key);
    SaveSplitter(store, m_split2, Splitter2Key);
}

void TFSinchro::SetArchiveGrids(DBGrid* tipGrid, DBGrid* identGrid)
{
    m_archiveTipGrid = tipGrid;
    m_archiveIdentGrid = identGrid;
    ATransInTip->setEnabled(tipGrid != nullptr);
    ATransIdent->setEnabled(identGrid != nullptr);
}

bool TFSinchro::DBGridTTipSinchDragOver(const DBGrid* source) const
{
    if (!DragHasRows || !source)
        return false;
    return source->objectName() == QStringLiteral("DBGridTTip") ||
           source->objectName() == QStringLiteral("DBGridTIdent");
}

void TFSinchro::DBGridTTipSinchDragDrop(DBGrid* source)
{
    if (!DBGridTTipSinchDragOver(source))
        return;
    if (source->objectName() == QStringLiteral("DBGridTTip")) {
        m_archiveTipGrid = source;
        ATransInTipExecute();
    } else {
        m_archiveIdentGrid = source;
        ATransIdentExecute();
    }
}

void TFSinchro::ATransInTipExecute()
{
    if (!m_archiveTipGrid)
        return;
    try {
        BufferTransfer(m_dm).ATransInTip(GridSelection(*m_archiveTipGrid));
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
    UpdateMeterCount();
}

void TFSinchro::ATransIdentExecute()
{
    if (!m_archiveIdentGrid)
        return;
    try {
        BufferTransfer(m_dm).ATransIdent(GridSelection(*m_archiveIdentGrid));
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
    UpdateMeterCount();
}

void TFSinchro::AINArchivExecute()
{
    TransferProgressDialog progress(ULang::TransferRunning, this);
    try {
        ArchiveTransfer(m_dm).AINArchiv(progress.Callback());
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
}
