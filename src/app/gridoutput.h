// Print, preview and save of the grid the grid commands act on.
#pragma once

#include "gridexport/gridexportresult.h"
#include "gridexport/gridrowsource.h"
#include "gridexport/gridsaveformat.h"

#include <QList>
#include <QString>

class DBGrid;
class DataSet;
class QPainter;
class QPrinter;
class QWidget;

// The rows of a grid's selection as the writers read them: visible columns in screen order.
class GridSelectionSource : public GridRowSource
{
  public:
    explicit GridSelectionSource(const DBGrid& grid, bool allRows = false);
    int columnCount() const override;
    QString columnTitle(int column) const override;
    int rowCount() const override;
    QVariant value(int row, int column) const override;

  private:
    const DBGrid& m_grid;
    QList<int> m_rows;
    QList<int> m_columns; // model columns in screen order
};

namespace GridOutput
{

// Name of the data source a view is shown through ("ADOTip" is shown through "DSTip").
QString DataSourceName(const DataSet* dataSet);
// The title line of a grid's printout; empty for grids without one.
QString PrintTitle(const DBGrid& grid);

// The save command: dialog, extension rule, export with progress; messages on failure.
void SaveAs(DBGrid& grid, QWidget* parent);
// Writes the grid's selection to a file (no dialog); shows progress for long exports.
GridExportResult ExportTo(DBGrid& grid, const QString& path, GridExportFormat format,
                          QWidget* parent);

// Preview (true) or print at once on the default printer (false); the selection is cleared first.
void Print(DBGrid& grid, bool preview, QWidget* parent);
// Paints every row of the grid onto the printer's pages; returns the number of pages.
int Paint(const DBGrid& grid, QPrinter& printer);
// Writes the printout to a PDF file; false when the file cannot be written.
bool PrintToPdf(const DBGrid& grid, const QString& path, QPrinter* pageSettings = nullptr);

} // namespace GridOutput
