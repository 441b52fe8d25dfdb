// Archive window: four linked grids, the dataset commands, the entry panels and the drop targets.
#include "ui/archive/tftip.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/deleteselectedrows.h"
#include "database/settingsstore.h"
#include "database/tdm.h"
#include "transfer/archivetransfer.h"
#include "ui/archive/sfcopy.h"
#include "ui/archive/sfcopyafter.h"
#include "ui/archive/sfnewident.h"
#include "ui/archive/sfnewtip.h"
#include "widgets/captionstrip.h"
#include "widgets/datasetactions.h"
#include "widgets/dbgrid.h"
#include "widgets/gridselection.h"
#include "widgets/overlimitcell.h"
#include "widgets/symboltitleheader.h"
#include "widgets/transferprogressdialog.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TFTip* FTip = nullptr;

namespace
{

const Qt::Alignment Centre = Qt::AlignCenter;
const Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;

QWidget* Titled(const QString& caption, QWidget* content)
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CaptionStrip(CaptionLabel(caption)));
    layout->addWidget(content, 1);
    return panel;
}

void ReportDatabaseError()
{
    ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
}

} // namespace

TFTip::TFTip(TDM& dm, QWidget* parent)
    : MdiChild(ULang::ArchiveCaption, QStringLiteral("Archiv"), parent), DBGridTTip(new DBGrid),
      DBGridTIdent(new DBGrid), DBGridData(new DBGrid), DBGridTResult(new DBGrid),
      ToolBar(new QToolBar), PopupMenu(new QMenu(this)), SFNewTipPanel(new SFNewTip(dm, this)),
      SFNewIdentPanel(new SFNewIdent(dm, this)), SFCopyPanel(new SFCopy(this)),
      SFCopyAfterPanel(new SFCopyAfter(this)), m_dm(dm), m_split1(new QSplitter(Qt::Vertical)),
      m_split2(new QSplitter(Qt::Vertical)), m_split3(new QSplitter(Qt::Horizontal)),
      m_dataSource(dm.ADOTip)
{
    setObjectName(QStringLiteral("FTip"));
    DBGridTTip->setObjectName(QStringLiteral("DBGridTTip"));
    DBGridTIdent->setObjectName(QStringLiteral("DBGridTIdent"));
    DBGridData->setObjectName(QStringLiteral("DBGridData"));
    DBGridTResult->setObjectName(QStringLiteral("DBGridTResult"));

    // Grids and their columns.
    DBGridTTip->SetDataSet(
        dm.ADOTip, {{.field = QStringLiteral("PTipCH"), .width = 60, .hint = ULang::TypeTitle},
                    {.field = QStringLiteral("PUnom"), .hint = ULang::NominalVoltage},
                    {.field = QStringLiteral("PInom"), .hint = ULang::NominalCurrent},
                    {.field = QStringLiteral("PReductRate"), .hint = ULang::MeterConstant},
                    {.field = QStringLiteral("PClassT"),
                     .title = ULang::AccuracyClass,
                     .hint = ULang::AccuracyClass}});
    DBGridTTip->horizontalHeader()->setMinimumSectionSize(60);
    DBGridTIdent->SetDataSet(dm.ADOIdent,
                             {{.field = QStringLiteral("PNumber")},
                              {.field = QStringLiteral("PMaker"), .alignment = Right},
                              {.field = QStringLiteral("PYearOutput")},
                              {.field = QStringLiteral("PAddress"), .alignment = Right}});
    // Meters stay grouped by their type whatever column they are sorted by.
    DBGridTIdent->SortTextHook = [](const QString& text) {
        return QStringLiteral("PSecindex ASC, ") + text;
    };
    DBGridData->SetDataSet(
        dm.ADOData,
        {{.field = QStringLiteral("PDateMeasure"), .title = ULang::DateTitle, .alignment = Centre},
         {.field = QStringLiteral("PSamohod"),
          .title = ULang::Creep,
          .alignment = Centre,
          .pickList = SamohodPickList()},
         {.field = QStringLiteral("PUSamohod"), .title = ULang::VoltageShort, .alignment = Centre},
         {.field = QStringLiteral("POrmix"), .title = ULang::MeterReadings, .alignment = Centre}});
    auto* resultHeader = new SymbolTitleHeader(DBGridTResult);
    DBGridTResult->setHorizontalHeader(resultHeader);
    DBGridTResult->SetDataSet(
        dm.ADOResult,
        {{.field = QStringLiteral("PUMeasure"), .alignment = Centre, .hint = ULang::VoltageHint},
         {.field = QStringLiteral("PIMeasure"), .alignment = Centre, .hint = ULang::CurrentHint},
         {.field = QStringLiteral("PPowerMeasure"), .alignment = Centre, .hint = ULang::PowerHint},
         {.field = QStringLiteral("PFPMeasure"),
          .title = ULang::PowerFactorShort,
          .alignment = Centre,
          .hint = ULang::PowerFactor},
         {.field = QStringLiteral("PMistakeMeasure"),
          .title = ULang::MeterErrorShort,
          .alignment = Centre,
          .hint = ULang::MeterErrorHint}});
    resultHeader->SetSymbolColumn(4);
    DBGridTResult->DrawCellHook = [this](QPainter* painter, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) {
        DataSetModel* model = DBGridTResult->Model();
        int field = model->FieldOfColumn(index.column());
        DataSet* ds = model->GetDataSet();
        if (field < 0 || !ds || ds->FieldDefAt(field).name != QStringLiteral("PMistakeMeasure") ||
            !OverLimitCell::IsOverLimit(ds->Value(index.row(), field)))
            return false;
        OverLimitCell::Paint(painter, option);
        return true;
    };
    DBGridTTip->setAccessibleName(ULang::MetersHeader.trimmed());
    DBGridTIdent->setAccessibleName(ULang::MeterDetailsHeader.trimmed());
    DBGridData->setAccessibleName(ULang::ResultsHeader.trimmed());
    DBGridTResult->setAccessibleName(ULang::ResultsHeader.trimmed());

    for (DBGrid* g : {DBGridTTip, DBGridTIdent, DBGridData, DBGridTResult}) {
        g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, this, [this, g](const QPoint& pos) {
            PopupMenu->popup(g->viewport()->mapToGlobal(pos));
        });
        g->AcceptGridDrops([this, g](DBGrid* source) { return DragOver(g, source); },
                           [this, g](DBGrid* source) { DragDrop(g, source); });
    }
    for (DBGrid* g : {DBGridData, DBGridTResult}) {
        g->SetTitleSort(false);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setDragEnabled(false);
    }

    // Layout: toolbar; types above meters; the results area with verifications beside results.
    m_split2->addWidget(Titled(ULang::MetersHeader, DBGridTTip));
    m_split2->addWidget(Titled(ULang::MeterDetailsHeader, DBGridTIdent));
    m_split3->addWidget(DBGridData);
    m_split3->addWidget(DBGridTResult);
    m_split3->setSizes({200, 489});
    m_split1->addWidget(m_split2);
    m_split1->addWidget(Titled(ULang::ResultsHeader, m_split3));
    m_split1->setObjectName(QStringLiteral("abcSplitBar1"));
    m_split2->setObjectName(QStringLiteral("abcSplitBar2"));
    m_split3->setObjectName(QStringLiteral("abcSplitBar3"));

    // Toolbar of the eight dataset commands, right-aligned.
    auto makeAction = [this](const QString& text, QStyle::StandardPixmap icon,
                             void (TFTip::*slot)()) {
        auto* a = new QAction(style()->standardIcon(icon), text, this);
        a->setToolTip(text);
        a->setStatusTip(text);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };
    DataSetFirst1 =
        makeAction(ULang::FirstRecord, QStyle::SP_MediaSkipBackward, &TFTip::DataSetFirst1Execute);
    DataSetPrior1 =
        makeAction(ULang::PriorRecord, QStyle::SP_MediaSeekBackward, &TFTip::DataSetPrior1Execute);
    DataSetNext1 =
        makeAction(ULang::NextRecord, QStyle::SP_MediaSeekForward, &TFTip::DataSetNext1Execute);
    DataSetLast1 =
        makeAction(ULang::LastRecord, QStyle::SP_MediaSkipForward, &TFTip::DataSetLast1Execute);
    DataSetInsert1 = makeAction(ULang::InsertRecord, QStyle::SP_FileDialogNewFolder,
                                &TFTip::DataSetInsert1Execute);
    DataSetDelete1 =
        makeAction(ULang::DeleteRecord, QStyle::SP_TrashIcon, &TFTip::DataSetDelete1Execute);
    DataSetPost1 =
        makeAction(ULang::PostChanges, QStyle::SP_DialogApplyButton, &TFTip::DataSetPost1Execute);
    DataSetCancel1 = makeAction(ULang::ButtonCancel, QStyle::SP_DialogCancelButton,
                                &TFTip::DataSetCancel1Execute);
    DataSetInsert1->setShortcut(QKeySequence(Qt::Key_Insert));
    DataSetDelete1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setAccessibleName(ULang::ArchiveCaption);
    ToolBar->setIconSize(QSize(16, 16));
    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar->addWidget(spacer);
    for (QAction* a : {DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1, DataSetInsert1,
                       DataSetDelete1, DataSetPost1, DataSetCancel1}) {
        ToolBar->addAction(a);
        if (QWidget* w = ToolBar->widgetForAction(a))
            w->setAccessibleName(a->text());
    }
    PopupMenu->addAction(DataSetInsert1);
    PopupMenu->addAction(DataSetDelete1);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(m_split1, 1);
    setWidget(body);

    // The window's own reactions come before the main window's active-grid tracking, so that a
    // pending edit is posted before the grid stops being the active one.
    for (DBGrid* g : {DBGridTTip, DBGridTIdent, DBGridData, DBGridTResult}) {
        connect(g, &DBGrid::GridEnter, this, &TFTip::DBGridTTipEnter);
        connect(g, &DBGrid::GridExit, this, &TFTip::DBGridTTipExit);
        TrackGrid(g);
    }
    // The eight commands follow the state of the table of the grid entered last.
    m_rowCommands = new DataSetActions({.first = DataSetFirst1,
                                        .prior = DataSetPrior1,
                                        .next = DataSetNext1,
                                        .last = DataSetLast1,
                                        .insert = DataSetInsert1,
                                        .remove = DataSetDelete1,
                                        .post = DataSetPost1,
                                        .cancel = DataSetCancel1},
                                       this);
    connect(m_rowCommands, &DataSetActions::Updated, this, &TFTip::UpdateActions);
    m_rowCommands->SetDataSet(m_dataSource);
    resize(689, 466);
    if (!FTip)
        FTip = this;
}

