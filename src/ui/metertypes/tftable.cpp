// Meter types window.
#include "ui/metertypes/tftable.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/deleteselectedrows.h"
#include "database/settingsstore.h"
#include "database/tdm.h"
#include "ui/metertypes/tablenewtippanel.h"
#include "widgets/datasetactions.h"
#include "widgets/dbgrid.h"
#include "widgets/gridselection.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

TFTable* FTable = nullptr;

namespace
{
const QString KeyOrder = QStringLiteral("DBGridTTable.Columns.ColumnsIndex");
const QString KeyWidth0 = QStringLiteral("DBGridTTable.Columns.Item0.Width");
const QString KeyWidth1 = QStringLiteral("DBGridTTable.Columns.Item1.Width");
} // namespace

TFTable::TFTable(TDM& dm, QAction* outTable, QAction* inTable, QWidget* parent)
    : MdiChild(ULang::MeterTypesCaption, QStringLiteral("TFTable.REGEH"), parent),
      DBGridTTable(new DBGrid), SFNewTip(nullptr), m_dm(dm), m_popup(new QMenu(this))
{
    setObjectName(QStringLiteral("FTable"));
    DBGridTTable->setObjectName(QStringLiteral("DBGridTTable"));
    DBGridTTable->SetDataSet(
        dm.ADOTableTip, {{.field = QStringLiteral("PTip"), .title = ULang::MeterType, .width = 88},
                         {.field = QStringLiteral("PReductRate"),
                          .title = ULang::MeterConstantColumn,
                          .width = 141}});
    DBGridTTable->setAccessibleName(ULang::MeterTypesCaption);
    SFNewTip = new TableNewTipPanel(*dm.ADOTableTip, this);

    auto makeAction = [this](const QString& text, QStyle::StandardPixmap icon) {
        auto* a = new QAction(style()->standardIcon(icon), text, this);
        a->setToolTip(text);
        return a;
    };
    ASQLFromTable = makeAction(ULang::LoadAllTypes, QStyle::SP_BrowserReload);
    AClear = makeAction(ULang::ClearTable, QStyle::SP_DialogResetButton);
    DataSetFirst1 = makeAction(ULang::FirstRecord, QStyle::SP_MediaSkipBackward);
    DataSetPrior1 = makeAction(ULang::PriorRecord, QStyle::SP_MediaSeekBackward);
    DataSetNext1 = makeAction(ULang::NextRecord, QStyle::SP_MediaSeekForward);
    DataSetLast1 = makeAction(ULang::LastRecord, QStyle::SP_MediaSkipForward);
    DataSetInsert1 = makeAction(ULang::InsertRecord, QStyle::SP_FileDialogNewFolder);
    DataSetDelete1 = makeAction(ULang::DeleteRecord, QStyle::SP_TrashIcon);
    DataSetPost1 = makeAction(ULang::PostChanges, QStyle::SP_DialogApplyButton);
    DataSetCancel1 = makeAction(ULang::ButtonCancel, QStyle::SP_DialogCancelButton);
    DataSetInsert1->setShortcut(QKeySequence(Qt::Key_Insert));
    DataSetDelete1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    for (QAction* a : {DataSetInsert1, DataSetDelete1})
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);

    // The row commands follow the table's state, as the standard dataset commands do.
    auto* rowCommands = new DataSetActions({.first = DataSetFirst1,
                                            .prior = DataSetPrior1,
                                            .next = DataSetNext1,
                                            .last = DataSetLast1,
                                            .insert = DataSetInsert1,
                                            .remove = DataSetDelete1,
                                            .post = DataSetPost1,
                                            .cancel = DataSetCancel1},
                                           this);
    rowCommands->SetDataSet(dm.ADOTableTip);

    DataSet* ds = dm.ADOTableTip;
    auto guarded = [ds](const std::function<void()>& step) {
        try {
            step();
        } catch (const DatabaseError&) {
            ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
        }
    };
    connect(DataSetFirst1, &QAction::triggered, this,
            [ds, guarded] { guarded([ds] { ds->First(); }); });
    connect(DataSetPrior1, &QAction::triggered, this,
            [ds, guarded] { guarded([ds] { ds->Prior(); }); });
    connect(DataSetNext1, &QAction::triggered, this,
            [ds, guarded] { guarded([ds] { ds->Next(); }); });
    connect(DataSetLast1, &QAction::triggered, this,
            [ds, guarded] { guarded([ds] { ds->Last(); }); });
    connect(DataSetPost1, &QAction::triggered, this,
            [ds, guarded] { guarded([ds] { ds->Post(); }); });
    connect(DataSetCancel1, &QAction::triggered, this, [ds] { ds->Cancel(); });
    connect(ASQLFromTable, &QAction::triggered, this, &TFTable::ASQLFromTableExecute);
    connect(AClear, &QAction::triggered, this, &TFTable::AClearExecute);
    connect(DataSetInsert1, &QAction::triggered, this, &TFTable::DataSetInsert1Execute);
    connect(DataSetDelete1, &QAction::triggered, this, &TFTable::DataSetDelete1Execute);

    auto* left = new QToolBar;
    left->setToolButtonStyle(Qt::ToolButtonIconOnly);
    left->setAccessibleName(ULang::MeterTypesCaption);
    for (QAction* a : {outTable, inTable}) {
        if (a)
            left->addAction(a);
    }
    left->addAction(ASQLFromTable);
    left->addAction(AClear);
    auto* right = new QToolBar;
    right->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (QAction* a : {DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1, DataSetInsert1,
                       DataSetDelete1, DataSetPost1, DataSetCancel1})
        right->addAction(a);
    auto* bars = new QHBoxLayout;
    bars->setContentsMargins(0, 0, 0, 0);
    bars->addWidget(left);
    bars->addStretch();
    bars->addWidget(right);

    m_popup->addAction(DataSetInsert1);
    m_popup->addAction(DataSetDelete1);
    DBGridTTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridTTable, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_popup->popup(DBGridTTable->viewport()->mapToGlobal(at));
    });

    auto* body = new QWidget;
    body->addAction(DataSetInsert1);
    body->addAction(DataSetDelete1);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bars);
    layout->addWidget(DBGridTTable);
    setWidget(body);
    TrackGrid(DBGridTTable);
    resize(420, 400);
    if (!FTable)
        FTable = this;
}

