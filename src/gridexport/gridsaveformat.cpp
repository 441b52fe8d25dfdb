// Save dialog entries and the extension rule.
#include "gridexport/gridsaveformat.h"

const QList<GridSaveFormat>& GridSaveFormat::all()
{
    static const QList<GridSaveFormat> formats = {
        {1, QStringLiteral("Text files (*.txt)"), QStringLiteral("*.TXT"), QStringLiteral("txt"),
         GridExportFormat::Text},
        {2, QStringLiteral("Comma separated values (*.csv)"), QStringLiteral("*.CSV"),
         QStringLiteral("csv"), GridExportFormat::Csv},
        {3, QStringLiteral("HTML file (*.htm)"), QStringLiteral("*.HTM"), QStringLiteral("htm"),
         GridExportFormat::Html},
        {4, QStringLiteral("Rich Text Format (*.rtf)"), QStringLiteral("*.RTF"),
         QStringLiteral("rtf"), GridExportFormat::Rtf},
        {5, QStringLiteral("Microsoft Excel Workbook (*.xls)"), QStringLiteral("*.XLS"),
         QStringLiteral("xls"), GridExportFormat::Xls},
    };
    return formats;
}

QStringList GridSaveFormat::nameFilters()
{
    QStringList list;
    for (const GridSaveFormat& f : all())
        list << f.entry;
    return list;
}

std::optional<GridSaveFormat> GridSaveFormat::byIndex(int index)
{
    for (const GridSaveFormat& f : all())
        if (f.index == index)
            return f;
    return std::nullopt;
}

std::optional<GridSaveFormat> GridSaveFormat::byNameFilter(const QString& entry)
{
    for (const GridSaveFormat& f : all())
        if (f.entry == entry)
            return f;
    return std::nullopt;
}

QString GridSaveFormat::withExtension(const QString& fileName, const QString& extension)
{
    if (fileName.right(3).compare(extension, Qt::CaseInsensitive) == 0)
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}
