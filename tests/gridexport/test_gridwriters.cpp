// The five grid writers: golden files, the empty export, cancel and failure leaving nothing behind.
//
// Goldens live in tests/gridexport/golden. After an intended change of a format, regenerate them
// with   KM350_UPDATE_GOLDEN=1 build/tests/gridexport/test_gridexport --gtest_filter='Golden*'
// and review the diff before committing. The .xls is checked by check_xls.py through xlrd.
#include "tablerowsource.h"

#include "gridexport/gridcsvwriter.h"
#include "gridexport/gridwriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

struct GoldenCase {
    const char* golden;
    GridExportFormat format;
    char decimalPoint;
};

class GoldenTest : public ::testing::TestWithParam<GoldenCase>
{
};

TEST_P(GoldenTest, MatchesGoldenFile)
{
    const GoldenCase& c = GetParam();
    QTemporaryDir dir;
    const QString out = dir.filePath(QString::fromLatin1(c.golden));
    GridWriterOptions options;
    options.decimalPoint = QLatin1Char(c.decimalPoint);
    GridExportResult r =
        GridWriter::create(c.format, options)->write(TableRowSource::fixture(), out);
    ASSERT_TRUE(r.ok()) << r.message().toStdString();

    const QString golden = QStringLiteral(KM350_GOLDEN_DIR "/") + QString::fromLatin1(c.golden);
    if (qEnvironmentVariableIsSet("KM350_UPDATE_GOLDEN")) {
        QFile::remove(golden);
        ASSERT_TRUE(QFile::copy(out, golden));
        GTEST_SKIP() << "golden written: " << golden.toStdString();
    }
    EXPECT_EQ(readAll(out).toStdString(), readAll(golden).toStdString()) << c.golden;
}

