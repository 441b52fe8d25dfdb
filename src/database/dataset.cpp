// Table view over one SQLite connection; every value the user typed travels as a bound parameter.
#include "database/dataset.h"

#include "core/ulang.h"
#include "core/utools.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <charconv>
#include <limits>

namespace
{

const QString DateStorageFormat = QStringLiteral("yyyy-MM-dd");
const QString DateTimeStorageFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QDateTime ParseStoredDate(const QString& text)
{
    QDateTime dt = QDateTime::fromString(text, DateTimeStorageFormat);
    if (!dt.isValid()) {
        QDate d = QDate::fromString(text, DateStorageFormat);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid())
        dt = QDateTime::fromString(text, Qt::ISODate);
    return dt;
}

bool LooksLikeStoredDate(const QVariant& v)
{
    static const QRegularExpression re(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( \\d{2}:\\d{2}:\\d{2})?$"));
    return v.typeId() == QMetaType::QString && re.match(v.toString()).hasMatch();
}

// Strict reading of a float typed into a field: optional sign, digits, one ".", optional exponent.
double StrictFloat(const QString& text)
{
    QString t = text.trimmed();
    QByteArray latin = t.toLatin1();
    double value = 0;
    const char* begin = latin.constData();
    const char* end = begin + latin.size();
    if (!latin.isEmpty() && *begin == '+')
        ++begin;
    auto res = std::from_chars(begin, end, value, std::chars_format::general);
    if (t.isEmpty() || res.ec != std::errc() || res.ptr != end || latin.size() != t.size())
        throw EConvertError(text, EConvertError::Kind::Float);
    return value;
}

qint64 StrictInteger(const QString& text, qint64 low, qint64 high)
{
    QString t = text.trimmed();
    bool ok = false;
    qint64 v = t.toLongLong(&ok, 10);
    if (!ok || v < low || v > high)
        throw EConvertError(text, EConvertError::Kind::Integer);
    return v;
}

int CompareValues(const QVariant& a, const QVariant& b)
{
    bool na = a.isNull() || !a.isValid();
    bool nb = b.isNull() || !b.isValid();
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    switch (a.typeId()) {
    case QMetaType::QString:
        return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
    case QMetaType::QDateTime: {
        QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    default: {
        double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Field

const FieldDef& Field::Def() const
{
    return m_dataSet->m_fields.at(m_index);
}

QVariant Field::Value() const
{
    if (m_dataSet->m_current < 0)
        return {};
    return m_dataSet->m_rows.at(m_dataSet->m_current).at(m_index);
}

bool Field::IsNull() const
{
    QVariant v = Value();
    return !v.isValid() || v.isNull();
}

QString FieldText(FieldType type, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (type) {
    case FieldType::Float:
        return FloatToText(v.toDouble());
    case FieldType::Date: {
        QDateTime dt = v.toDateTime();
        QString text = dt.date().toString(ShortDateFormat);
        if (dt.time() != QTime(0, 0))
            text += QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
        return text;
    }
    default:
        return v.toString();
    }
}

QString Field::AsString() const
{
    return FieldText(Def().type, Value());
}

double Field::AsFloat() const
{
    return IsNull() ? 0.0 : Value().toDouble();
}

qint64 Field::AsInteger() const
{
    return IsNull() ? 0 : Value().toLongLong();
}

QDateTime Field::AsDateTime() const
{
    return IsNull() ? QDateTime() : Value().toDateTime();
}

void Field::SetValue(const QVariant& value)
{
    m_dataSet->SetFieldValue(m_index, value);
}

void Field::Clear()
{
    m_dataSet->SetFieldValue(m_index, QVariant());
}

void Field::SetAsString(const QString& text)
{
    const FieldDef& def = Def();
    if (text.isEmpty() && def.type != FieldType::Text) {
        Clear();
        return;
    }
    switch (def.type) {
    case FieldType::Text:
        SetValue(text);
        break;
    case FieldType::Float:
        SetValue(StrictFloat(text));
        break;
    case FieldType::Byte:
        SetValue(StrictInteger(text, 0, 255));
        break;
    case FieldType::Integer:
    case FieldType::AutoInc:
        SetValue(StrictInteger(text, std::numeric_limits<qint32>::min(),
                               std::numeric_limits<qint32>::max()));
        break;
    case FieldType::Date: {
        QDate d = QDate::fromString(text.trimmed(), ShortDateFormat);
        if (d.isValid() && ShortDateFormat.count(QLatin1Char('y')) == 2 && d.year() < 1950)
            d = d.addYears(100);
        if (!d.isValid())
            d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid())
            throw EConvertError(text, EConvertError::Kind::Date);
        SetValue(QDateTime(d, QTime(0, 0)));
        break;
    }
    }
}

// ---------------------------------------------------------------------------------------------
// DataSet

DataSet::DataSet(const QString& name, const QString& connectionName, const QString& table,
                 const QString& commandText, const QList<FieldDef>& fields, QObject* parent)
    : QObject(parent), m_connectionName(connectionName), m_table(table), m_commandText(commandText),
      m_fields(fields), m_dynamicFields(fields.isEmpty())
{
    setObjectName(name);
}

DataSet::~DataSet() = default;

QSqlQuery& DataSet::Prepared(std::unique_ptr<QSqlQuery>& slot, QString& slotText,
                             const QString& sql)
{
    if (!slot || slotText != sql) {
        slot = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_connectionName, false));
        slot->setForwardOnly(true);
        slotText.clear();
        if (!slot->prepare(sql)) {
            QString reason = slot->lastError().text();
            slot.reset();
            throw DatabaseError(reason);
        }
        slotText = sql;
    }
    return *slot;
}

void DataSet::DropPrepared()
{
    m_moreRows = false; // the rows still to come went with the load statement
    for (auto* slot : {&m_loadQuery, &m_insertQuery, &m_updateQuery, &m_deleteQuery})
        slot->reset();
    m_loadSql.clear();
    m_insertSql.clear();
    m_updateSql.clear();
    m_deleteSql.clear();
}

void DataSet::SetCommandText(const QString& sql, const QVariantList& bindings)
{
    m_commandText = sql;
    m_bindings = bindings;
}

void DataSet::SetMaster(DataSet* master, const QString& detailField, const QString& masterField)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_detailField = detailField;
    m_masterField = masterField;
    if (m_master)
        connect(m_master, &DataSet::MasterKeyMayHaveChanged, this, &DataSet::RefreshFromMaster);
}

int DataSet::FieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field DataSet::FieldByName(const QString& name)
{
    int i = FieldIndex(name);
    if (i < 0)
        throw std::out_of_range("no field " + name.toStdString() + " in " +
                                objectName().toStdString());
    return Field(this, i);
}

QVariant DataSet::Value(int row, int field) const
{
    if (m_moreRows && row >= m_rows.size())
        FetchUpTo(row);
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return {};
    return m_rows.at(row).at(field);
}

QVariant DataSet::Value(const QString& name) const
{
    return Value(m_current, FieldIndex(name));
}

int DataSet::KeyIndex() const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).type == FieldType::AutoInc)
            return i;
    }
    return FieldIndex(QStringLiteral("PIndex"));
}

