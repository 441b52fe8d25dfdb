// Data module: opens the archive, builds the views with their fields and links, checks posts.
#include "database/tdm.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/derivedtexts.h"
#include "database/schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

TDM* DM = nullptr;

namespace
{

int g_connectionSerial = 0;

FieldDef Key(const QString& name, bool hidden)
{
    FieldDef f{name, name == QStringLiteral("PIndex") ? FieldType::AutoInc : FieldType::Integer};
    f.visible = !hidden;
    return f;
}

FieldDef Text(const QString& name, int size, const QString& caption = {})
{
    FieldDef f{name, FieldType::Text, size, caption};
    return f;
}

FieldDef Float(const QString& name, const QString& caption = {})
{
    return FieldDef{name, FieldType::Float, 0, caption};
}

FieldDef Calculated(const QString& name)
{
    FieldDef f{name, FieldType::Text, 20};
    f.calculated = true;
    return f;
}

// Views of types, meters, results and buffer meters hide their keys and carry captions;
// verification views and the device types carry neither.
QList<FieldDef> TipFields()
{
    return {Key(QStringLiteral("PIndex"), true),
            Text(QStringLiteral("PTipCH"), 9, QStringLiteral("Тип")),
            Float(QStringLiteral("PUnom"), QStringLiteral("Uном, В")),
            Float(QStringLiteral("PInom"), QStringLiteral("Iном, А")),
            Float(QStringLiteral("PReductRate"), QStringLiteral("А, имп/кВт*ч")),
            Float(QStringLiteral("PClassT"), QStringLiteral("Класс точности, %"))};
}

QList<FieldDef> IdentFields()
{
    return {Key(QStringLiteral("PIndex"), true),
            Key(QStringLiteral("PSecIndex"), true),
            Text(QStringLiteral("PNumber"), 9, QStringLiteral("Номер")),
            Text(QStringLiteral("PMaker"), 16, QStringLiteral("Изготовитель")),
            FieldDef{QStringLiteral("PYearOutput"), FieldType::Integer, 0,
                     QStringLiteral("Год выпуска")},
            Text(QStringLiteral("PAddress"), 16, QStringLiteral("Адрес"))};
}

QList<FieldDef> DataFields(bool withText)
{
    QList<FieldDef> f = {Key(QStringLiteral("PIndex"), false),
                         Key(QStringLiteral("PSecIndex"), false),
                         FieldDef{QStringLiteral("PSamohod"), FieldType::Byte},
                         Float(QStringLiteral("POrmix")),
                         FieldDef{QStringLiteral("PDateMeasure"), FieldType::Date},
                         Float(QStringLiteral("PUSamohod"))};
    if (withText)
        f << Calculated(QStringLiteral("PSamohodS"));
    return f;
}

QList<FieldDef> ResultFields(bool withText)
{
    FieldDef date{QStringLiteral("PDateMeasure"), FieldType::Date, 0,
                  QStringLiteral("Дата поверки")};
    date.editMask = QStringLiteral("!99/99/00;1;_");
    QList<FieldDef> f = {Key(QStringLiteral("PIndex"), true),
                         Key(QStringLiteral("PSecIndex"), true),
                         Float(QStringLiteral("PUMeasure"), QStringLiteral("U, В")),
                         Float(QStringLiteral("PIMeasure"), QStringLiteral("I, А")),
                         Float(QStringLiteral("PPowerMeasure"), QStringLiteral("P, Вт")),
                         Text(QStringLiteral("PFPMeasure"), 10, QStringLiteral("Кф. мощности")),
                         Float(QStringLiteral("PMistakeMeasure"), QStringLiteral("Погрешность, %")),
                         date};
    if (withText)
        f << Calculated(QStringLiteral("PMistMeasure"));
    return f;
}

QList<FieldDef> SinchroFields()
{
    return {Key(QStringLiteral("PIndex"), true),
            Text(QStringLiteral("PTipCH"), 9, QStringLiteral("Тип")),
            Float(QStringLiteral("PReductRate"), QStringLiteral("А, имп/кВт*ч")),
            Text(QStringLiteral("PNumber"), 9, QStringLiteral("Номер")),
            Text(QStringLiteral("PAddress"), 16, QStringLiteral("Адрес"))};
}

QList<FieldDef> TableTipFields()
{
    return {Key(QStringLiteral("PIndex"), false), Text(QStringLiteral("PTip"), 9),
            Float(QStringLiteral("PReductRate"))};
}

void CalcSamohod(DataSet& ds, int row)
{
    ds.SetCalculated(row, QStringLiteral("PSamohodS"),
                     PSamohodSText(ds.Value(row, ds.FieldIndex(QStringLiteral("PSamohod")))));
}

void CalcMistake(DataSet& ds, int row)
{
    ds.SetCalculated(
        row, QStringLiteral("PMistMeasure"),
        PMistMeasureText(ds.Value(row, ds.FieldIndex(QStringLiteral("PMistakeMeasure")))));
}

} // namespace

