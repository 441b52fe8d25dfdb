// Buffer meters, verifications and external rows moved into the archive.
#include "support/transferfixture.h"
#include "transfer/archivetransfer.h"

#include <QSqlQuery>

namespace
{

class ArchiveTransferTest : public TransferFixture
{
  protected:
    ArchiveTransfer Transfer() { return ArchiveTransfer(*dm); }

    QVariant ArchiveValue(const QString& sql, const QVariantList& bindings = {})
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName(), false));
        EXPECT_TRUE(q.prepare(sql));
        for (const QVariant& b : bindings)
            q.addBindValue(b);
        EXPECT_TRUE(q.exec());
        return q.next() ? q.value(0) : QVariant();
    }
};

struct TypeMatchCase {
    const char* archive;
    const char* buffer;
    bool newType;
};

class TypeMatching : public ArchiveTransferTest, public ::testing::WithParamInterface<TypeMatchCase>
{
};

TEST_P(TypeMatching, BufferTypeFindsArchiveTypeIgnoringCaseAndTrailingBlanks)
{
    const TypeMatchCase& c = GetParam();
    AddType(QString::fromUtf8(c.archive), QStringLiteral("800"));
    AddBufferMeter(QString::fromUtf8(c.buffer), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    ASSERT_TRUE(Transfer().TransIdentRecord());
    EXPECT_EQ(Rows("TTip"), c.newType ? 2 : 1);
    EXPECT_EQ(Rows("TIdent"), 1);
    EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TypeMatching,
                         ::testing::Values(TypeMatchCase{"CE101", "ce101   ", false},
                                           TypeMatchCase{"СО-И446", "со-и446", false},
                                           TypeMatchCase{"СО-И446", "СО-И446 ", false},
                                           TypeMatchCase{"CE101", " CE101", true},
                                           TypeMatchCase{"CE101", "CE102", true}));

TEST_F(ArchiveTransferTest, MeterTransferUpdatesTheConstantAndAVerificationTransferDoesNot)
{
    AddType(QStringLiteral("CE101"), QStringLiteral("1600"));
    AddBufferMeter(QStringLiteral("CE101"), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    AddBufferVerification(QDate(2007, 6, 15), 12.5, 2);

    ASSERT_EQ(Transfer().ATransResult(RowSelection::Everything()), ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(ArchiveValue(QStringLiteral("select PReductRate from TTip")).toDouble(), 1600);

    ASSERT_TRUE(Transfer().TransIdentRecord());
    EXPECT_EQ(ArchiveValue(QStringLiteral("select PReductRate from TTip")).toDouble(), 800);
    EXPECT_EQ(Rows("TTip"), 1);
    EXPECT_EQ(Rows("TIdent"), 1);
}

TEST_F(ArchiveTransferTest, UnknownTypeAndMeterAreCreatedWithZerosAndUnknownMaker)
{
    AddBufferMeter(QStringLiteral("CE101  "), 1600, QStringLiteral("N1 "),
                   QStringLiteral("Ул. 1  "));
    AddBufferVerification(QDate(2007, 6, 15), 12.5, 3, 2);
    ASSERT_TRUE(Transfer().TransIdentRecord());

    QSqlQuery q(QSqlDatabase::database(dm->ConnectionName(), false));
    ASSERT_TRUE(
        q.exec(QStringLiteral("select PTipCH, PUnom, PInom, PReductRate, PClassT from TTip")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("CE101"));
    EXPECT_EQ(q.value(1).toDouble(), 0);
    EXPECT_EQ(q.value(2).toDouble(), 0);
    EXPECT_EQ(q.value(3).toDouble(), 1600);
    EXPECT_EQ(q.value(4).toDouble(), 0);
    ASSERT_TRUE(
        q.exec(QStringLiteral("select PNumber, PAddress, PMaker, PYearOutput from TIdent")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("N1"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("Ул. 1"));
    EXPECT_EQ(q.value(2).toString(), ULang::UnknownMaker);
    EXPECT_EQ(q.value(3).toInt(), 0);
    ASSERT_TRUE(
        q.exec(QStringLiteral("select PSamohod, POrmix, PDateMeasure, PUSamohod from TData")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
    EXPECT_EQ(q.value(1).toDouble(), 12.5);
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("2007-06-15"));
    EXPECT_EQ(q.value(3).toDouble(), 230);
    EXPECT_EQ(Rows("TResult"), 3);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from TResult where PFPMeasure = '0.8/C'")), 3);
    // Each result hangs under the new verification, which hangs under the new meter.
    EXPECT_EQ(Count(QStringLiteral(
                  "select count(*) from TResult r join TData d on r.PSecIndex = d.PIndex "
                  "join TIdent i on d.PSecIndex = i.PIndex")),
              3);
}

TEST_F(ArchiveTransferTest, SecondTransferDoublesVerificationsAndResultsButNotTheMeter)
{
    AddBufferMeter(QStringLiteral("CE101"), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    AddBufferVerification(QDate(2007, 6, 15), 1, 10);
    AddBufferVerification(QDate(2007, 6, 16), 2, 5);
    ASSERT_TRUE(Transfer().TransIdentRecord());
    ASSERT_TRUE(Transfer().TransIdentRecord());
    EXPECT_EQ(Rows("TTip"), 1);
    EXPECT_EQ(Rows("TIdent"), 1);
    EXPECT_EQ(Rows("TData"), 4);
    EXPECT_EQ(Rows("TResult"), 30);
    // The views show what was written last.
    EXPECT_EQ(dm->ADOData->RecordCount(), 4);
    EXPECT_EQ(dm->ADOResult->RecordCount(), 5);
}

TEST_F(ArchiveTransferTest, SelectionWalkTransfersMarkedRowsAllRowsOrNothing)
{
    qint64 first =
        AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N2"), QStringLiteral("A1"));
    qint64 third =
        AddBufferMeter(QStringLiteral("T2"), 800, QStringLiteral("N3"), QStringLiteral("A1"));

    EXPECT_EQ(Transfer().ATransIdent(RowSelection{}), ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(Rows("TIdent"), 0);

    EXPECT_EQ(Transfer().ATransIdent(RowSelection::Marked({third, first})),
              ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(Rows("TIdent"), 2);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from TIdent where PNumber = 'N2'")), 0);

    EXPECT_EQ(Transfer().AINArchiv(), ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(Rows("TTip"), 2);
    EXPECT_EQ(Rows("TIdent"), 3);
}

TEST_F(ArchiveTransferTest, RefusedMeterEndsTheTransferAndKeepsWhatWasPostedBefore)
{
    AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    AddBufferVerification(QDate(2007, 6, 15), 1, 2);
    AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("   "),
                   QStringLiteral("A2")); // blank number
    AddBufferVerification(QDate(2007, 6, 15), 1, 2);
    AddBufferMeter(QStringLiteral("T2"), 800, QStringLiteral("N3"), QStringLiteral("A3"));

    EXPECT_EQ(Transfer().AINArchiv(), ArchiveTransfer::Outcome::Refused);
    EXPECT_TRUE(HasMessage(ULang::FillAllFields));
    EXPECT_EQ(Rows("TTip"), 1);
    EXPECT_EQ(Rows("TIdent"), 1);
    EXPECT_EQ(Rows("TData"), 1);
    EXPECT_EQ(Rows("TResult"), 2);
    // The refused meter waits in its grid to be completed or cancelled.
    EXPECT_EQ(dm->ADOIdent->GetState(), DataSet::State::Insert);
}

TEST_F(ArchiveTransferTest, PendingArchiveEditThatCannotBePostedStopsTheTransferBeforeMatching)
{
    AddType(QStringLiteral("T1"));
    ASSERT_TRUE(dm->ADOTip->Edit());
    dm->ADOTip->FieldByName(QStringLiteral("PUnom")).Clear(); // incomplete: the post is refused
    AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N1"), QStringLiteral("A1"));
    EXPECT_FALSE(Transfer().TransIdentRecord());
    EXPECT_EQ(Rows("TTip"), 1);
    EXPECT_EQ(Rows("TIdent"), 0);
}

TEST_F(ArchiveTransferTest, ProgressIsReportedAndCanStopBetweenMeters)
{
    for (int i = 0; i < 4; ++i)
        AddBufferMeter(QStringLiteral("T1"), 800, QStringLiteral("N%1").arg(i),
                       QStringLiteral("A"));
    std::vector<std::pair<int, int>> calls;
    auto outcome = Transfer().AINArchiv([&calls](int done, int total) {
        calls.emplace_back(done, total);
        return done < 2;
    });
    EXPECT_EQ(outcome, ArchiveTransfer::Outcome::Stopped);
    EXPECT_EQ(Rows("TIdent"), 2);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls.back(), std::make_pair(2, 4));
}

TEST_F(ArchiveTransferTest, VerificationTransferCopiesChosenVerificationsUnderTheMatchingMeter)
{
    AddType(QStringLiteral("T1"));
    AddMeter(QStringLiteral("N1"), QStringLiteral("A1"));
    AddBufferMeter(QStringLiteral("t1"), 800, QStringLiteral("n1"), QStringLiteral("a1"));
    qint64 v1 = AddBufferVerification(QDate(2007, 6, 15), 10, 2);
    AddBufferVerification(QDate(2007, 6, 16), 20, 3);
    qint64 v3 = AddBufferVerification(QDate(2007, 6, 17), 30, 4);

    EXPECT_EQ(Transfer().ATransResult(RowSelection{}), ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(Rows("TData"), 0);

    EXPECT_EQ(Transfer().ATransResult(RowSelection::Marked({v3, v1})),
              ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(Rows("TIdent"), 1);
    EXPECT_EQ(Rows("TData"), 2);
    EXPECT_EQ(Rows("TResult"), 6);

    EXPECT_EQ(Transfer().ATransResult(RowSelection::Everything()), ArchiveTransfer::Outcome::Done);
    EXPECT_EQ(Rows("TData"), 5);
    EXPECT_EQ(Rows("TResult"), 15);
    // Every verification keeps its own date and reading.
    EXPECT_EQ(Count(QStringLiteral(
                  "select count(*) from TData where PDateMeasure = '2007-06-16' and POrmix = 20")),
              1);
    EXPECT_EQ(Count(QStringLiteral(
                  "select count(*) from TData where PDateMeasure = '2007-06-17' and POrmix = 30")),
              2);
}

// External rows: a table in the archive file stands in for the external-data grid's view.
class ExternalCopyTest : public ArchiveTransferTest
{
  protected:
    std::unique_ptr<DataSet> External(const QString& columns, const QList<QVariantList>& rows)
    {
        QSqlDatabase db = QSqlDatabase::database(dm->ConnectionName(), false);
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(QStringLiteral("drop table if exists Ext")));
        EXPECT_TRUE(q.exec(QStringLiteral("create table Ext (%1)").arg(columns)));
        for (const QVariantList& row : rows) {
            QStringList marks(row.size(), QStringLiteral("?"));
            EXPECT_TRUE(q.prepare(
                QStringLiteral("insert into Ext values (%1)").arg(marks.join(QLatin1Char(',')))));
            for (const QVariant& v : row)
                q.addBindValue(v);
            EXPECT_TRUE(q.exec());
        }
        auto ds = std::make_unique<DataSet>(QStringLiteral("ADOExt"), dm->ConnectionName(),
                                            QString(), QStringLiteral("select * from Ext"));
        ds->Open();
        return ds;
    }

    static RowSelection AllMarked(DataSet& ds)
    {
        QList<qint64> marks;
        for (int r = 0; r < ds.RecordCount(); ++r)
            marks << ds.BookmarkAt(r);
        return RowSelection::Marked(marks);
    }

    const QString layout = QStringLiteral("Num TEXT, Maker TEXT, Year INTEGER, Addr TEXT");
};

TEST_F(ExternalCopyTest, RepeatsAreSkippedAndCounted)
{
    AddType(QStringLiteral("T1"));
    AddMeter(QStringLiteral("N1"), QStringLiteral("A1"));
    AddMeter(QStringLiteral("N2"), QStringLiteral("A2"));
    auto ext = External(layout, {{"N1", "Завод", 2001, "a1"},
                                 {"N3", "Завод", 2002, "A3  "},
                                 {"n2 ", "Завод", 2003, "A2"},
                                 {"N4", "Завод", 2004, "A4"},
                                 {"N5", "Завод", 2005, "A5"}});
    auto counts = Transfer().ATransIdentSQL(*ext, AllMarked(*ext));
    EXPECT_EQ(counts.total, 5);
    EXPECT_EQ(counts.copied, 3);
    EXPECT_EQ(counts.skipped, 2);
    EXPECT_FALSE(counts.refused);
    EXPECT_EQ(Rows("TIdent"), 5);
    EXPECT_EQ(
        Count(QStringLiteral("select count(*) from TIdent where PNumber = 'N3' and PAddress = 'A3' "
                             "and PMaker = 'Завод' and PYearOutput = 2002")),
        1);
}

TEST_F(ExternalCopyTest, TwoMarkedRowsForOneMeterCopyOnce)
{
    AddType(QStringLiteral("T1"));
    auto ext = External(layout, {{"N1", "Завод", 2001, "A1"}, {"N1", "Завод", 2001, "a1"}});
    auto counts = Transfer().ATransIdentSQL(*ext, AllMarked(*ext));
    EXPECT_EQ(counts.copied, 1);
    EXPECT_EQ(counts.skipped, 1);
    EXPECT_EQ(Rows("TIdent"), 1);
}

TEST_F(ExternalCopyTest, SelectAllCopiesEveryRowAndNothingSelectedCopiesNothing)
{
    AddType(QStringLiteral("T1"));
    auto ext = External(layout, {{"N1", "Завод", 2001, "A1"}, {"N2", "Завод", 2001, "A2"}});
    EXPECT_EQ(Transfer().ATransIdentSQL(*ext, RowSelection{}).total, 0);
    EXPECT_EQ(Rows("TIdent"), 0);
    EXPECT_EQ(Transfer().ATransIdentSQL(*ext, RowSelection::Everything()).copied, 2);
}

TEST_F(ExternalCopyTest, EmptyMakerIsRefusedAndEndsTheCopy)
{
    AddType(QStringLiteral("T1"));
    auto ext = External(
        layout, {{"N1", "Завод", 2001, "A1"}, {"N2", "", 2001, "A2"}, {"N3", "Завод", 2001, "A3"}});
    auto counts = Transfer().ATransIdentSQL(*ext, AllMarked(*ext));
    EXPECT_TRUE(counts.refused);
    EXPECT_EQ(counts.copied, 1);
    EXPECT_TRUE(HasMessage(ULang::FillAllFields));
    EXPECT_EQ(Rows("TIdent"), 1);
}

TEST_F(ExternalCopyTest, LongKeyTextsAreMatchedAsTheyWouldBeStored)
{
    AddType(QStringLiteral("T1"));
    AddMeter(QStringLiteral("123456789"), QStringLiteral("A1"));
    auto ext = External(layout, {{"1234567890", "Завод", 2001, "A1"}});
    auto counts = Transfer().ATransIdentSQL(*ext, AllMarked(*ext));
    EXPECT_EQ(counts.skipped, 1);
    EXPECT_EQ(Rows("TIdent"), 1);
}

struct LayoutCase {
    const char* columns;
    bool withType;
    QString message;
};

class ExternalLayout : public ExternalCopyTest, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(ExternalLayout, ColumnsAndTypeAreCheckedBeforeCopying)
{
    const LayoutCase& c = GetParam();
    if (c.withType)
        AddType(QStringLiteral("T1"));
    auto ext = External(QString::fromUtf8(c.columns), {});
    EXPECT_EQ(Transfer().CheckExternalCopy(*ext), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExternalLayout,
    ::testing::Values(
        LayoutCase{"Num TEXT, Maker TEXT, Year INTEGER, Addr TEXT", true, QString()},
        LayoutCase{"Num TEXT, Maker TEXT, Year INTEGER, Addr TEXT, Extra REAL", true, QString()},
        LayoutCase{"Num TEXT, Maker TEXT, Year INTEGER", true, ULang::NotEnoughData},
        LayoutCase{"Num TEXT, Maker TEXT, Year REAL, Addr TEXT", true, ULang::DataTypeMismatch},
        LayoutCase{"Num TEXT, Maker TEXT, Year TEXT, Addr TEXT", true, ULang::DataTypeMismatch},
        LayoutCase{"Num INTEGER, Maker TEXT, Year INTEGER, Addr TEXT", true,
                   ULang::DataTypeMismatch},
        LayoutCase{"Num TEXT, Maker TEXT, Year INTEGER, Addr REAL", true, ULang::DataTypeMismatch},
        LayoutCase{"Num TEXT, Maker TEXT, Year INTEGER, Addr TEXT", false,
                   ULang::MeterTypeUndefined}));

} // namespace