QVariant DataSet::FromStorage(const FieldDef& def, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (def.type) {
    case FieldType::Float:
        return value.toDouble();
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Byte:
        return value.toLongLong();
    case FieldType::Date:
        return ParseStoredDate(value.toString());
    case FieldType::Text:
        return value.toString();
    }
    return value;
}

QVariant DataSet::ToStorage(const FieldDef& def, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant(QMetaType::fromType<QString>());
    if (def.type == FieldType::Date) {
        QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.date().toString(DateStorageFormat)
                                        : dt.toString(DateTimeStorageFormat);
    }
    return value;
}

void DataSet::LoadRows()
{
    QVector<Row> rows;
    QVariant masterKey;
    bool query = true;
    if (m_master) {
        int mk = m_master->FieldIndex(m_masterField);
        masterKey = m_master->Active() ? m_master->Value(m_master->RecNo(), mk) : QVariant();
        query = masterKey.isValid() && !masterKey.isNull();
    }
    m_loadedMasterKey = masterKey;
    bool more = false;
    if (query) {
        QString sql = m_commandText;
        if (m_master)
            sql =
                QStringLiteral("SELECT * FROM (%1) WHERE %2 = ?").arg(m_commandText, m_detailField);
        QSqlQuery& q = Prepared(m_loadQuery, m_loadSql, sql);
        for (const QVariant& b : m_bindings)
            q.addBindValue(b);
        if (m_master)
            q.addBindValue(masterKey);
        if (!q.exec())
            throw DatabaseError(q.lastError().text());
        QSqlRecord rec = q.record();
        if (m_dynamicFields && m_fields.isEmpty()) {
            for (int i = 0; i < rec.count(); ++i) {
                FieldDef def;
                def.name = rec.fieldName(i);
                switch (rec.field(i).metaType().id()) {
                case QMetaType::Double:
                    def.type = FieldType::Float;
                    break;
                case QMetaType::Int:
                case QMetaType::LongLong:
                    def.type = def.name.compare(QStringLiteral("PIndex"), Qt::CaseInsensitive) == 0
                                   ? FieldType::AutoInc
                                   : FieldType::Integer;
                    break;
                default:
                    def.type = FieldType::Text;
                    break;
                }
                m_fields << def;
            }
        }
        m_columnOf.fill(-1, m_fields.size());
        m_sniffDate.fill(false, m_fields.size());
        for (int f = 0; f < m_fields.size(); ++f) {
            if (m_fields.at(f).calculated)
                continue;
            m_columnOf[f] = rec.indexOf(m_fields.at(f).name);
            if (m_columnOf[f] < 0)
                throw DatabaseError(
                    QStringLiteral("%1: нет поля %2").arg(objectName(), m_fields.at(f).name));
            m_sniffDate[f] = m_dynamicFields && m_fields.at(f).type == FieldType::Text;
        }
        more = ReadRows(q, rows, m_fetchOnDemand > 0 ? m_fetchOnDemand : -1);
    }
    m_rows = std::move(rows);
    m_moreRows = more;
    for (int r = 0; r < m_rows.size(); ++r)
        CalcRow(r);
}

