// Where the error curve reads its verification: the current verification of the archive's or the
// exchange buffer's views, and a signal whenever that verification or its results may have changed.
#pragma once

#include "errorcurve/verificationdata.h"

#include <QObject>

#include <memory>

class DataSet;
class TDM;

class CurveSource : public QObject
{
    Q_OBJECT
  public:
    // The archive: types (with class and nominal current), meters, verifications, results.
    static std::unique_ptr<CurveSource> Archive(TDM& dm);
    // The exchange buffer: meters (with their type designation), verifications, results.
    static std::unique_ptr<CurveSource> Buffer(TDM& dm);

    // The current verification and its results, read without moving any view.
    VerificationData Read() const;

  signals:
    // The current type, meter or verification moved, or rows changed: read again.
    void Changed();

  private:
    CurveSource(DataSet* types, DataSet* meters, DataSet* verifications, DataSet* results,
                bool withClass);

    DataSet* m_types;
    DataSet* m_meters;
    DataSet* m_verifications;
    DataSet* m_results;
    bool m_withClass;
};
