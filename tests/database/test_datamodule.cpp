// The data module: opening the archive, the checks on posting, master links, cascades, settings.
#include "support/archivefixture.h"

#include "core/utools.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace
{

using State = DataSet::State;

int CountRows(TDM& dm, const QString& table)
{
    QSqlQuery q(QSqlDatabase::database(dm.ConnectionName()));
    q.exec(QStringLiteral("select count(*) from ") + table);
    q.next();
    return q.value(0).toInt();
}

class DataModule : public ArchiveFixture
{
};

TEST_F(DataModule, TypeDesignationIsTrimmedAndUniqueIgnoringCase)
{
    struct Case {
        const char* first;
        const char* second;
        bool secondAccepted;
    } cases[] = {
        {"ABC  ", "abc", false}, {"со-и446", "СО-И446", false}, {"CE101", "CE102", true},
        {"A\"B", "a\"b", false}, {"A\"B", "A", true},           {"Ёж", "ёЖ", false},
        {" X", "X", true}, // leading blanks take part in the comparison
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        dm->ADOExport->SetCommandText(QStringLiteral("DELETE FROM TTip"));
        dm->ADOExport->Execute();
        dm->ADOTip->Requery();
        messages.clear();
        AddType(QString::fromUtf8(c.first));
        EXPECT_EQ(dm->ADOTip->FieldByName(QStringLiteral("PTipCH")).AsString(),
                  TrimTrailingBlanks(QString::fromUtf8(c.first)));
        bool posted = dm->AddTip(QString::fromUtf8(c.second), QStringLiteral("220"),
                                 QStringLiteral("5"), QStringLiteral("800"), QStringLiteral("2"));
        EXPECT_EQ(posted, c.secondAccepted);
        if (!c.secondAccepted) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, ULang::TypeExists);
            EXPECT_EQ(messages[0].caption, ULang::CaptionNewRecord);
            EXPECT_EQ(messages[0].icon, MsgIcon::Warning);
            // The refused row stays pending with what was entered.
            EXPECT_EQ(dm->ADOTip->GetState(), State::Insert);
            EXPECT_EQ(dm->ADOTip->FieldByName(QStringLiteral("PTipCH")).AsString(),
                      QString::fromUtf8(c.second));
            dm->ADOTip->Cancel();
        } else {
            EXPECT_TRUE(messages.empty());
        }
    }
}