bool DataSet::ReadRows(QSqlQuery& q, QVector<Row>& rows, int limit)
{
    for (int n = 0; limit < 0 || n < limit; ++n) {
        if (!q.next()) {
            // Release the statement at once, so it holds no read snapshot of the file.
            q.finish();
            return false;
        }
        Row row(m_fields.size());
        for (int f = 0; f < m_fields.size(); ++f) {
            if (m_columnOf[f] < 0)
                continue;
            QVariant raw = q.value(m_columnOf[f]);
            if (m_sniffDate[f] && !raw.isNull()) {
                // A query's text column holds dates when its first value looks like one.
                if (LooksLikeStoredDate(raw))
                    m_fields[f].type = FieldType::Date;
                m_sniffDate[f] = false;
            }
            row[f] = FromStorage(m_fields.at(f), raw);
        }
        rows.push_back(std::move(row));
    }
    return true;
}

void DataSet::SetFetchOnDemand(int firstRows)
{
    m_fetchOnDemand = m_table.isEmpty() && !m_master ? std::max(firstRows, 0) : 0;
}

void DataSet::FetchMore(int rows)
{
    if (!m_moreRows || !m_loadQuery || rows <= 0)
        return;
    const int first = static_cast<int>(m_rows.size());
    m_moreRows = ReadRows(*m_loadQuery, m_rows, rows);
    const int last = static_cast<int>(m_rows.size()) - 1;
    if (last < first)
        return;
    for (int r = first; r <= last; ++r)
        CalcRow(r);
    if (m_current < 0) {
        m_current = 0;
        m_eof = false;
    }
    if (m_disableCount > 0)
        m_pendingReset = true;
    else
        emit RowsAppended(first, last);
}

bool DataSet::FetchAll()
{
    while (m_moreRows)
        FetchMore(std::numeric_limits<int>::max());
    return true;
}

void DataSet::FetchUpTo(int row) const
{
    auto* self = const_cast<DataSet*>(this);
    if (row < 0)
        self->FetchAll();
    else if (row >= m_rows.size())
        self->FetchMore(row + 1 - static_cast<int>(m_rows.size()));
}

int DataSet::RecordCount() const
{
    if (m_moreRows)
        FetchUpTo(-1);
    return static_cast<int>(m_rows.size());
}

void DataSet::Open()
{
    if (Active())
        return;
    LoadRows();
    m_state = State::Browse;
    m_modified = false;
    ApplySort();
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    NotifyReset();
    emit StateChanged();
    emit MasterKeyMayHaveChanged();
}

void DataSet::Close()
{
    DropPrepared();
    if (!Active())
        return;
    m_rows.clear();
    m_current = -1;
    m_bof = m_eof = true;
    m_state = State::Inactive;
    m_modified = false;
    if (m_dynamicFields)
        m_fields.clear();
    NotifyReset();
    emit StateChanged();
    emit MasterKeyMayHaveChanged();
}

