// The title line of a printed grid, chosen by the name of the grid's data source.
#pragma once

#include <QString>

class GridPrintTitle
{
  public:
    // "DSTip" → "Архив - Параметры счетчиков", …; empty (no title line) for any other source.
    static QString forDataSource(const QString& dataSourceName);
};
