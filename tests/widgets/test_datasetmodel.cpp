// The dataset model under QAbstractItemModelTester through everything a view of the archive goes
// through: master moves, appends, cancels, edits, deletes in bulk, re-reads, sorting, closing.
#include "database/deleteselectedrows.h"
#include "support/archivefixture.h"
#include "support/checkedmodel.h"
#include "widgets/datasetmodel.h"

namespace
{

class DataSetModelTest : public ArchiveFixture
{
  protected:
    // The model agrees with its dataset and the tester found nothing wrong.
    void Check(const char* step)
    {
        SCOPED_TRACE(step);
        DataSet* ds = model.GetDataSet();
        EXPECT_EQ(model.rowCount(), ds->Active() ? ds->RecordCount() : 0);
        for (int row = 0; row < model.rowCount(); ++row)
            EXPECT_EQ(model.index(row, 0).data().toString(), model.DisplayText(row, 0));
        EXPECT_TRUE(CheckedModel::Failures().isEmpty())
            << CheckedModel::Failures().join(QLatin1Char('\n')).toStdString();
        CheckedModel::Failures().clear();
    }

    DataSetModel model;
};

TEST_F(DataSetModelTest, DetailViewThroughItsWholeLife)
{
    AddType(QStringLiteral("A"));
    for (const char* n : {"1", "2", "3"})
        AddMeter(QLatin1String(n), QStringLiteral("кв. 1"));
    AddType(QStringLiteral("B"));
    AddType(QStringLiteral("C"));
    for (const char* n : {"7", "8"})
        AddMeter(QLatin1String(n), QStringLiteral("кв. 2"));

    DataSet& types = *dm->ADOTip;
    DataSet& meters = *dm->ADOIdent;
    model.SetDataSet(&meters);
    CheckedModel checked(&model);
    Check("bound");

    types.First();
    Check("master to a type with three meters");
    types.Next();
    Check("master to a type without meters");
    types.Last();
    Check("master to a type with two meters");

    ASSERT_TRUE(meters.Append());
    Check("append");
    meters.Cancel();
    Check("cancelled append");
    ASSERT_TRUE(dm->AddIdent(QStringLiteral("9"), QStringLiteral("кв. 3"), QStringLiteral("З"),
                             QStringLiteral("2001")));
    Check("posted append");
    ASSERT_TRUE(meters.Edit());
    meters.FieldByName(QStringLiteral("PMaker")).SetAsString(QStringLiteral("Завод 2"));
    ASSERT_TRUE(meters.Post());
    Check("edit");
    meters.SetSort(QStringLiteral("PNumber DESC"));
    Check("sorted");
    meters.First();
    meters.Delete();
    Check("delete");
    ASSERT_TRUE(DeleteSelectedRows(meters, RowSelection::Everything()));
    Check("every row deleted with the grid told once");
    meters.Requery();
    Check("re-read");
    types.First();
    Check("back to the first type");
    meters.Close();
    Check("closed");
    meters.Open();
    Check("opened");
    model.SetColumns({{.field = QStringLiteral("PAddress")}, {.field = QStringLiteral("PNumber")}});
    Check("columns chosen");
}

} // namespace