void DataSet::Requery()
{
    if (!Active()) {
        Open();
        return;
    }
    if (m_state != State::Browse)
        Cancel();
    qint64 keep = Bookmark();
    int keepRow = m_current;
    if (m_dynamicFields)
        m_fields.clear();
    LoadRows();
    ApplySort();
    int row = RowOfBookmark(keep);
    if (row < 0)
        row = std::min(keepRow, RecordCount() - 1);
    m_current = m_rows.isEmpty() ? -1 : std::max(row, 0);
    m_bof = m_current <= 0;
    m_eof = m_rows.isEmpty();
    NotifyReset();
    emit MasterKeyMayHaveChanged();
}

void DataSet::RefreshFromMaster()
{
    if (!Active() || !m_master)
        return;
    int mk = m_master->FieldIndex(m_masterField);
    QVariant key = m_master->Active() ? m_master->Value(m_master->RecNo(), mk) : QVariant();
    bool sameKey = key.isNull() == m_loadedMasterKey.isNull() && key == m_loadedMasterKey;
    if (sameKey && key.isValid() == m_loadedMasterKey.isValid())
        return;
    if (m_state != State::Browse) {
        bool posted = false;
        try {
            posted = CheckBrowseMode();
        } catch (const DatabaseError&) {
            posted = false;
        }
        if (!posted)
            Cancel();
    }
    LoadRows();
    ApplySort();
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    NotifyReset();
    emit MasterKeyMayHaveChanged();
}

void DataSet::SetCurrent(int row, bool forceSignal)
{
    bool changed = row != m_current;
    m_current = row;
    if (changed || forceSignal) {
        NotifyCurrent();
        emit MasterKeyMayHaveChanged();
    }
}

bool DataSet::CheckBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        if (m_modified)
            return Post();
        Cancel();
    }
    return true;
}

bool DataSet::First()
{
    if (!CheckBrowseMode())
        return false;
    SetCurrent(m_rows.isEmpty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
    return true;
}

bool DataSet::Last()
{
    if (!CheckBrowseMode() || !FetchAll())
        return false;
    SetCurrent(static_cast<int>(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
    return true;
}

bool DataSet::Next()
{
    if (!CheckBrowseMode())
        return false;
    if (m_current + 1 >= m_rows.size())
        FetchUpTo(m_current + 1);
    if (m_current + 1 < m_rows.size()) {
        SetCurrent(m_current + 1);
        m_bof = m_eof = false;
    } else {
        m_eof = true;
    }
    return true;
}

bool DataSet::Prior()
{
    if (!CheckBrowseMode())
        return false;
    if (m_current > 0) {
        SetCurrent(m_current - 1);
        m_bof = m_eof = false;
    } else {
        m_bof = true;
    }
    return true;
}

bool DataSet::MoveTo(int row)
{
    if (row >= m_rows.size())
        FetchUpTo(row);
    if (row < 0 || row >= m_rows.size())
        return false;
    if (row == m_current && m_state == State::Browse)
        return true;
    if (!CheckBrowseMode())
        return false;
    // Cancelling an append removes a row, which may shift the target.
    if (row >= m_rows.size())
        row = static_cast<int>(m_rows.size()) - 1;
    SetCurrent(row);
    m_bof = m_eof = false;
    return true;
}

bool DataSet::Append()
{
    if (!Active())
        throw DatabaseError(QStringLiteral("%1: набор данных закрыт").arg(objectName()));
    if (!CheckBrowseMode())
        return false;
    Row row(m_fields.size());
    if (m_master) {
        int df = FieldIndex(m_detailField);
        int mk = m_master->FieldIndex(m_masterField);
        if (df >= 0 && m_master->Active())
            row[df] = m_master->Value(m_master->RecNo(), mk);
    }
    m_rowBeforeInsert = m_current;
    m_rows.push_back(row);
    int at = static_cast<int>(m_rows.size()) - 1;
    m_state = State::Insert;
    m_modified = false;
    if (m_disableCount == 0)
        emit RowInserted(at);
    else
        m_pendingReset = true;
    SetCurrent(at, true);
    m_bof = m_eof = false;
    emit StateChanged();
    return true;
}

bool DataSet::Edit()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return true;
    if (!Active())
        throw DatabaseError(QStringLiteral("%1: набор данных закрыт").arg(objectName()));
    if (m_rows.isEmpty())
        return Append();
    m_savedRow = m_rows.at(m_current);
    m_state = State::Edit;
    m_modified = false;
    emit StateChanged();
    return true;
}

void DataSet::SetFieldValue(int index, const QVariant& value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw DatabaseError(
            QStringLiteral("%1: набор данных не в режиме правки").arg(objectName()));
    const FieldDef& def = m_fields.at(index);
    QVariant v = value;
    if (v.isValid() && !v.isNull()) {
        switch (def.type) {
        case FieldType::Text: {
            QString text = v.toString();
            if (def.size > 0 && text.size() > def.size)
                text.truncate(def.size);
            v = text;
            break;
        }
        case FieldType::Float:
            v = v.toDouble();
            break;
        case FieldType::Date:
            v = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0))
                                               : v.toDateTime();
            break;
        default:
            v = v.toLongLong();
            break;
        }
    } else {
        v = QVariant();
    }
    m_rows[m_current][index] = v;
    m_modified = true;
    CalcRow(m_current);
    NotifyRow(m_current);
}