void TFTable::AddPopupCommands(const QList<QAction*>& commands)
{
    for (QAction* a : commands) {
        if (a)
            m_popup->addAction(a);
    }
}

void TFTable::RunWithViewClosed(const QStringList& statements)
{
    // All statements or none: a failed fill must not leave the table emptied.
    if (!m_dm.RunWithViewClosed(*m_dm.ADOTableTip, statements))
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
}

void TFTable::ASQLFromTableExecute()
{
    if (ShowMessage(ULang::AskReplaceTypes, ULang::CaptionLoadTypes, MsgIcon::Question,
                    MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    RunWithViewClosed(
        {QStringLiteral("DELETE FROM TTableTip"),
         QStringLiteral("INSERT INTO TTableTip (PTip, PReductRate) SELECT TTip.PTipCH, "
                        "TTip.PReductRate FROM TTip")});
}

void TFTable::AClearExecute()
{
    if (ShowMessage(ULang::AskClearTable, ULang::CaptionDelete, MsgIcon::Question,
                    MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    RunWithViewClosed({QStringLiteral("DELETE FROM TTableTip")});
}

void TFTable::DataSetInsert1Execute()
{
    if (SFNewTip->exec() != QDialog::Accepted)
        return;
    DataSet* ds = m_dm.ADOTableTip;
    try {
        if (!ds->Append())
            return;
        ds->FieldByName(QStringLiteral("PTip")).SetAsString(SFNewTip->ETip->text());
        ds->FieldByName(QStringLiteral("PReductRate")).SetAsString(SFNewTip->EReduct->text());
        ds->Post();
    } catch (const EConvertError& e) {
        ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
    DBGridTTable->ClearRowSelection();
}

void TFTable::DataSetDelete1Execute()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus != DBGridTTable && !(focus && DBGridTTable->isAncestorOf(focus)) &&
        !m_popup->isVisible())
        return;
    if (ShowMessage(ULang::AskDeleteSelected, ULang::CaptionDelete, MsgIcon::Question,
                    MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    if (!DeleteSelectedRows(*m_dm.ADOTableTip, GridSelection(*DBGridTTable)))
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    DBGridTTable->ClearRowSelection();
}

void TFTable::RestoreSettings(SettingsStore& store)
{
    QList<int> order;
    for (const QString& part :
         store.Value(Section(), KeyOrder).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
        order << part.toInt();
    DBGridTTable->SetColumnOrder(order);
    DBGridTTable->SetColumnWidths({store.Value(Section(), KeyWidth0, -1).toInt(),
                                   store.Value(Section(), KeyWidth1, -1).toInt()});
}

void TFTable::SaveSettings(SettingsStore& store) const
{
    QStringList order;
    for (int i : DBGridTTable->ColumnOrder())
        order << QString::number(i);
    store.SetValue(Section(), KeyOrder, order.join(QLatin1Char(',')));
    QList<int> widths = DBGridTTable->ColumnWidths();
    store.SetValue(Section(), KeyWidth0, widths.value(0));
    store.SetValue(Section(), KeyWidth1, widths.value(1));
}