TFTip::~TFTip()
{
    // The grids are destroyed after this body, and losing them moves the focus; the views live
    // on in the data module. Neither may reach a half-destroyed window.
    for (DBGrid* g : {DBGridTTip, DBGridTIdent, DBGridData, DBGridTResult})
        disconnect(g, nullptr, this, nullptr);
    m_rowCommands->SetDataSet(nullptr);
    disconnect(m_rowCommands, nullptr, this, nullptr);
    if (FTip == this)
        FTip = nullptr;
}

void TFTip::AddPopupCommands(const QList<QAction*>& commands)
{
    for (QAction* a : commands) {
        if (a)
            PopupMenu->addAction(a);
    }
}

QToolButton* TFTip::InsertButton() const
{
    return qobject_cast<QToolButton*>(ToolBar->widgetForAction(DataSetInsert1));
}

DBGrid* TFTip::ActiveControlGrid() const
{
    // The focus may sit in a cell editor; its grid is the active control then.
    for (QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        for (DBGrid* g : {DBGridTTip, DBGridTIdent, DBGridData, DBGridTResult}) {
            if (w == g)
                return g;
        }
    }
    return nullptr;
}

void TFTip::UpdateActions()
{
    // Only the toolbar button follows the results grid; the shortcut and the popup item stay.
    if (QToolButton* b = InsertButton())
        b->setEnabled(DataSetInsert1->isEnabled() && m_lastGrid != DBGridTResult);
}

