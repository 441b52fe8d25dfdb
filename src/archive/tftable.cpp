// Meter types window: the grid of device types with its persisted column layout.
#include "archive/tftable.h"

#include "database/settingsstore.h"
#include "database/tdm.h"
#include "shell/ulang.h"
#include "widgets/dbgrid.h"

TFTable* FTable = nullptr;

namespace {
const QString KeyOrder = QStringLiteral("DBGridTTable.Columns.ColumnsIndex");
const QString KeyWidth0 = QStringLiteral("DBGridTTable.Columns.Item0.Width");
const QString KeyWidth1 = QStringLiteral("DBGridTTable.Columns.Item1.Width");
} // namespace

TFTable::TFTable(TDM& dm, QWidget* parent)
    : MdiChild(ULang::MeterTypesCaption, QStringLiteral("TFTable.REGEH"), parent), DBGridTTable(new DBGrid)
{
    setObjectName(QStringLiteral("FTable"));
    DBGridTTable->setObjectName(QStringLiteral("DBGridTTable"));
    GridColumn tip;
    tip.field = QStringLiteral("PTip");
    tip.title = ULang::MeterType;
    tip.width = 88;
    GridColumn rate;
    rate.field = QStringLiteral("PReductRate");
    rate.title = ULang::MeterConstantColumn;
    rate.width = 141;
    DBGridTTable->SetDataSet(dm.ADOTableTip, {tip, rate});
    setWidget(DBGridTTable);
    TrackGrid(DBGridTTable);
    resize(300, 400);
    if (!FTable)
        FTable = this;
}

void TFTable::RestoreSettings(SettingsStore& store)
{
    QList<int> order;
    for (const QString& part : store.Value(Section(), KeyOrder).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
        order << part.toInt();
    DBGridTTable->SetColumnOrder(order);
    DBGridTTable->SetColumnWidths({store.Value(Section(), KeyWidth0, -1).toInt(), store.Value(Section(), KeyWidth1, -1).toInt()});
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
