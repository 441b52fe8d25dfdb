// The five entries of the grid save dialog and the rule that gives a chosen name its extension.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

enum class GridExportFormat { Text, Csv, Html, Rtf, Xls };

class GridSaveFormat
{
  public:
    int index;         // filter index of the dialog, from 1
    QString entry;     // text of the filter entry, e.g. "Text files (*.txt)"
    QString pattern;   // e.g. "*.TXT"
    QString extension; // e.g. "txt"
    GridExportFormat format;

    // The five entries in dialog order.
    static const QList<GridSaveFormat>& all();
    // Entry texts for QFileDialog::setNameFilters (Qt's own dialog matches them
    // case-insensitively).
    static QStringList nameFilters();
    // None for an index outside 1..5: the save then stops.
    static std::optional<GridSaveFormat> byIndex(int index);
    // The format of an entry text, as QFileDialog::selectedNameFilter returns it.
    static std::optional<GridSaveFormat> byNameFilter(const QString& entry);

    // Appends "." and the extension unless the last three characters of the name already equal
    // it regardless of case: report → report.txt, report.TXT and mytxt stay as they are.
    static QString withExtension(const QString& fileName, const QString& extension);
};