TEST_F(DataModule, CompletenessCountsZeroButNotEmpty)
{
    EXPECT_TRUE(dm->AddTip(QStringLiteral("T0"), QStringLiteral("220"), QStringLiteral("0"),
                           QStringLiteral("800"), QStringLiteral("1")));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(dm->AddTip(QStringLiteral("T1"), QStringLiteral("220"), QString(),
                            QStringLiteral("800"), QStringLiteral("1")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::FillAllFields);
    EXPECT_EQ(messages[0].caption, ULang::CaptionError);
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(dm->ADOTip->GetState(), State::Insert);
    dm->ADOTip->Cancel();
    EXPECT_EQ(CountRows(*dm, QStringLiteral("TTip")), 1);
}

TEST_F(DataModule, TextThatIsNoNumberRaisesAndKeepsTheRowPending)
{
    EXPECT_THROW(dm->AddTip(QStringLiteral("T"), QStringLiteral("abc"), QStringLiteral("5"),
                            QStringLiteral("800"), QStringLiteral("1")),
                 EConvertError);
    EXPECT_EQ(dm->ADOTip->GetState(), State::Insert);
    dm->ADOTip->Cancel();
    EXPECT_EQ(CountRows(*dm, QStringLiteral("TTip")), 0);
}

TEST_F(DataModule, EditingATypeWithoutChangingItPosts)
{
    AddType(QStringLiteral("CE101"));
    ASSERT_TRUE(dm->ADOTip->Edit());
    dm->ADOTip->FieldByName(QStringLiteral("PUnom")).SetAsString(QStringLiteral("230"));
    EXPECT_TRUE(dm->ADOTip->Post());
    EXPECT_TRUE(messages.empty());
}

TEST_F(DataModule, MeterEditChecksNumberAndAddressWithinItsType)
{
    qint64 typeA = AddType(QStringLiteral("A"));
    AddMeter(QStringLiteral("1"), QStringLiteral("Улица 1"));
    AddMeter(QStringLiteral("2"), QStringLiteral("Улица 2"));
    // A new duplicate passes the module; entry panels refuse it before.
    EXPECT_TRUE(dm->AddIdent(QStringLiteral("2"), QStringLiteral("Улица 2"), QStringLiteral("З"),
                             QStringLiteral("1")));
    dm->ADOIdent->Delete();

    // Editing meter 2 into meter 1 of the same type is refused (case of the address ignored).
    ASSERT_TRUE(dm->ADOIdent->Locate({QStringLiteral("PNumber")}, {QStringLiteral("2")}));
    dm->ADOIdent->Edit();
    dm->ADOIdent->FieldByName(QStringLiteral("PNumber")).SetAsString(QStringLiteral("1  "));
    dm->ADOIdent->FieldByName(QStringLiteral("PAddress")).SetAsString(QStringLiteral("УЛИЦА 1"));
    EXPECT_FALSE(dm->ADOIdent->Post());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::MeterExists);
    EXPECT_EQ(dm->ADOIdent->FieldByName(QStringLiteral("PNumber")).AsString(), QStringLiteral("1"));
    dm->ADOIdent->Cancel();

    // The same number and address under another type are accepted.
    AddType(QStringLiteral("B"));
    AddMeter(QStringLiteral("9"), QStringLiteral("Улица 9"));
    dm->ADOIdent->Edit();
    dm->ADOIdent->FieldByName(QStringLiteral("PNumber")).SetAsString(QStringLiteral("1"));
    dm->ADOIdent->FieldByName(QStringLiteral("PAddress")).SetAsString(QStringLiteral("Улица 1"));
    EXPECT_TRUE(dm->ADOIdent->Post());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_NE(dm->ADOIdent->FieldByName(QStringLiteral("PSecIndex")).AsInteger(), typeA);
}

TEST_F(DataModule, DeviceTypeCheckAppliesToEditsOnly)
{
    for (const char* t : {"CE101", "ce101"}) {
        dm->ADOTableTip->Append();
        dm->ADOTableTip->FieldByName(QStringLiteral("PTip")).SetAsString(QString::fromUtf8(t));
        dm->ADOTableTip->FieldByName(QStringLiteral("PReductRate"))
            .SetAsString(QStringLiteral("800"));
        EXPECT_TRUE(dm->ADOTableTip->Post());
    }
    dm->ADOTableTip->Edit();
    dm->ADOTableTip->FieldByName(QStringLiteral("PReductRate")).SetAsString(QStringLiteral("1600"));
    EXPECT_FALSE(dm->ADOTableTip->Post());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::TypeExists);
}

TEST_F(DataModule, DetailsFollowTheirMasterAndAppendTakesItsKey)
{
    qint64 a = AddType(QStringLiteral("A"));
    AddMeter(QStringLiteral("1"), QStringLiteral("x"));
    AddMeter(QStringLiteral("2"), QStringLiteral("x"));
    qint64 b = AddType(QStringLiteral("B"));
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 0);
    qint64 m = AddMeter(QStringLiteral("3"), QStringLiteral("y"));
    EXPECT_EQ(dm->ADOIdent->FieldByName(QStringLiteral("PSecIndex")).AsInteger(), b);

    dm->ADOData->Append();
    EXPECT_EQ(dm->ADOData->FieldByName(QStringLiteral("PSecIndex")).AsInteger(), m);
    dm->ADOData->FieldByName(QStringLiteral("PSamohod")).SetAsString(QStringLiteral("99"));
    dm->ADOData->FieldByName(QStringLiteral("PDateMeasure"))
        .SetAsString(QStringLiteral("05/03/07"));
    ASSERT_TRUE(dm->ADOData->Post());
    dm->ADOResult->Append();
    dm->ADOResult->FieldByName(QStringLiteral("PMistakeMeasure"))
        .SetAsString(QStringLiteral("0.5"));
    ASSERT_TRUE(dm->ADOResult->Post());

    ASSERT_TRUE(dm->ADOTip->Locate({QStringLiteral("PIndex")}, {a}));
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 2);
    EXPECT_EQ(dm->ADOData->RecordCount(), 0);
    ASSERT_TRUE(dm->ADOTip->Locate({QStringLiteral("PTipCH")}, {QStringLiteral("b")}));
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 1);
    EXPECT_EQ(dm->ADOData->RecordCount(), 1);
    EXPECT_EQ(dm->ADOData->FieldByName(QStringLiteral("PDateMeasure")).AsDateTime().date(),
              QDate(2007, 3, 5));
    EXPECT_EQ(dm->ADOResult->RecordCount(), 1);

    // A type being appended has no key yet: its details are empty.
    dm->ADOTip->Append();
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 0);
    dm->ADOTip->Cancel();
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 1);
}

