// Grid output: what the save command writes from a selection, titles, and the painted printout.
#include "app/gridoutput.h"
#include "support/archivefixture.h"
#include "widgets/dbgrid.h"

#include <QFile>
#include <QPrinter>

namespace
{

class GridOutputTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        AddType(QStringLiteral("СО-И446"), QStringLiteral("1600"));
        AddType(QStringLiteral("CE\"101"), QStringLiteral("12.5"));
        AddType(QStringLiteral("Меркурий"), QStringLiteral("800"));
        gridHolder = std::make_unique<DBGrid>();
        gridHolder->SetDataSet(dm->ADOTip);
        gridHolder->resize(500, 300);
    }
    QStringList Lines(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    void TearDown() override
    {
        gridHolder.reset();
        ArchiveFixture::TearDown();
    }
    std::unique_ptr<DBGrid> gridHolder;
    DBGrid& grid() { return *gridHolder; }
};

TEST_F(GridOutputTest, SavesTheSelectionOnly)
{
    QString path = dir.filePath(QStringLiteral("none.txt"));
    ASSERT_TRUE(GridOutput::ExportTo(grid(), path, GridExportFormat::Text, nullptr).ok());
    EXPECT_EQ(QFile(path).size(), 0) << "no selection gives an empty file";

    grid().selectionModel()->select(grid().Model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    path = dir.filePath(QStringLiteral("marked.txt"));
    ASSERT_TRUE(GridOutput::ExportTo(grid(), path, GridExportFormat::Text, nullptr).ok());
    QStringList lines = Lines(path);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Тип\t")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("CE\"101\t220\t5\t12.5\t2")));

    grid().SelectAllRows();
    path = dir.filePath(QStringLiteral("all.txt"));
    ASSERT_TRUE(GridOutput::ExportTo(grid(), path, GridExportFormat::Text, nullptr).ok());
    EXPECT_EQ(Lines(path).size(), 4);
}

TEST_F(GridOutputTest, TitlesFollowTheDataSource)
{
    EXPECT_EQ(GridOutput::PrintTitle(grid()), QStringLiteral("Архив - Параметры счетчиков"));
    DBGrid data;
    data.SetDataSet(dm->ADOData);
    EXPECT_TRUE(GridOutput::PrintTitle(data).isEmpty());
    DBGrid sinchroResult;
    sinchroResult.SetDataSet(dm->ADOSinchroResult);
    EXPECT_EQ(GridOutput::PrintTitle(sinchroResult),
              QStringLiteral("Буфер обмена - Результаты проверки"));
}

TEST_F(GridOutputTest, PrintsEveryRowAndClearsTheSelection)
{
    for (int i = 0; i < 150; ++i)
        AddType(QStringLiteral("T%1").arg(i));
    grid().SelectAllRows();
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath(QStringLiteral("grid().pdf")));
    int pages = GridOutput::Paint(grid(), pdf);
    EXPECT_GE(pages, 2);
    QFile f(dir.filePath(QStringLiteral("grid().pdf")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    // Printing without a printer reports it; the selection is cleared either way.
    GridOutput::Print(grid(), false, nullptr);
    EXPECT_EQ(grid().Selection(), DBGrid::SelectionKind::None);
}

} // namespace
