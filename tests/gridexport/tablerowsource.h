// A row source over values held in memory, and the small fixture the writer tests share.
#pragma once

#include "gridexport/gridrowsource.h"

#include <QList>
#include <QStringList>

class TableRowSource : public GridRowSource
{
  public:
    TableRowSource(QStringList titles, QList<QList<QVariant>> rows);

    // Cyrillic text, a double quote, empty values, numbers with decimals, a date and a date-time,
    // characters that are markup in HTML and RTF, and a tab and a line break inside a value.
    static TableRowSource fixture();

    int columnCount() const override { return static_cast<int>(m_titles.size()); }
    QString columnTitle(int column) const override { return m_titles.at(column); }
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    QVariant value(int row, int column) const override { return m_rows.at(row).at(column); }

  private:
    QStringList m_titles;
    QList<QList<QVariant>> m_rows;
};
