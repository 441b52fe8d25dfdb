// Writes the workbooks check_xls.py reads back with xlrd: the fixture and a two-sheet grid.
#include "tablerowsource.h"

#include "gridexport/gridwriter.h"

#include <QDate>
#include <QDir>

#include <cstdio>

namespace
{

class LongRowSource : public GridRowSource
{
  public:
    int columnCount() const override { return 3; }
    QString columnTitle(int column) const override
    {
        return QStringList{QStringLiteral("№"), QStringLiteral("Счетчик"), QStringLiteral("Дата")}
            .at(column);
    }
    int rowCount() const override { return 70000; }
    QVariant value(int row, int column) const override
    {
        switch (column) {
        case 0:
            return row;
        case 1:
            return QStringLiteral("Счетчик %1").arg(row);
        default:
            return QDate(2020, 1, 1).addDays(row % 1000);
        }
    }
};

bool write(const GridRowSource& rows, const QString& path)
{
    GridExportResult r = GridWriter::create(GridExportFormat::Xls)->write(rows, path);
    if (!r.ok())
        std::fprintf(stderr, "%s\n", qPrintable(r.message()));
    return r.ok();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return 1;
    bool ok = write(TableRowSource::fixture(), dir.filePath(QStringLiteral("fixture.xls")));
    ok = write(LongRowSource(), dir.filePath(QStringLiteral("long.xls"))) && ok;
    return ok ? 0 : 1;
}
