// A table view with the cursor semantics the windows rely on: a client-side static set of rows,
// browse/edit/insert states, checks before posting, master-detail links, sorting, bookmarks.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <stdexcept>

enum class FieldType { AutoInc, Integer, Byte, Float, Text, Date };

struct FieldDef {
    FieldDef() = default;
    FieldDef(const QString& fieldName, FieldType fieldType, int fieldSize = 0,
             const QString& fieldCaption = {})
        : name(fieldName), type(fieldType), size(fieldSize), caption(fieldCaption)
    {
    }
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;        // maximum length of a text field
    QString caption;     // default grid column title; empty means the field name
    bool visible = true; // hidden fields get no grid column by default
    QString editMask;
    bool calculated = false; // filled by OnCalcFields, never stored
};

// A stored value as the program shows it: numbers in the general format, dates as "dd/mm/yy"
// (with the time when it is not midnight), empty for no value.
QString FieldText(FieldType type, const QVariant& value);

// A statement the database refused; the text is the engine's reason.
class DatabaseError : public std::runtime_error
{
  public:
    explicit DatabaseError(const QString& reason)
        : std::runtime_error(reason.toStdString()), m_reason(reason)
    {
    }
    QString Reason() const { return m_reason; }

  private:
    QString m_reason;
};

class DataSet;
class QSqlQuery;

// A handle on one field of a dataset's current row (or of its edit buffer).
class Field
{
  public:
    Field(DataSet* dataSet, int index) : m_dataSet(dataSet), m_index(index) {}
    const FieldDef& Def() const;
    QString FieldName() const { return Def().name; }
    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const;
    double AsFloat() const;
    qint64 AsInteger() const;
    QDateTime AsDateTime() const;
    // Assignments: only in edit or insert state. A text is read strictly by the field's type;
    // an empty text clears the value; a text that is not a number throws EConvertError.
    void SetValue(const QVariant& value);
    void SetAsString(const QString& text);
    void Clear();

  private:
    DataSet* m_dataSet;
    int m_index;
};

class DataSet : public QObject
{
    Q_OBJECT
  public:
    enum class State { Inactive, Browse, Edit, Insert };

    // fields empty: they are taken from the first query result (read-only views).
    // table empty: the view is read-only.
    DataSet(const QString& name, const QString& connectionName, const QString& table,
            const QString& commandText, const QList<FieldDef>& fields = {},
            QObject* parent = nullptr);
    ~DataSet() override;

    QString Name() const { return objectName(); }
    QString TableName() const { return m_table; }
    QString CommandText() const { return m_commandText; }
    void SetCommandText(const QString& sql, const QVariantList& bindings = {});

    // Detail rows are those whose detailField equals masterField of the master's current row.
    void SetMaster(DataSet* master, const QString& detailField = QStringLiteral("PSecIndex"),
                   const QString& masterField = QStringLiteral("PIndex"));
    DataSet* Master() const { return m_master; }

    // Handlers. BeforePost returns false to cancel the post silently.
    std::function<bool(DataSet&)> BeforePost;
    std::function<void(DataSet&)> AfterPost;
    std::function<void(DataSet&)> AfterDelete;
    std::function<void(DataSet&, int row)> OnCalcFields;
    // Used by OnCalcFields to fill a calculated field of a row.
    void SetCalculated(int row, const QString& field, const QVariant& value);

    // A read-only view without a master may read its rows as they are needed: Open reads the
    // first rows, FetchMore further ones (a grid asks as it scrolls), and whatever needs every row
    // (RecordCount, Last, sorting, Locate, bookmarks) reads the rest first. 0 (the default): all
    // rows on Open.
    void SetFetchOnDemand(int firstRows);
    bool CanFetchMore() const { return m_moreRows; }
    int FetchedCount() const { return static_cast<int>(m_rows.size()); }
    void FetchMore(int rows);
    // Reads every row still to come; false when that failed.
    bool FetchAll();

    void Open(); // throws DatabaseError
    void Close();
    bool Active() const { return m_state != State::Inactive; }
    void Requery(); // re-reads the rows and keeps the current row when it still exists
    State GetState() const { return m_state; }
    bool Modified() const { return m_modified; }

    // Fields
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldDef& FieldDefAt(int index) const { return m_fields.at(index); }
    const QList<FieldDef>& FieldDefs() const { return m_fields; }
    int FieldIndex(const QString& name) const; // -1 when absent, case-insensitive
    Field FieldByName(const QString& name);    // throws std::out_of_range when absent
    QVariant Value(int row, int field) const;
    QVariant Value(const QString& name) const; // of the current row or edit buffer

