// BufferStore: turns the lettered values of a device record into rows of the exchange buffer.
#pragma once

#include "exchange/devicerecord.h"

#include <QDate>
#include <QString>

class DataSet;

class BufferStore
{
  public:
    // The views of TSTip, TSData (detail of TSTip), TSResult (detail of TSData) and TTableTip.
    BufferStore(DataSet& meters, DataSet& data, DataSet& results, DataSet& types);

    // Start of a read: the records that follow attach to the buffer's current meter again.
    void Reset();

    // Writes the rows of one record, all of them or none. False when a value cannot be stored;
    // LastError() then says why, in the program's language.
    bool StoreRecord(const DeviceRecord& values);
    QString LastError() const { return m_lastError; }
    // The last record left its verification and results without a meter to attach to.
    bool Detached() const { return m_detached; }

    // The power factor as stored: the factor alone when it is 1 or has no suffix, else "K/F".
    static QString PowerFactorText(const QString& k, const QString& f);
    // A device date "dd/mm/yy", "dd/mm/yyyy" or "dd/mm"; a text that is no date gives today.
    static QDate DeviceDate(const QString& text, const QDate& today);
    // Reads a number with "." as the only decimal separator; throws EConvertError.
    static double StrictFloat(const QString& text);

  private:
    bool Apply(const DeviceRecord& v);

    DataSet& m_meters;
    DataSet& m_data;
    DataSet& m_results;
    DataSet& m_types;
    bool m_detached = false;
    QString m_lastError;
};