void DataSet::SetCalculated(int row, const QString& field, const QVariant& value)
{
    int f = FieldIndex(field);
    if (row >= 0 && row < m_rows.size() && f >= 0)
        m_rows[row][f] = value;
}

void DataSet::CalcRow(int row)
{
    if (OnCalcFields)
        OnCalcFields(*this, row);
}

bool DataSet::Post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return true;
    if (BeforePost && !BeforePost(*this))
        return false;
    if (m_table.isEmpty())
        throw DatabaseError(QStringLiteral("%1: набор данных только для чтения").arg(objectName()));

    int key = KeyIndex();
    QStringList columns;
    QVariantList values;
    for (int f = 0; f < m_fields.size(); ++f) {
        const FieldDef& def = m_fields.at(f);
        if (def.calculated || f == key)
            continue;
        columns << def.name;
        values << ToStorage(def, m_rows.at(m_current).at(f));
    }
    QString sql;
    bool inserting = m_state == State::Insert;
    if (inserting) {
        QStringList marks(columns.size(), QStringLiteral("?"));
        sql =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(m_table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    } else {
        QStringList sets;
        for (const QString& c : columns)
            sets << c + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                  .arg(m_table, sets.join(QStringLiteral(", ")), m_fields.at(key).name);
        values << m_rows.at(m_current).at(key);
    }
    QSqlQuery& q = inserting ? Prepared(m_insertQuery, m_insertSql, sql)
                             : Prepared(m_updateQuery, m_updateSql, sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        QString reason = q.lastError().text();
        q.finish();
        throw DatabaseError(reason);
    }
    bool inserted = m_state == State::Insert;
    if (inserted && key >= 0)
        m_rows[m_current][key] = q.lastInsertId().toLongLong();
    q.finish();
    m_state = State::Browse;
    m_modified = false;
    CalcRow(m_current);
    NotifyRow(m_current);
    emit StateChanged();
    if (inserted)
        emit MasterKeyMayHaveChanged();
    if (AfterPost)
        AfterPost(*this);
    return true;
}

void DataSet::Cancel()
{
    if (m_state == State::Insert) {
        int at = m_current;
        m_state = State::Browse;
        m_modified = false;
        if (m_disableCount == 0)
            emit RowAboutToBeRemoved(at);
        m_rows.removeAt(at);
        if (m_disableCount == 0)
            emit RowRemoved(at);
        else
            m_pendingReset = true;
        int back = m_rowBeforeInsert;
        if (back >= m_rows.size())
            back = static_cast<int>(m_rows.size()) - 1;
        if (back < 0 && !m_rows.isEmpty())
            back = 0;
        m_current = -2; // force the cursor signal
        SetCurrent(back, true);
        m_eof = m_rows.isEmpty();
        emit StateChanged();
    } else if (m_state == State::Edit) {
        m_rows[m_current] = m_savedRow;
        m_state = State::Browse;
        m_modified = false;
        NotifyRow(m_current);
        emit StateChanged();
    }
}

void DataSet::Delete()
{
    if (m_state == State::Insert) {
        Cancel();
        return;
    }
    if (m_state == State::Edit)
        Cancel();
    if (!Active() || m_rows.isEmpty())
        return;
    if (m_table.isEmpty())
        throw DatabaseError(QStringLiteral("%1: набор данных только для чтения").arg(objectName()));
    int key = KeyIndex();
    QSqlQuery& q =
        Prepared(m_deleteQuery, m_deleteSql,
                 QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_table, m_fields.at(key).name));
    q.addBindValue(m_rows.at(m_current).at(key));
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    q.finish();
    int at = m_current;
    if (m_disableCount == 0)
        emit RowAboutToBeRemoved(at);
    m_rows.removeAt(at);
    if (m_disableCount == 0)
        emit RowRemoved(at);
    else
        m_pendingReset = true;
    bool wasLast = at >= m_rows.size();
    m_current = -2;
    SetCurrent(m_rows.isEmpty() ? -1 : std::min(at, static_cast<int>(m_rows.size()) - 1), true);
    m_eof = m_rows.isEmpty() || wasLast;
    m_bof = m_rows.isEmpty();
    if (AfterDelete)
        AfterDelete(*this);
}