TDM::TDM(std::unique_ptr<SettingsStore> settings, QObject* parent)
    : QObject(parent),
      m_settings(settings ? std::move(settings) : std::make_unique<SettingsStore>()),
      m_connectionName(QStringLiteral("ADOConnectionOrmix-%1").arg(++g_connectionSerial))
{
    setObjectName(QStringLiteral("DM"));
    const QString c = m_connectionName;
    auto make = [this, &c](const char* name, const char* table, const char* sql,
                           const QList<FieldDef>& fields) {
        return new DataSet(QLatin1String(name), c, QLatin1String(table), QLatin1String(sql), fields,
                           this);
    };
    ADOTip = make("ADOTip", "TTip", "select * from TTip", TipFields());
    ADOIdent = make("ADOIdent", "TIdent", "select * from TIdent", IdentFields());
    ADOData = make("ADOData", "TData", "select * from TData", DataFields(false));
    ADOResult = make("ADOResult", "TResult", "select * from TResult", ResultFields(false));
    ADOSinchro = make("ADOSinchro", "TSTip", "select * from TSTip", SinchroFields());
    ADOSinchroData = make("ADOSinchroData", "TSData", "select * from TSData", DataFields(false));
    ADOSinchroResult =
        make("ADOSinchroResult", "TSResult", "select * from TSResult", ResultFields(false));
    ADOTableTip = make("ADOTableTip", "TTableTip", "select * from TTableTip", TableTipFields());
    ADOIdent->SetMaster(ADOTip);
    ADOData->SetMaster(ADOIdent);
    ADOResult->SetMaster(ADOData);
    ADOSinchroData->SetMaster(ADOSinchro);
    ADOSinchroResult->SetMaster(ADOSinchroData);

    // Report views are read-only: nothing posts through them.
    ADOrepTip = make("ADOrepTip", "", "select * from TTip", TipFields());
    ADORepIdent = make("ADORepIdent", "", "select * from TIdent", IdentFields());
    ADORepData = make("ADORepData", "", "select * from TData", DataFields(true));
    ADORepResult = make("ADORepResult", "", "select * from TResult", ResultFields(true));
    ADOSinhroRepTip = make("ADOSinhroRepTip", "", "select * from TSTip", SinchroFields());
    ADOsinchroDataRep = make("ADOsinchroDataRep", "", "select * from TSData", DataFields(true));
    ADOSinhroRepResult =
        make("ADOSinhroRepResult", "", "select * from TSResult", ResultFields(true));
    ADORepIdent->SetMaster(ADOrepTip);
    ADORepData->SetMaster(ADORepIdent);
    ADORepResult->SetMaster(ADORepData);
    ADOsinchroDataRep->SetMaster(ADOSinhroRepTip);
    ADOSinhroRepResult->SetMaster(ADOsinchroDataRep);
    ADORepData->OnCalcFields = CalcSamohod;
    ADOsinchroDataRep->OnCalcFields = CalcSamohod;
    ADORepResult->OnCalcFields = CalcMistake;
    ADOSinhroRepResult->OnCalcFields = CalcMistake;

    ADOQueryIdent = make("ADOQueryIdent", "", "", {});
    ADOQuerySQL = make("ADOQuerySQL", "", "Select * from TTip", {});
    ADODataSetSQL = make("ADODataSetSQL", "", "select PIndex from TTip", {});
    // A query over the whole archive may give millions of rows: the grid shows the first ones at
    // once and reads on as it scrolls.
    ADODataSetSQL->SetFetchOnDemand(200);
    ADOExport = std::make_unique<Command>(m_connectionName);

    ADOTip->BeforePost = [this](DataSet& ds) { return CheckTip(ds); };
    ADOIdent->BeforePost = [this](DataSet& ds) { return CheckIdent(ds); };
    ADOTableTip->BeforePost = [this](DataSet& ds) { return CheckTableTip(ds); };
    auto changed = [](DataSet&) { ArchiveChanged = true; };
    ADOTip->AfterPost = changed;
    ADOTip->AfterDelete = changed;
    ADOIdent->AfterPost = changed;
    ADOIdent->AfterDelete = changed;

    if (!DM)
        DM = this;
}

