// The rows a grid hands to the writers: column titles and cell values, read one cell at a time.
#pragma once

#include <QString>
#include <QVariant>

// Implemented by the grid over the rows to be written (its selection). Values are QString,
// double, int/qint64, QDate/QDateTime or a null QVariant for an empty cell.
class GridRowSource
{
  public:
    virtual ~GridRowSource();
    virtual int columnCount() const = 0;
    virtual QString columnTitle(int column) const = 0;
    virtual int rowCount() const = 0;
    virtual QVariant value(int row, int column) const = 0;
};
