// Save dialog entries and the extension rule on the last three characters of the name.
#include "gridexport/gridsaveformat.h"

#include <gtest/gtest.h>

namespace
{

struct NameCase {
    const char* chosen;
    int filterIndex;
    const char* saved;
};

class ExtensionRuleTest : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(ExtensionRuleTest, AppendsTheExtensionOnlyWhenTheLastThreeCharactersDiffer)
{
    const NameCase& c = GetParam();
    std::optional<GridSaveFormat> f = GridSaveFormat::byIndex(c.filterIndex);
    ASSERT_TRUE(f);
    EXPECT_EQ(
        GridSaveFormat::withExtension(QString::fromUtf8(c.chosen), f->extension).toStdString(),
        c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionRuleTest,
    ::testing::Values(NameCase{"report", 1, "report.txt"}, NameCase{"report.TXT", 1, "report.TXT"},
                      NameCase{"mytxt", 1, "mytxt"},
                      NameCase{"/home/u/отчет.xls", 1, "/home/u/отчет.xls.txt"},
                      NameCase{"/home/u/отчет", 5, "/home/u/отчет.xls"},
                      NameCase{"data.Csv", 2, "data.Csv"},
                      NameCase{"page.html", 3, "page.html.htm"}, NameCase{"tx", 1, "tx.txt"},
                      NameCase{"", 4, ".rtf"}));

TEST(GridSaveFormat, FiveEntriesInDialogOrder)
{
    const QList<GridSaveFormat>& all = GridSaveFormat::all();
    ASSERT_EQ(all.size(), 5);
    const struct {
        const char* entry;
        const char* pattern;
        const char* extension;
        GridExportFormat format;
    } expected[] = {
        {"Text files (*.txt)", "*.TXT", "txt", GridExportFormat::Text},
        {"Comma separated values (*.csv)", "*.CSV", "csv", GridExportFormat::Csv},
        {"HTML file (*.htm)", "*.HTM", "htm", GridExportFormat::Html},
        {"Rich Text Format (*.rtf)", "*.RTF", "rtf", GridExportFormat::Rtf},
        {"Microsoft Excel Workbook (*.xls)", "*.XLS", "xls", GridExportFormat::Xls},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(all[i].index, i + 1);
        EXPECT_EQ(all[i].entry.toStdString(), expected[i].entry);
        EXPECT_EQ(all[i].pattern.toStdString(), expected[i].pattern);
        EXPECT_EQ(all[i].extension.toStdString(), expected[i].extension);
        EXPECT_EQ(all[i].format, expected[i].format);
        std::optional<GridSaveFormat> byEntry = GridSaveFormat::byNameFilter(all[i].entry);
        ASSERT_TRUE(byEntry);
        EXPECT_EQ(byEntry->index, i + 1);
    }
    EXPECT_EQ(GridSaveFormat::nameFilters().size(), 5);
}

TEST(GridSaveFormat, AnyOtherIndexOrEntryStopsTheSave)
{
    EXPECT_FALSE(GridSaveFormat::byIndex(0));
    EXPECT_FALSE(GridSaveFormat::byIndex(6));
    EXPECT_FALSE(GridSaveFormat::byNameFilter(QStringLiteral("All files (*)")));
}

} // namespace
