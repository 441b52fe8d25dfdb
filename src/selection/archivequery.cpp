// Query builder statement: which tables, which columns, DISTINCT or not, and the conditions.
#include "selection/archivequery.h"

#include "core/utools.h"
#include "database/tdm.h"
#include "selection/checktree.h"
#include "selection/selectionkeys.h"
#include "selection/selectionsql.h"

#include <algorithm>

namespace ArchiveQuery
{

namespace
{

using namespace SelectionSql;

// Tables of the FROM text and the distinct word, by the groups of the chosen columns. The first
// matching rule decides; the rules cover every non-empty choice of groups. Tables are always
// tied by their keys: listed side by side without a join they would give every combination of
// their rows.
struct Shape {
    int first;
    int last;
    bool distinct;
};

Shape ShapeOf(bool types, bool meters, bool verifications, bool results, bool tree,
              bool dateOrError)
{
    if (results && !types && !meters && !verifications)
        return tree ? Shape{TTip, TResult, false} : Shape{TData, TResult, true};
    if (types && results)
        return {TTip, TResult, false};
    if (meters && results)
        return tree ? Shape{TTip, TResult, false} : Shape{TIdent, TResult, false};
    if (verifications && results && !meters)
        return tree ? Shape{TTip, TResult, false} : Shape{TData, TResult, false};
    if (!(meters && verifications && !types)) // types, meters or verifications without results
        return dateOrError ? Shape{TTip, TResult, true} : Shape{TTip, TData, true};
    return tree ? Shape{TTip, TData, false} : Shape{TIdent, TData, false};
}

const QString MinMaxDate = QStringLiteral(
    "(TData.PDateMeasure = (select %1(D.PDateMeasure) from TData D where D.PSecIndex = "
    "TIdent.PIndex))");
// The smallest or largest error among all results of the row's meter, through its verifications.
const QString MinMaxError = QStringLiteral(
    "(TResult.PMistakeMeasure = (select %1(R.PMistakeMeasure) from TData D INNER JOIN TResult R "
    "ON (D.PIndex = R.PSecIndex) where D.PSecIndex = TIdent.PIndex))");

QString MinOrMax(const QString& choice)
{
    return choice == QStringLiteral("Min") ? QStringLiteral("min") : QStringLiteral("max");
}

} // namespace

const SelectionKeys& Keys()
{
    static const SelectionKeys keys(
        QStringLiteral("QueryKeys"),
        {QStringLiteral("TI"), QStringLiteral("II"), QStringLiteral("DI")});
    return keys;
}

ArchiveQueryStatement Build(const ArchiveQueryChoices& c, bool treeKeys)
{
    ArchiveQueryStatement s;

    // Select list and group flags.
    QString list;
    bool group[4] = {false, false, false, false};
    for (int i = 0; i < QueryColumnCount; ++i) {
        if (!c.columns.test(static_cast<std::size_t>(i)))
            continue;
        const QueryColumn& col = QueryColumns().at(static_cast<std::size_t>(i));
        if (!list.isEmpty())
            list += QLatin1Char(',');
        list += QLatin1Char(' ') + col.sqlName;
        group[static_cast<int>(col.group)] = true;
    }
    if (list.isEmpty())
        return s;

    Shape shape = ShapeOf(group[0], group[1], group[2], group[3], treeKeys, c.byDate || c.byError);
    bool distinct = shape.distinct;

    // Date condition.
    QString date;
    QVariantList values;
    if (c.byDate) {
        switch (c.date) {
        case DateChoice::Before:
            date = QStringLiteral("(TData.PDateMeasure < ?)");
            values << StoredDay(c.dateBefore);
            break;
        case DateChoice::After:
            date = QStringLiteral("(TData.PDateMeasure > ?)");
            values << StoredDay(c.dateAfter);
            break;
        case DateChoice::Range:
            date = QStringLiteral("((TData.PDateMeasure > ?) and (TData.PDateMeasure < ?))");
            values << StoredDay(c.dateFrom) << StoredDay(c.dateTo);
            break;
        case DateChoice::Condition:
            date = MinMaxDate.arg(MinOrMax(c.dateCondition));
            distinct = true;
            shape.first = std::min(shape.first, int(TIdent));
            break;
        }
    }

    // Error condition.
    QString error;
    bool unreadable = false;
    auto bound = [&](const QString& text) {
        std::optional<double> v = ErrorBound(text);
        unreadable = unreadable || !v;
        values << (v ? *v : 0.0);
    };
    if (c.byError) {
        auto empty = [](const QString& text) { return text.trimmed().isEmpty(); };
        switch (c.error) {
        case ErrorChoice::Less:
            if (empty(c.errorLess)) {
                s.outcome = ArchiveQueryStatement::Outcome::Stopped;
                return s;
            }
            error = QStringLiteral("(TResult.PMistakeMeasure < ?)");
            bound(c.errorLess);
            break;
        case ErrorChoice::Greater:
            if (empty(c.errorGreater)) {
                s.outcome = ArchiveQueryStatement::Outcome::Stopped;
                return s;
            }
            error = QStringLiteral("(TResult.PMistakeMeasure > ?)");
            bound(c.errorGreater);
            break;
        case ErrorChoice::Range: {
            std::optional<double> from = ErrorBound(c.errorFrom);
            std::optional<double> to = ErrorBound(c.errorTo);
            if (empty(c.errorFrom) || empty(c.errorTo) || (from && to && *from > *to)) {
                s.outcome = ArchiveQueryStatement::Outcome::Stopped;
                return s;
            }
            error = QStringLiteral(
                "((TResult.PMistakeMeasure >= ?) and (TResult.PMistakeMeasure <= ?))");
            bound(c.errorFrom);
            bound(c.errorTo);
            break;
        }
        case ErrorChoice::Condition:
            error = MinMaxError.arg(MinOrMax(c.errorCondition));
            distinct = true;
            shape.first = std::min(shape.first, int(TIdent));
            break;
        }
        // The error names the results: a FROM text without them gets them, joined by keys.
        shape.last = TResult;
    }

    QString from = KeyChain(shape.first, shape.last);
    if (treeKeys) {
        from = QLatin1Char('(') + from + QStringLiteral(") INNER JOIN ") + Keys().Table() +
               QStringLiteral(" ON ") +
               Keys().JoinCondition({QStringLiteral("TTip.PIndex"), QStringLiteral("TIdent.PIndex"),
                                     QStringLiteral("TData.PIndex")});
    }

    QString where;
    if (!date.isEmpty())
        where = QStringLiteral(" Where (") + date +
                (error.isEmpty() ? QString() : QStringLiteral(" and ") + error) + QLatin1Char(')');
    else if (!error.isEmpty())
        where = QStringLiteral(" Where ") + error;

    s.outcome = unreadable ? ArchiveQueryStatement::Outcome::Unreadable
                           : ArchiveQueryStatement::Outcome::Ready;
    s.fields =
        QStringLiteral("Select ") + (distinct ? QStringLiteral(" DISTINCT ") : QString()) + list;
    s.from = QStringLiteral(" From ") + from + where;
    s.values = values;
    return s;
}

RunResult Run(TDM& dm, const ArchiveQueryChoices& choices, const CheckTree& tree)
{
    std::vector<qint32> paths;
    if (choices.byTree)
        paths = tree.CheckedPaths();
    ArchiveQueryStatement s = Build(choices, !paths.empty());
    switch (s.outcome) {
    case ArchiveQueryStatement::Outcome::NoColumns:
        return RunResult::NoColumns;
    case ArchiveQueryStatement::Outcome::Stopped:
        return RunResult::Stopped;
    default:
        break;
    }
    LastSelectFields = s.fields;
    LastSelectFrom = s.from;
    LastSelectValues = s.values;
    DataSet* result = dm.ADODataSetSQL;
    try {
        result->Close();
        if (s.outcome == ArchiveQueryStatement::Outcome::Unreadable)
            throw DatabaseError(QStringLiteral("error bound is no number"));
        if (!paths.empty()) {
            Transaction keys(dm.ConnectionName());
            Keys().Write(dm.ConnectionName(), paths);
            keys.Commit();
        }
        result->SetCommandText(s.Text(), s.values);
        result->Open();
    } catch (const DatabaseError&) {
        LastSelectState = 2;
        return RunResult::Failed;
    }
    LastSelectState = 1;
    return RunResult::Done;
}

} // namespace ArchiveQuery