INSTANTIATE_TEST_SUITE_P(Writers, GoldenTest,
                         ::testing::Values(GoldenCase{"fixture.txt", GridExportFormat::Text, '.'},
                                           GoldenCase{"fixture.csv", GridExportFormat::Csv, '.'},
                                           GoldenCase{"fixture-semicolon.csv",
                                                      GridExportFormat::Csv, ','},
                                           GoldenCase{"fixture.htm", GridExportFormat::Html, '.'},
                                           GoldenCase{"fixture.rtf", GridExportFormat::Rtf, '.'}),
                         [](const ::testing::TestParamInfo<GoldenCase>& param) {
                             std::string name = param.param.golden;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// Rows generated on demand, enough for several progress steps.
class CountingRowSource : public GridRowSource
{
  public:
    explicit CountingRowSource(int rows) : m_rows(rows) {}
    int columnCount() const override { return 3; }
    QString columnTitle(int column) const override
    {
        return QStringLiteral("Столбец %1").arg(column);
    }
    int rowCount() const override { return m_rows; }
    QVariant value(int row, int column) const override
    {
        if (column == 0)
            return row;
        if (column == 1)
            return QStringLiteral("Счетчик №%1").arg(row);
        return row * 0.5;
    }

  private:
    int m_rows;
};

class EveryFormatTest : public ::testing::TestWithParam<GridExportFormat>
{
  protected:
    QTemporaryDir dir;
    QString target() const { return dir.filePath(QStringLiteral("отчет.out")); }
    void putOldFile() const
    {
        QFile f(target());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    QStringList filesInDir() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    }
};

TEST_P(EveryFormatTest, NoRowsCreatesAnEmptyFile)
{
    putOldFile();
    TableRowSource none({QStringLiteral("Тип")}, {});
    GridExportResult r = GridWriter::create(GetParam())->write(none, target());
    ASSERT_TRUE(r.ok()) << r.message().toStdString();
    QFileInfo info(target());
    EXPECT_TRUE(info.exists());
    EXPECT_EQ(info.size(), 0);
}

TEST_P(EveryFormatTest, CancelKeepsTheOldFileAndLeavesNoPartialOne)
{
    putOldFile();
    CountingRowSource rows(5 * GridWriter::ProgressStep);
    QList<int> calls;
    GridExportResult r =
        GridWriter::create(GetParam())->write(rows, target(), [&](int done, int total) {
            EXPECT_EQ(total, rows.rowCount());
            calls << done;
            return done < 2 * GridWriter::ProgressStep;
        });
    EXPECT_EQ(r.status(), GridExportResult::Status::Cancelled);
    EXPECT_EQ((QList<int>{0, GridWriter::ProgressStep, 2 * GridWriter::ProgressStep}), calls);
    EXPECT_EQ(readAll(target()), QByteArray("old contents"));
    EXPECT_EQ(filesInDir(), QStringList{QStringLiteral("отчет.out")});
}

TEST_P(EveryFormatTest, CancelOfANewFileLeavesNothing)
{
    CountingRowSource rows(3 * GridWriter::ProgressStep);
    GridExportResult r = GridWriter::create(GetParam())->write(rows, target(), [](int done, int) {
        return done == 0;
    });
    EXPECT_EQ(r.status(), GridExportResult::Status::Cancelled);
    EXPECT_TRUE(filesInDir().isEmpty()) << filesInDir().join(QLatin1Char(' ')).toStdString();
}

TEST_P(EveryFormatTest, ReportsAFileThatCannotBeCreated)
{
    const QString path = dir.filePath(QStringLiteral("нет такой папки/отчет"));
    for (int rowCount : {0, 10}) {
        CountingRowSource rows(rowCount);
        GridExportResult r = GridWriter::create(GetParam())->write(rows, path);
        EXPECT_EQ(r.status(), GridExportResult::Status::Failed) << rowCount;
        EXPECT_TRUE(r.message().startsWith(QStringLiteral("Не удалось создать файл «")))
            << r.message().toStdString();
        EXPECT_TRUE(r.message().contains(path));
    }
}

TEST_P(EveryFormatTest, ReplacesAnExistingFileAndReportsProgressToTheEnd)
{
    putOldFile();
    CountingRowSource rows(2 * GridWriter::ProgressStep + 7);
    int last = -1;
    GridExportResult r = GridWriter::create(GetParam())->write(rows, target(), [&](int done, int) {
        EXPECT_GT(done, last);
        last = done;
        return true;
    });
    ASSERT_TRUE(r.ok()) << r.message().toStdString();
    EXPECT_EQ(last, rows.rowCount());
    QByteArray bytes = readAll(target());
    EXPECT_GT(bytes.size(), 2 * GridWriter::ProgressStep);
    EXPECT_FALSE(bytes.contains("old contents"));
    EXPECT_EQ(filesInDir(), QStringList{QStringLiteral("отчет.out")});
}

INSTANTIATE_TEST_SUITE_P(Writers, EveryFormatTest,
                         ::testing::Values(GridExportFormat::Text, GridExportFormat::Csv,
                                           GridExportFormat::Html, GridExportFormat::Rtf,
                                           GridExportFormat::Xls));

TEST(GridCsvWriter, ListSeparatorFollowsTheDecimalPoint)
{
    EXPECT_EQ(GridCsvWriter::listSeparatorFor(QLatin1Char('.')), QLatin1Char(','));
    EXPECT_EQ(GridCsvWriter::listSeparatorFor(QLatin1Char(',')), QLatin1Char(';'));
}

TEST(GridXlsWriter, RefusesMoreColumnsThanASheetHolds)
{
    QTemporaryDir dir;
    QStringList titles;
    QList<QVariant> row;
    for (int c = 0; c < 257; ++c) {
        titles << QString::number(c);
        row << c;
    }
    TableRowSource wide(titles, {row});
    const QString path = dir.filePath(QStringLiteral("wide.xls"));
    GridExportResult r = GridWriter::create(GridExportFormat::Xls)->write(wide, path);
    EXPECT_EQ(r.status(), GridExportResult::Status::Failed);
    EXPECT_TRUE(r.message().contains(QStringLiteral("257"))) << r.message().toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