    // Cursor
    int RecordCount() const; // reads the rows not yet fetched
    bool IsEmpty() const { return m_rows.isEmpty(); }
    int RecNo() const { return m_current; } // 0-based, -1 when empty
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    // Moving posts a pending edit first (or cancels an unmodified one); false when the post failed.
    bool First();
    bool Last();
    bool Next();
    bool Prior();
    bool MoveTo(int row);

    // Editing
    bool Append(); // false when the pending edit could not be posted first
    bool Edit();   // on an empty view: Append
    bool Post();   // false: cancelled by BeforePost; throws DatabaseError when the database refuses
    void Cancel();
    void Delete();          // deletes the current row; throws DatabaseError
    bool CheckBrowseMode(); // post or cancel a pending edit before leaving the row

    // Sorting ("PTipCH ASC, PNumber DESC"), applied to the rows already read.
    void SetSort(const QString& sortText);
    QString Sort() const { return m_sort; }

    // Moves to the first row whose fields equal the values (texts compared ignoring case).
    bool Locate(const QStringList& fields, const QVariantList& values);

    // Bookmarks are row keys (PIndex), stable across sorting and re-reading.
    qint64 Bookmark() const;
    qint64 BookmarkAt(int row) const;
    bool BookmarkValid(qint64 bookmark) const { return RowOfBookmark(bookmark) >= 0; }
    bool GotoBookmark(qint64 bookmark);
    int RowOfBookmark(qint64 bookmark) const;

    // While disabled, bound grids are not told of changes; enabling tells them once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

  signals:
    void Reset();              // the whole row set changed
    void RowChanged(int row);  // values of one row changed
    void RowInserted(int row); // a row appeared (append)
    // A row is about to disappear (delete, cancelled append); it can still be read. RowRemoved
    // follows once it is gone.
    void RowAboutToBeRemoved(int row);
    void RowRemoved(int row);
    void CurrentChanged(int row); // the cursor moved
    void StateChanged();
    // For detail views: the master's current key may have changed (not subject to DisableControls).
    void MasterKeyMayHaveChanged();
    // Rows first..last were read after the others and appended.
    void RowsAppended(int first, int last);

  private:
    friend class Field;
    using Row = QVector<QVariant>;

    void LoadRows();
    // Appends up to limit rows (every row when limit < 0) of the open load query to rows; false
    // once the query has no more rows, which then releases it.
    bool ReadRows(QSqlQuery& q, QVector<Row>& rows, int limit);
    void FetchUpTo(int row) const; // for const readers: the rows stay the same, only more of them
    void RefreshFromMaster();
    void SetCurrent(int row, bool forceSignal = false);
    void ApplySort();
    void CalcRow(int row);
    void SetFieldValue(int index, const QVariant& value);
    QVariant ToStorage(const FieldDef& def, const QVariant& value) const;
    QVariant FromStorage(const FieldDef& def, const QVariant& value) const;
    int KeyIndex() const;
    void NotifyReset();
    void NotifyRow(int row);
    void NotifyCurrent();

    // Statements are prepared once and reused while their text stays the same.
    QSqlQuery& Prepared(std::unique_ptr<QSqlQuery>& slot, QString& slotText, const QString& sql);
    void DropPrepared();

    QString m_connectionName;
    std::unique_ptr<QSqlQuery> m_loadQuery, m_insertQuery, m_updateQuery, m_deleteQuery;
    QString m_loadSql, m_insertSql, m_updateSql, m_deleteSql;
    QString m_table;
    QString m_commandText;
    QVariantList m_bindings;
    QList<FieldDef> m_fields;
    bool m_dynamicFields;
    QVector<Row> m_rows;
    QVector<int> m_columnOf;   // result column of each field while the load query is open
    QVector<bool> m_sniffDate; // text fields of a query whose first value decides if they are dates
    int m_fetchOnDemand = 0;
    bool m_moreRows = false;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    bool m_modified = false;
    Row m_savedRow; // the row as it was before Edit, for Cancel
    int m_rowBeforeInsert = -1;
    QString m_sort;
    DataSet* m_master = nullptr;
    QString m_detailField;
    QString m_masterField;
    QVariant m_loadedMasterKey;
    int m_disableCount = 0;
    bool m_pendingReset = false;
};
