// Reading the current verification of the archive or the buffer for the error curve.
#include "errorcurve/curvesource.h"

#include "database/dataset.h"
#include "database/tdm.h"

namespace
{

bool HasCurrentRow(const DataSet* ds)
{
    return ds && ds->Active() && !ds->IsEmpty() && ds->RecNo() >= 0;
}

QVariant Current(const DataSet* ds, const char* field)
{
    return HasCurrentRow(ds) ? ds->Value(QLatin1String(field)) : QVariant();
}

} // namespace

std::unique_ptr<CurveSource> CurveSource::Archive(TDM& dm)
{
    return std::unique_ptr<CurveSource>(
        new CurveSource(dm.ADOTip, dm.ADOIdent, dm.ADOData, dm.ADOResult, true));
}

std::unique_ptr<CurveSource> CurveSource::Buffer(TDM& dm)
{
    return std::unique_ptr<CurveSource>(new CurveSource(
        dm.ADOSinchro, dm.ADOSinchro, dm.ADOSinchroData, dm.ADOSinchroResult, false));
}

CurveSource::CurveSource(DataSet* types, DataSet* meters, DataSet* verifications, DataSet* results,
                         bool withClass)
    : m_types(types), m_meters(meters), m_verifications(verifications), m_results(results),
      m_withClass(withClass)
{
    QList<DataSet*> views{m_types, m_verifications, m_results};
    if (m_meters != m_types)
        views.append(m_meters);
    for (DataSet* ds : views) {
        connect(ds, &DataSet::Reset, this, &CurveSource::Changed);
        connect(ds, &DataSet::RowChanged, this, &CurveSource::Changed);
        connect(ds, &DataSet::RowInserted, this, &CurveSource::Changed);
        connect(ds, &DataSet::RowRemoved, this, &CurveSource::Changed);
        if (ds != m_results)
            connect(ds, &DataSet::CurrentChanged, this, &CurveSource::Changed);
    }
}

VerificationData CurveSource::Read() const
{
    VerificationData d;
    if (!HasCurrentRow(m_meters) || !HasCurrentRow(m_verifications))
        return d;
    d.present = true;
    d.type = Current(m_types, "PTipCH").toString();
    d.number = Current(m_meters, "PNumber").toString();
    if (m_withClass) {
        d.accuracyClass = Current(m_types, "PClassT");
        d.nominalCurrent = Current(m_types, "PInom");
    }
    d.date = Current(m_verifications, "PDateMeasure");
    d.samohod = Current(m_verifications, "PSamohod");
    d.reading = Current(m_verifications, "POrmix");
    if (!m_results->Active())
        return d;
    const int u = m_results->FieldIndex(QStringLiteral("PUMeasure"));
    const int i = m_results->FieldIndex(QStringLiteral("PIMeasure"));
    const int p = m_results->FieldIndex(QStringLiteral("PPowerMeasure"));
    const int k = m_results->FieldIndex(QStringLiteral("PFPMeasure"));
    const int s = m_results->FieldIndex(QStringLiteral("PMistakeMeasure"));
    const int rows = m_results->RecordCount();
    d.results.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        d.results.append({m_results->Value(r, u), m_results->Value(r, i), m_results->Value(r, p),
                          m_results->Value(r, k).toString(), m_results->Value(r, s)});
    }
    return d;
}