void TFTip::DBGridTTipEnter(DBGrid* grid)
{
    m_lastGrid = grid;
    m_dataSource = grid->GetDataSet();
    m_rowCommands->SetDataSet(m_dataSource);
    UpdateActions();
}

void TFTip::DBGridTTipExit(DBGrid* grid)
{
    DataSet* ds = grid->GetDataSet();
    if (!ds || ds->GetState() != DataSet::State::Edit)
        return;
    try {
        ds->Post(); // a refusal has shown its message; the row stays in edit state
    } catch (const DatabaseError&) {
        ReportDatabaseError();
    }
}

void TFTip::Navigate(bool (DataSet::*step)())
{
    DBGrid* grid = ActiveControlGrid();
    if (!grid || !grid->GetDataSet())
        return;
    grid->ClearRowSelection();
    try {
        (grid->GetDataSet()->*step)();
    } catch (const DatabaseError&) {
        ReportDatabaseError();
    }
}

void TFTip::DataSetFirst1Execute()
{
    Navigate(&DataSet::First);
}

void TFTip::DataSetPrior1Execute()
{
    Navigate(&DataSet::Prior);
}

void TFTip::DataSetNext1Execute()
{
    Navigate(&DataSet::Next);
}

void TFTip::DataSetLast1Execute()
{
    Navigate(&DataSet::Last);
}