TEST_F(DataModule, DeletingATypeRemovesItsMetersVerificationsAndResults)
{
    AddType(QStringLiteral("A"));
    AddMeter(QStringLiteral("1"), QStringLiteral("x"));
    dm->ADOData->Append();
    dm->ADOData->FieldByName(QStringLiteral("PSamohod")).SetValue(0);
    ASSERT_TRUE(dm->ADOData->Post());
    dm->ADOResult->Append();
    dm->ADOResult->FieldByName(QStringLiteral("PUMeasure")).SetValue(220.0);
    ASSERT_TRUE(dm->ADOResult->Post());
    ArchiveChanged = false;
    dm->ADOTip->Delete();
    EXPECT_TRUE(ArchiveChanged);
    for (const char* t : {"TTip", "TIdent", "TData", "TResult"})
        EXPECT_EQ(CountRows(*dm, QLatin1String(t)), 0) << t;
    EXPECT_EQ(dm->ADOIdent->RecordCount(), 0);
}

TEST_F(DataModule, WholeTableStatementsRunWithTheViewClosedAllOrNone)
{
    struct Case {
        const char* name;
        const char* refuse; // a trigger that makes the database refuse, or nullptr
        bool fill;          // the meter types window's fill (delete, then insert), else empty
        bool ok;
        int typesLeft;
    } cases[] = {
        {"empty", nullptr, false, true, 0},
        {"fill", nullptr, true, true, 2},
        {"empty refused", "BEFORE DELETE ON TTableTip", false, false, 1},
        {"fill refused halfway", "BEFORE INSERT ON TTableTip", true, false, 1},
    };
    AddType(QStringLiteral("A"));
    AddType(QStringLiteral("B"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm->ADOExport->SetCommandText(QStringLiteral("DROP TRIGGER IF EXISTS refuse"));
        dm->ADOExport->Execute();
        dm->ADOExport->SetCommandText(QStringLiteral("DELETE FROM TTableTip"));
        dm->ADOExport->Execute();
        dm->ADOExport->SetCommandText(
            QStringLiteral("INSERT INTO TTableTip (PTip, PReductRate) VALUES ('OLD', 5)"));
        dm->ADOExport->Execute();
        if (c.refuse) {
            dm->ADOExport->SetCommandText(QStringLiteral("CREATE TEMP TRIGGER refuse %1 BEGIN "
                                                         "SELECT RAISE(ABORT, 'refused'); END")
                                              .arg(QLatin1String(c.refuse)));
            dm->ADOExport->Execute();
        }
        DataSet& view = *dm->ADOTableTip;
        const bool ok =
            c.fill ? dm->RunWithViewClosed(view, {QStringLiteral("DELETE FROM TTableTip"),
                                                  QStringLiteral("INSERT INTO TTableTip (PTip, "
                                                                 "PReductRate) SELECT PTipCH, "
                                                                 "PReductRate FROM TTip")})
                   : dm->EmptyTable(view);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(CountRows(*dm, QStringLiteral("TTableTip")), c.typesLeft);
        EXPECT_TRUE(view.Active());
        EXPECT_EQ(view.RecordCount(), c.typesLeft);
    }
}

TEST_F(DataModule, EmptyingTheBufferTakesVerificationsAndResultsAlong)
{
    DataSet& meters = *dm->ADOSinchro;
    ASSERT_TRUE(meters.Append());
    meters.FieldByName(QStringLiteral("PTipCH")).SetAsString(QStringLiteral("T"));
    meters.FieldByName(QStringLiteral("PNumber")).SetAsString(QStringLiteral("1"));
    ASSERT_TRUE(meters.Post());
    ASSERT_TRUE(dm->ADOSinchroData->Append());
    dm->ADOSinchroData->FieldByName(QStringLiteral("PSamohod")).SetValue(99);
    ASSERT_TRUE(dm->ADOSinchroData->Post());
    ASSERT_TRUE(dm->ADOSinchroResult->Append());
    ASSERT_TRUE(dm->ADOSinchroResult->Post());
    EXPECT_TRUE(dm->EmptyTable(meters));
    for (const char* table : {"TSTip", "TSData", "TSResult"})
        EXPECT_EQ(CountRows(*dm, QLatin1String(table)), 0) << table;
    EXPECT_TRUE(dm->ADOSinchroData->Active());
    EXPECT_TRUE(dm->ADOSinchroData->IsEmpty());
}

TEST_F(DataModule, PostingTypesAndMetersSetsTheChangeFlag)
{
    ArchiveChanged = false;
    AddType(QStringLiteral("A"));
    EXPECT_TRUE(ArchiveChanged);
    ArchiveChanged = false;
    dm->ADOTableTip->Append();
    dm->ADOTableTip->FieldByName(QStringLiteral("PTip")).SetAsString(QStringLiteral("A"));
    dm->ADOTableTip->FieldByName(QStringLiteral("PReductRate")).SetAsString(QStringLiteral("1"));
    dm->ADOTableTip->Post();
    EXPECT_FALSE(ArchiveChanged);
    AddMeter(QStringLiteral("1"), QStringLiteral("x"));
    EXPECT_TRUE(ArchiveChanged);
}

TEST_F(DataModule, KeepsFullWidthTextsAndCutsLongerOnes)
{
    AddType(QStringLiteral("123456789"));
    EXPECT_EQ(dm->ADOTip->FieldByName(QStringLiteral("PTipCH")).AsString(),
              QStringLiteral("123456789"));
    AddMeter(QStringLiteral("987654321"), QStringLiteral("Адрес-шестнадцат"));
    dm->ADOIdent->Requery();
    EXPECT_EQ(dm->ADOIdent->FieldByName(QStringLiteral("PAddress")).AsString(),
              QStringLiteral("Адрес-шестнадцат"));
    EXPECT_FALSE(dm->AddTip(QStringLiteral("1234567890"), QStringLiteral("1"), QStringLiteral("1"),
                            QStringLiteral("1"), QStringLiteral("1")));
    EXPECT_EQ(dm->ADOTip->FieldByName(QStringLiteral("PTipCH")).AsString(),
              QStringLiteral("123456789"));
    EXPECT_EQ(dm->ADOTip->GetState(), State::Insert); // refused: the cut text equals the first type
    dm->ADOTip->Cancel();
}

TEST_F(DataModule, ViewsCarryCaptionsHiddenKeysAndTheDateMask)
{
    const FieldDef& tip =
        dm->ADOTip->FieldDefAt(dm->ADOTip->FieldIndex(QStringLiteral("PReductRate")));
    EXPECT_EQ(tip.caption, QStringLiteral("А, имп/кВт*ч"));
    EXPECT_FALSE(dm->ADOTip->FieldDefAt(0).visible);
    EXPECT_TRUE(dm->ADOData->FieldDefAt(0).visible);
    EXPECT_TRUE(dm->ADOData->FieldDefAt(2).caption.isEmpty());
    const FieldDef& date = dm->ADOSinchroResult->FieldDefAt(
        dm->ADOSinchroResult->FieldIndex(QStringLiteral("PDateMeasure")));
    EXPECT_EQ(date.caption, QStringLiteral("Дата поверки"));
    EXPECT_EQ(date.editMask, QStringLiteral("!99/99/00;1;_"));
    EXPECT_GE(dm->ADORepData->FieldIndex(QStringLiteral("PSamohodS")), 0);
    EXPECT_GE(dm->ADOSinhroRepResult->FieldIndex(QStringLiteral("PMistMeasure")), 0);
}

TEST_F(DataModule, ReportViewsComputeTheirTexts)
{
    AddType(QStringLiteral("A"));
    AddMeter(QStringLiteral("1"), QStringLiteral("x"));
    dm->ADOData->Append();
    dm->ADOData->FieldByName(QStringLiteral("PSamohod")).SetValue(99);
    ASSERT_TRUE(dm->ADOData->Post());
    dm->ADOResult->Append();
    dm->ADOResult->FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(1000.5);
    ASSERT_TRUE(dm->ADOResult->Post());
    dm->ADOrepTip->Open();
    dm->ADORepIdent->Open();
    dm->ADORepData->Open();
    dm->ADORepResult->Open();
    dm->ADORepData->First();
    dm->ADORepIdent->First();
    EXPECT_EQ(dm->ADORepData->FieldByName(QStringLiteral("PSamohodS")).AsString(),
              QStringLiteral("не проводился"));
    EXPECT_EQ(dm->ADORepResult->FieldByName(QStringLiteral("PMistMeasure")).AsString(),
              QStringLiteral(">1000"));
}

TEST_F(DataModule, SettingsSurviveARestart)
{
    dm->REGEH().SetValue(QStringLiteral("TFExpert.REGEH"),
                         QStringLiteral("SFConfigCom.CBNumCom.Text"), QStringLiteral("COM2"));
    dm.reset();
    SettingsStore again(dir.filePath(QStringLiteral("settings.ini")));
    EXPECT_EQ(
        again.Value(QStringLiteral("TFExpert.REGEH"), QStringLiteral("SFConfigCom.CBNumCom.Text"))
            .toString(),
        QStringLiteral("COM2"));
}

TEST(ArchiveOpening, FailsWithoutCreatingAndNamesTheFile)
{
    TestApp();
    QTemporaryDir dir;
    TDM dm(std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("s.ini"))));
    EXPECT_FALSE(dm.Open(dir.path()));
    EXPECT_EQ(dm.FailureText(),
              QStringLiteral("Файл ") + dir.path() + QStringLiteral("/OrmixDB.sqlite не найден!"));
    EXPECT_FALSE(QFile::exists(dir.filePath(ULang::ArchiveFileName)));
    for (DataSet* ds : dm.MainViews())
        EXPECT_FALSE(ds->Active());
}

TEST(ArchiveOpening, RefusesAnArchiveLackingATableOrAColumnOrNotADatabase)
{
    TestApp();
    for (const char* damage :
         {"DROP TABLE TSResult", "ALTER TABLE TIdent DROP COLUMN PMaker", "garbage"}) {
        SCOPED_TRACE(damage);
        QTemporaryDir dir;
        QString path = dir.filePath(ULang::ArchiveFileName);
        if (QByteArray(damage) == "garbage") {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(
                "this is not an archive at all, just some bytes that fill the header...........");
        } else {
            ASSERT_TRUE(ArchiveSchema::CreateArchiveFile(path));
            {
                QSqlDatabase db =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
                db.setDatabaseName(path);
                ASSERT_TRUE(db.open());
                QSqlQuery q(db);
                EXPECT_TRUE(q.exec(QLatin1String(damage)));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("damage"));
        }
        TDM dm(std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("s.ini"))));
        EXPECT_FALSE(dm.Open(dir.path()));
        EXPECT_TRUE(dm.FailureText().contains(QStringLiteral("OrmixDB.sqlite")));
    }
}

} // namespace
