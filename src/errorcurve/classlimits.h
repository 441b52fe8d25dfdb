// Permissible errors of active-energy meters of accuracy classes 0.5S, 1 and 2, by current and
// power factor.
#pragma once

#include "errorcurve/loadkind.h"

#include <QList>
#include <QString>

#include <optional>

// One row of the table: the limit holds for currents from `from` to `to` times the nominal
// current; `from` is included, `to` only when toIncluded. An open end is infinity.
struct LimitStep {
    double from = 0;
    double to = 0;
    bool toIncluded = false;
    double limit = 0; // ± per cent
};

class ClassLimits
{
  public:
    // The table of an accuracy class as stored in PClassT (0.5 stands for 0.5S); none for a class
    // the table does not cover.
    static std::optional<ClassLimits> ForClass(double accuracyClass);

    // The class as the standards write it: "0.5S", "1", "2".
    QString Name() const { return m_name; }
    // The rows of one load, lowest current first; empty when the class sets no limit for it.
    QList<LimitStep> Steps(LoadKind kind) const;
    // The limit at a current given as a multiple of the nominal current; none below the first
    // row, past a closed last row, or for a load without rows.
    std::optional<double> Limit(LoadKind kind, double currentRatio) const;

  private:
    struct Row {
        LoadKind kind;
        LimitStep step;
    };
    ClassLimits(const QString& name, const QList<Row>& rows) : m_name(name), m_rows(rows) {}

    QString m_name;
    QList<Row> m_rows;
};