void TFTip::DataSetInsert1Execute()
{
    DBGrid* grid = ActiveControlGrid();
    if (grid == DBGridTTip) {
        if (SFNewTipPanel->exec() != QDialog::Accepted)
            return;
        try {
            m_dm.AddTip(SFNewTipPanel->ETip->text(), SFNewTipPanel->EUnom->text(),
                        SFNewTipPanel->EInom->text(), SFNewTipPanel->EReduct->text(),
                        SFNewTipPanel->EClassT->text());
        } catch (const EConvertError& e) {
            m_dm.ADOTip->Cancel();
            ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
        } catch (const DatabaseError&) {
            ReportDatabaseError();
        }
        DBGridTTip->ClearRowSelection();
    } else if (grid == DBGridTIdent) {
        // A meter needs a stored type to belong to.
        if (m_dm.ADOTip->IsEmpty() || m_dm.ADOTip->Value(QStringLiteral("PIndex")).isNull()) {
            ShowMessage(ULang::MeterTypeUndefined, ULang::CaptionError, MsgIcon::Error);
            return;
        }
        if (SFNewIdentPanel->exec() != QDialog::Accepted)
            return;
        try {
            m_dm.AddIdent(SFNewIdentPanel->ENum->text(), SFNewIdentPanel->EAddress->text(),
                          SFNewIdentPanel->EMaker->text(), SFNewIdentPanel->EYear->text());
        } catch (const EConvertError& e) {
            m_dm.ADOIdent->Cancel();
            ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
        } catch (const DatabaseError&) {
            ReportDatabaseError();
        }
        DBGridTIdent->ClearRowSelection();
    }
}

void TFTip::DataSetPost1Execute()
{
    DataSet* ds = m_dataSource;
    if (ds == m_dm.ADOIdent && m_dm.ADOTip->IsEmpty()) {
        ShowMessage(ULang::MeterTypeUndefined, ULang::CaptionError, MsgIcon::Error);
        ds->Cancel();
        return;
    }
    if (ds == m_dm.ADOResult && m_dm.ADOIdent->IsEmpty()) {
        ShowMessage(ULang::MeterUndefined, ULang::CaptionError, MsgIcon::Error);
        ds->Cancel();
        return;
    }
    try {
        ds->Post();
    } catch (const DatabaseError&) {
        ReportDatabaseError();
    }
}

void TFTip::DataSetCancel1Execute()
{
    if (m_dataSource)
        m_dataSource->Cancel();
}

