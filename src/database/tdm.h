// The data module: the archive connection, every table view, the checks on posting and the
// settings.
#pragma once

#include "database/command.h"
#include "database/dataset.h"
#include "database/settingsstore.h"

#include <QDir>
#include <QObject>
#include <QString>

#include <memory>

class TDM : public QObject
{
    Q_OBJECT
  public:
    // settings: the store to use; null means the user's settings file.
    explicit TDM(std::unique_ptr<SettingsStore> settings = nullptr, QObject* parent = nullptr);
    ~TDM() override;

    // Opens the archive file of the given folder and its eight main views; on failure the
    // views stay closed and FailureText() names the file.
    bool Open(const QString& directory = QDir::currentPath());
    QString FailureText() const { return m_failureText; }
    // Why the archive could not be opened (missing tables, engine message): for support.
    QString FailureReason() const { return m_failureReason; }
    QString ConnectionName() const { return m_connectionName; }
    QString ArchivePath() const { return m_archivePath; }

    // Appends and posts a meter type / a meter under the current type. False when a check
    // cancelled the post (the row stays pending); EConvertError for a text that is no number.
    bool AddTip(const QString& tip, const QString& unom, const QString& inom,
                const QString& reductRate, const QString& classT);
    bool AddIdent(const QString& number, const QString& address, const QString& maker,
                  const QString& year);

    // Whole-table statements run with the view closed, in one transaction: all of them take
    // effect or none. The view is reopened in every case; false when a statement, the commit or
    // the reopening failed.
    bool RunWithViewClosed(DataSet& view, const QStringList& statements);
    // Deletes every row of the view's table that way.
    bool EmptyTable(DataSet& view);

    SettingsStore& REGEH() { return *m_settings; }

    // Main views
    DataSet* ADOTip = nullptr;
    DataSet* ADOIdent = nullptr;
    DataSet* ADOData = nullptr;
    DataSet* ADOResult = nullptr;
    DataSet* ADOSinchro = nullptr;
    DataSet* ADOSinchroData = nullptr;
    DataSet* ADOSinchroResult = nullptr;
    DataSet* ADOTableTip = nullptr;
    // Report views
    DataSet* ADOrepTip = nullptr;
    DataSet* ADORepIdent = nullptr;
    DataSet* ADORepData = nullptr;
    DataSet* ADORepResult = nullptr;
    DataSet* ADOSinhroRepTip = nullptr;
    DataSet* ADOsinchroDataRep = nullptr;
    DataSet* ADOSinhroRepResult = nullptr;
    // Auxiliary
    DataSet* ADOQueryIdent = nullptr;
    DataSet* ADOQuerySQL = nullptr;
    DataSet* ADODataSetSQL = nullptr;
    std::unique_ptr<Command> ADOExport;

    // The eight main views in the order they are opened and closed.
    QList<DataSet*> MainViews() const;

  private:
    bool CheckTip(DataSet& ds);
    bool CheckIdent(DataSet& ds);
    bool CheckTableTip(DataSet& ds);
    bool CheckComplete(DataSet& ds, const QStringList& fields);
    // Runs the uniqueness statement and tells whether the row being posted may keep its key text.
    bool UniqueOrSelf(DataSet& ds, const QString& sql, const QVariantList& bindings,
                      const QString& message);
    void CloseAll();

    std::unique_ptr<SettingsStore> m_settings;
    QString m_connectionName;
    QString m_failureText;
    QString m_failureReason;
    QString m_archivePath;
};

// The program's one data module; set while it exists.
extern TDM* DM;