void DataSet::ApplySort()
{
    struct Key {
        int field;
        bool descending;
    };
    QVector<Key> keys;
    for (const QString& part : m_sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QStringList words = part.simplified().split(QLatin1Char(' '));
        if (words.isEmpty())
            continue;
        int f = FieldIndex(words.first());
        if (f < 0)
            continue;
        bool desc = words.size() > 1 &&
                    words.at(1).compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0;
        keys.push_back({f, desc});
    }
    if (keys.isEmpty())
        return;
    FetchAll();
    std::stable_sort(m_rows.begin(), m_rows.end(), [&keys](const Row& a, const Row& b) {
        for (const Key& k : keys) {
            int c = CompareValues(a.at(k.field), b.at(k.field));
            if (c != 0)
                return k.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

void DataSet::SetSort(const QString& sortText)
{
    m_sort = sortText;
    if (!Active())
        return;
    if (!CheckBrowseMode() || !FetchAll())
        return;
    qint64 keep = Bookmark();
    ApplySort();
    int row = RowOfBookmark(keep);
    m_current = m_rows.isEmpty() ? -1 : std::max(row, 0);
    NotifyReset();
    emit MasterKeyMayHaveChanged();
}

bool DataSet::Locate(const QStringList& fields, const QVariantList& values)
{
    if (!FetchAll())
        return false;
    QVector<int> idx;
    for (const QString& f : fields) {
        int i = FieldIndex(f);
        if (i < 0)
            return false;
        idx << i;
    }
    for (int r = 0; r < m_rows.size(); ++r) {
        bool match = true;
        for (int k = 0; k < idx.size() && match; ++k) {
            QVariant want = values.value(k);
            QVariant have = m_rows.at(r).at(idx.at(k));
            if (want.typeId() == QMetaType::QString && have.typeId() == QMetaType::QString)
                match =
                    QString::compare(want.toString(), have.toString(), Qt::CaseInsensitive) == 0;
            else
                match = CompareValues(have, want) == 0;
        }
        if (match) {
            if (!CheckBrowseMode())
                return false;
            if (r >= m_rows.size())
                return false;
            SetCurrent(r);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

qint64 DataSet::BookmarkAt(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    int key = KeyIndex();
    if (key < 0)
        return row;
    QVariant v = m_rows.at(row).at(key);
    return v.isNull() ? 0 : v.toLongLong();
}

qint64 DataSet::Bookmark() const
{
    return BookmarkAt(m_current);
}

int DataSet::RowOfBookmark(qint64 bookmark) const
{
    if (m_moreRows)
        FetchUpTo(-1);
    int key = KeyIndex();
    if (key < 0)
        return bookmark >= 0 && bookmark < m_rows.size() ? static_cast<int>(bookmark) : -1;
    for (int r = 0; r < m_rows.size(); ++r) {
        const QVariant& v = m_rows.at(r).at(key);
        if (!v.isNull() && v.toLongLong() == bookmark)
            return r;
    }
    return -1;
}

bool DataSet::GotoBookmark(qint64 bookmark)
{
    int r = RowOfBookmark(bookmark);
    return r >= 0 && MoveTo(r);
}

void DataSet::DisableControls()
{
    ++m_disableCount;
}

void DataSet::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0 && m_pendingReset) {
        m_pendingReset = false;
        emit Reset();
        emit CurrentChanged(m_current);
    }
}

void DataSet::NotifyReset()
{
    if (m_disableCount > 0) {
        m_pendingReset = true;
        return;
    }
    emit Reset();
    emit CurrentChanged(m_current);
}

void DataSet::NotifyRow(int row)
{
    if (m_disableCount > 0) {
        m_pendingReset = true;
        return;
    }
    emit RowChanged(row);
}

void DataSet::NotifyCurrent()
{
    if (m_disableCount > 0) {
        m_pendingReset = true;
        return;
    }
    emit CurrentChanged(m_current);
}