void TFTip::DataSetDelete1Execute()
{
    for (DataSet* ds : {m_dm.ADOTip, m_dm.ADOIdent, m_dm.ADOResult}) {
        if (ds->GetState() == DataSet::State::Edit) {
            ShowMessage(ULang::DeleteWhileEditing, ULang::AppTitle, MsgIcon::None);
            return;
        }
    }
    DBGrid* grid = ActiveControlGrid();
    if (!grid || !grid->GetDataSet())
        return;
    if (ShowMessage(ULang::AskDeleteSelected, ULang::CaptionDelete, MsgIcon::Question,
                    MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    if (!DeleteSelectedRows(*grid->GetDataSet(), GridSelection(*grid)))
        ReportDatabaseError(); // rows deleted before the failure stay deleted
    grid->ClearRowSelection();
}

bool TFTip::DragOver(DBGrid* target, DBGrid* source) const
{
    if (!DragHasRows || !source || !target)
        return false;
    const QString from = source->objectName();
    if (target == DBGridTTip)
        return from == QStringLiteral("DBGridTTipSinch");
    if (target == DBGridTIdent)
        return from == QStringLiteral("DBGridTTipSinch") || from == QStringLiteral("DBGridSQL");
    if (target == DBGridData || target == DBGridTResult)
        return from == QStringLiteral("DBGridSData");
    return false;
}

void TFTip::DragDrop(DBGrid* target, DBGrid* source)
{
    if (!DragOver(target, source))
        return;
    const QString from = source->objectName();
    if (from == QStringLiteral("DBGridTTipSinch"))
        ATransIdent(source);
    else if (from == QStringLiteral("DBGridSData"))
        ATransResult(source);
    else if (from == QStringLiteral("DBGridSQL"))
        ATransIdentSQL(source);
}

void TFTip::ATransIdent(DBGrid* source)
{
    const RowSelection selection = GridSelection(*source);
    if (selection.kind == RowSelection::Kind::None)
        return;
    TransferProgressDialog progress(ULang::TransferRunning, this);
    ArchiveTransfer(m_dm).ATransIdent(selection, progress.Callback());
}

void TFTip::ATransResult(DBGrid* source)
{
    ArchiveTransfer(m_dm).ATransResult(GridSelection(*source));
}

void TFTip::ATransIdentSQL(DBGrid* source)
{
    DataSet* external = source->GetDataSet();
    if (!external)
        return;
    ArchiveTransfer transfer(m_dm);
    const QString problem = transfer.CheckExternalCopy(*external);
    if (!problem.isEmpty()) {
        ShowMessage(problem, ULang::CaptionError, MsgIcon::Error);
        return;
    }
    const RowSelection selection = GridSelection(*source);
    const int count = selection.kind == RowSelection::Kind::Rows
                          ? static_cast<int>(selection.bookmarks.size())
                      : selection.kind == RowSelection::Kind::All ? external->RecordCount()
                                                                  : 0;
    SFCopyPanel->SFCopyShow(m_dm.ADOTip->FieldByName(QStringLiteral("PTipCH")).AsString(), count);
    if (SFCopyPanel->exec() != QDialog::Accepted)
        return;
    const ArchiveTransfer::CopyCounts counts = transfer.ATransIdentSQL(*external, selection);
    SFCopyAfterPanel->SetCounts(counts.total, counts.copied, counts.skipped);
    SFCopyAfterPanel->exec();
}

void TFTip::RestoreSettings(SettingsStore& store)
{
    RestoreSplitter(store, m_split1, QStringLiteral("PanelBase.abcSplitBar1.Pos"));
    RestoreSplitter(store, m_split3,
                    QStringLiteral("PanelBase.PanelResult.Panel1.abcSplitBar3.Pos"));
    RestoreSplitter(store, m_split2, QStringLiteral("PanelBase.PanelTipSinchro.abcSplitBar2.Pos"));
    const QString active = store.Value(Section(), QStringLiteral("ActiveControl")).toString();
    for (DBGrid* g : {DBGridTTip, DBGridTIdent, DBGridData, DBGridTResult}) {
        if (g->objectName() == active)
            g->setFocus();
    }
}

void TFTip::SaveSettings(SettingsStore& store) const
{
    SaveSplitter(store, m_split1, QStringLiteral("PanelBase.abcSplitBar1.Pos"));
    SaveSplitter(store, m_split3, QStringLiteral("PanelBase.PanelResult.Panel1.abcSplitBar3.Pos"));
    SaveSplitter(store, m_split2, QStringLiteral("PanelBase.PanelTipSinchro.abcSplitBar2.Pos"));
    DBGrid* active = ActiveControlGrid();
    store.SetValue(Section(), QStringLiteral("ActiveControl"),
                   active ? active->objectName() : QString());
}
