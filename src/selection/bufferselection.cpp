// Buffer selection: one DISTINCT insert of type, constant, number and address per archive meter.
#include "selection/bufferselection.h"

#include "database/tdm.h"
#include "selection/checktree.h"
#include "selection/selectionkeys.h"
#include "selection/selectionsql.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace BufferSelection
{

using namespace SelectionSql;

const SelectionKeys& Keys()
{
    static const SelectionKeys keys(QStringLiteral("BufferKeys"),
                                    {QStringLiteral("TI"), QStringLiteral("II")});
    return keys;
}

BufferSelectionStatement Build(const BufferSelectionChoices& c, bool treeKeys)
{
    BufferSelectionStatement s;
    QStringList conditions;

    // A meter qualifies through the results of its verifications, by their own date.
    if (c.byDate) {
        switch (c.date) {
        case BufferSelectionChoices::Date::Before:
            conditions << QStringLiteral("(TResult.PDateMeasure < ?)");
            s.values << StoredDay(c.dateBefore);
            break;
        case BufferSelectionChoices::Date::After:
            conditions << QStringLiteral("(TResult.PDateMeasure > ?)");
            s.values << StoredDay(c.dateAfter);
            break;
        case BufferSelectionChoices::Date::Range:
            conditions << QStringLiteral(
                "((TResult.PDateMeasure > ?) and (TResult.PDateMeasure < ?))");
            s.values << StoredDay(c.dateFrom) << StoredDay(c.dateTo);
            break;
        }
    }
    if (c.byError) {
        auto bound = [&s](const QString& text) {
            std::optional<double> v = text.trimmed().isEmpty() ? std::nullopt : ErrorBound(text);
            s.readable = s.readable && v.has_value();
            s.values << (v ? *v : 0.0);
        };
        switch (c.error) {
        case BufferSelectionChoices::Error::Less:
            conditions << QStringLiteral("(TResult.PMistakeMeasure < ?)");
            bound(c.errorLess);
            break;
        case BufferSelectionChoices::Error::Greater:
            conditions << QStringLiteral("(TResult.PMistakeMeasure > ?)");
            bound(c.errorGreater);
            break;
        case BufferSelectionChoices::Error::Range:
            conditions << QStringLiteral(
                "((TResult.PMistakeMeasure > ?) and (TResult.PMistakeMeasure < ?))");
            bound(c.errorFrom);
            bound(c.errorTo);
            break;
        }
    }

    QString from = KeyChain(TTip, conditions.isEmpty() ? TIdent : TResult);
    if (treeKeys)
        from =
            QLatin1Char('(') + from + QStringLiteral(") INNER JOIN ") + Keys().Table() +
            QStringLiteral(" ON ") +
            Keys().JoinCondition({QStringLiteral("TTip.PIndex"), QStringLiteral("TIdent.PIndex")});
    QString where = conditions.isEmpty()
                        ? QString()
                        : QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    s.insert = QStringLiteral("INSERT INTO TSTip (PTipCH, PReductRate, PNumber, PAddress) select "
                              "DISTINCT TTip.PTipCH, TTip.PReductRate, TIdent.PNumber, "
                              "TIdent.PAddress from ") +
               from + where;
    return s;
}

bool Run(TDM& dm, const BufferSelectionChoices& choices, const CheckTree& tree)
{
    std::vector<qint32> pairs;
    if (choices.byTree)
        pairs = tree.CheckedPaths();
    BufferSelectionStatement s = Build(choices, !pairs.empty());
    bool ok = s.readable;
    dm.ADOSinchroResult->Close();
    dm.ADOSinchro->Close();
    if (ok) {
        try {
            // One transaction: a refused insert must not leave the buffer without its meters.
            Transaction rewrite(dm.ConnectionName());
            if (!pairs.empty())
                Keys().Write(dm.ConnectionName(), pairs);
            QSqlQuery q(QSqlDatabase::database(dm.ConnectionName(), false));
            if (!q.exec(QStringLiteral("DELETE FROM TSTip")))
                throw DatabaseError(q.lastError().text());
            if (!q.prepare(s.insert))
                throw DatabaseError(q.lastError().text());
            for (int i = 0; i < s.values.size(); ++i)
                q.bindValue(i, s.values.at(i));
            if (!q.exec())
                throw DatabaseError(q.lastError().text());
            q.finish();
            rewrite.Commit();
        } catch (const DatabaseError&) {
            ok = false;
        }
    }
    try {
        dm.ADOSinchro->Open();
        dm.ADOSinchroResult->Open();
    } catch (const DatabaseError&) {
        ok = false;
    }
    return ok;
}

} // namespace BufferSelection