TDM::~TDM()
{
    CloseAll();
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    if (m_settings)
        m_settings->Sync();
    if (DM == this)
        DM = nullptr;
}

QList<DataSet*> TDM::MainViews() const
{
    return {ADOTip,     ADOIdent,       ADOData,          ADOResult,
            ADOSinchro, ADOSinchroData, ADOSinchroResult, ADOTableTip};
}

void TDM::CloseAll()
{
    for (DataSet* ds : MainViews())
        ds->Close();
    for (DataSet* ds :
         {ADOrepTip, ADORepIdent, ADORepData, ADORepResult, ADOSinhroRepTip, ADOsinchroDataRep,
          ADOSinhroRepResult, ADOQueryIdent, ADOQuerySQL, ADODataSetSQL})
        ds->Close();
}

bool TDM::Open(const QString& directory)
{
    m_archivePath = QDir(directory).absoluteFilePath(ULang::ArchiveFileName);
    m_failureText = ULang::FileWord + QDir::toNativeSeparators(QDir(directory).absolutePath()) +
                    QLatin1Char('/') + ULang::ArchiveFileName + QLatin1Char(' ') + ULang::NotFound +
                    ULang::NotFoundEnd;
    m_failureReason.clear();

    // The archive is never created here: a missing file must not turn into an empty new one.
    if (!QFileInfo(m_archivePath).isFile()) {
        m_failureReason = QStringLiteral("no file");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    db.setDatabaseName(QUrl::fromLocalFile(m_archivePath).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    if (!db.open()) {
        m_failureReason = db.lastError().text();
        return false;
    }
    QString error;
    if (!ArchiveSchema::PrepareConnection(db, &error)) {
        m_failureReason = error;
        db.close();
        return false;
    }
    // Every posted row is its own transaction. With a write-ahead log a commit is an append
    // without a wait for the disk, and a program killed mid-transfer still leaves whole rows only.
    {
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    QStringList missing = ArchiveSchema::MissingParts(db);
    if (!missing.isEmpty()) {
        m_failureReason = QStringLiteral("missing: ") + missing.join(QStringLiteral(", "));
        db.close();
        return false;
    }
    try {
        for (DataSet* ds : MainViews())
            ds->Open();
    } catch (const DatabaseError& e) {
        m_failureReason = e.Reason();
        CloseAll();
        db.close();
        return false;
    }
    return true;
}

bool TDM::CheckComplete(DataSet& ds, const QStringList& fields)
{
    for (const QString& name : fields) {
        if (ds.FieldByName(name).AsString().isEmpty()) {
            ShowMessage(ULang::FillAllFields, ULang::CaptionError, MsgIcon::Error);
            return false;
        }
    }
    return true;
}

bool TDM::UniqueOrSelf(DataSet& ds, const QString& sql, const QVariantList& bindings,
                       const QString& message)
{
    ADOQueryIdent->Close();
    ADOQueryIdent->SetCommandText(sql, bindings);
    try {
        ADOQueryIdent->Open();
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
        return false;
    }
    if (ADOQueryIdent->RecordCount() == 0)
        return true;
    qint64 found = ADOQueryIdent->FieldByName(QStringLiteral("PIndex")).AsInteger();
    qint64 own = ds.FieldByName(QStringLiteral("PIndex")).AsInteger(); // a new row has none: 0
    if (found == own)
        return true;
    ShowMessage(message, ULang::CaptionNewRecord, MsgIcon::Warning);
    return false;
}

bool TDM::CheckTip(DataSet& ds)
{
    if (!CheckComplete(ds,
                       {QStringLiteral("PTipCH"), QStringLiteral("PUnom"), QStringLiteral("PInom"),
                        QStringLiteral("PReductRate"), QStringLiteral("PClassT")}))
        return false;
    Field tip = ds.FieldByName(QStringLiteral("PTipCH"));
    tip.SetAsString(TrimTrailingBlanks(tip.AsString()));
    return UniqueOrSelf(ds, QStringLiteral("Select PIndex from TTip where (TTip.PTipCH=?)"),
                        {tip.AsString()}, ULang::TypeExists);
}

bool TDM::CheckIdent(DataSet& ds)
{
    if (!CheckComplete(ds, {QStringLiteral("PNumber"), QStringLiteral("PMaker"),
                            QStringLiteral("PYearOutput"), QStringLiteral("PAddress")}))
        return false;
    // New meters are checked by the paths that create them.
    if (ds.GetState() != DataSet::State::Edit)
        return true;
    Field number = ds.FieldByName(QStringLiteral("PNumber"));
    Field address = ds.FieldByName(QStringLiteral("PAddress"));
    number.SetAsString(TrimTrailingBlanks(number.AsString()));
    address.SetAsString(TrimTrailingBlanks(address.AsString()));
    return UniqueOrSelf(ds,
                        QStringLiteral("Select PIndex from TIdent where (Tident.PNumber=?) and "
                                       "(Tident.PAddress=?) and (Tident.PSecIndex=?)"),
                        {number.AsString(), address.AsString(),
                         ds.FieldByName(QStringLiteral("PSecIndex")).AsInteger()},
                        ULang::MeterExists);
}

bool TDM::CheckTableTip(DataSet& ds)
{
    if (!CheckComplete(ds, {QStringLiteral("PTip"), QStringLiteral("PReductRate")}))
        return false;
    if (ds.GetState() != DataSet::State::Edit)
        return true;
    Field tip = ds.FieldByName(QStringLiteral("PTip"));
    tip.SetAsString(TrimTrailingBlanks(tip.AsString()));
    return UniqueOrSelf(ds, QStringLiteral("Select PIndex from TTableTip where (TTableTip.PTip=?)"),
                        {tip.AsString()}, ULang::TypeExists);
}

bool TDM::AddTip(const QString& tip, const QString& unom, const QString& inom,
                 const QString& reductRate, const QString& classT)
{
    if (!ADOTip->Append())
        return false;
    ADOTip->FieldByName(QStringLiteral("PTipCH")).SetAsString(tip);
    ADOTip->FieldByName(QStringLiteral("PUnom")).SetAsString(unom);
    ADOTip->FieldByName(QStringLiteral("PInom")).SetAsString(inom);
    ADOTip->FieldByName(QStringLiteral("PReductRate")).SetAsString(reductRate);
    ADOTip->FieldByName(QStringLiteral("PClassT")).SetAsString(classT);
    return ADOTip->Post();
}

bool TDM::AddIdent(const QString& number, const QString& address, const QString& maker,
                   const QString& year)
{
    if (!ADOIdent->Append())
        return false;
    ADOIdent->FieldByName(QStringLiteral("PNumber")).SetAsString(number);
    ADOIdent->FieldByName(QStringLiteral("PMaker")).SetAsString(maker);
    ADOIdent->FieldByName(QStringLiteral("PAddress")).SetAsString(address);
    ADOIdent->FieldByName(QStringLiteral("PYearOutput")).SetAsString(year);
    return ADOIdent->Post();
}

bool TDM::RunWithViewClosed(DataSet& view, const QStringList& statements)
{
    view.Close();
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    bool ok = db.transaction();
    if (ok) {
        try {
            for (const QString& sql : statements) {
                ADOExport->SetCommandText(sql);
                ADOExport->Execute();
            }
            ok = db.commit();
        } catch (const DatabaseError&) {
            ok = false;
        }
        if (!ok)
            db.rollback();
    }
    try {
        view.Open();
    } catch (const DatabaseError&) {
        ok = false;
    }
    return ok;
}

bool TDM::EmptyTable(DataSet& view)
{
    return RunWithViewClosed(view, {QStringLiteral("DELETE FROM ") + view.TableName()});
}
