// Print layout without painting: fitted widths, rows per page, page count, date, title table.
#include "gridexport/gridprintlayout.h"
#include "gridexport/gridprinttitle.h"

#include <gtest/gtest.h>

#include <numeric>

namespace
{

// A page of 1000 units: header 50, heading 60, title 20, column titles 20, rows 10, date 30.
// So the first page holds (1000-50-60-20-20)/10 = 85 rows and each further page (1000-50-20)/10
// = 93.
GridPrintLayout::Input page(int rows, bool title = true)
{
    GridPrintLayout::Input in;
    in.pageWidth = 500;
    in.pageHeight = 1000;
    in.columnWidths = {100, 200, 300, 400};
    in.rowCount = rows;
    in.rowHeight = 10;
    in.titleRowHeight = 20;
    in.pageHeaderHeight = 50;
    in.headingHeight = 60;
    in.titleHeight = title ? 20 : 0;
    in.dateHeight = 30;
    return in;
}

TEST(GridPrintLayout, WideGridIsFittedToThePageWidthInProportion)
{
    GridPrintLayout::Input in = page(10);
    in.pageWidth = 1000;
    in.columnWidths.clear();
    for (int c = 0; c < 14; ++c)
        in.columnWidths << (c % 2 ? 150.0 : 75.0); // 1575 units wide: more than the page
    GridPrintLayout layout = GridPrintLayout::compute(in);
    ASSERT_EQ(layout.columnWidths().size(), 14);
    EXPECT_NEAR(std::accumulate(layout.columnWidths().begin(), layout.columnWidths().end(), 0.0),
                1000.0, 1e-9);
    EXPECT_NEAR(layout.columnWidths()[0], 75 * 1000.0 / 1575, 1e-9);
    EXPECT_NEAR(layout.columnWidths()[1], 2 * layout.columnWidths()[0], 1e-9);
    EXPECT_NEAR(layout.columnLefts()[13], 1000.0 - layout.columnWidths()[13], 1e-9);
}

TEST(GridPrintLayout, NarrowGridIsWidenedToThePage)
{
    GridPrintLayout layout = GridPrintLayout::compute(page(1));
    EXPECT_EQ(layout.columnWidths(), (QList<double>{50, 100, 150, 200}));
    EXPECT_EQ(layout.columnLefts(), (QList<double>{0, 50, 150, 300}));
}

struct PagingCase {
    int rows;
    bool title;
    int pages;
    int rowsOnLastPage; // rows on the last page that holds rows
    int datePage;       // page number carrying the date
    double dateTop;
};

class PagingTest : public ::testing::TestWithParam<PagingCase>
{
};

TEST_P(PagingTest, SplitsRowsAndPlacesTheDate)
{
    const PagingCase& c = GetParam();
    GridPrintLayout layout = GridPrintLayout::compute(page(c.rows, c.title));
    ASSERT_EQ(layout.pageCount(), c.pages);
    EXPECT_EQ(layout.rowsOnFirstPage(), std::min(c.rows, c.title ? 85 : 87));
    EXPECT_EQ(layout.rowsPerPage(), 93);

    int next = 0;
    int lastWithRows = 0;
    for (const GridPrintLayout::Page& p : layout.pages()) {
        EXPECT_EQ(p.firstRow, next) << p.number;
        next += p.rowCount;
        if (p.rowCount > 0)
            lastWithRows = p.rowCount;
        EXPECT_EQ(p.headingTop >= 0, p.number == 1);
        EXPECT_EQ(p.dateTop >= 0, p.number == c.datePage) << p.number;
    }
    EXPECT_EQ(next, c.rows);
    if (c.rows > 0) {
        EXPECT_EQ(lastWithRows, c.rowsOnLastPage);
    }
    EXPECT_DOUBLE_EQ(layout.pages()[c.datePage - 1].dateTop, c.dateTop);

    const GridPrintLayout::Page& first = layout.pages().first();
    EXPECT_EQ(first.headingTop, 50);
    EXPECT_EQ(first.titleTop, c.title ? 110 : -1);
    EXPECT_EQ(first.tableTop, c.title ? 130 : 110);
}

INSTANTIATE_TEST_SUITE_P(Rows, PagingTest,
                         ::testing::Values(
                             // No rows: the heading, the column titles and the date on one page.
                             PagingCase{0, true, 1, 0, 1, 150},
                             // 85 rows fill the first page to its foot: the date goes to page 2.
                             PagingCase{85, true, 2, 85, 2, 50},
                             // 300 rows: 85 + 93 + 93 + 29; the date under the last row.
                             PagingCase{300, true, 4, 29, 4, 50 + 20 + 290},
                             // The second page is filled exactly: the date needs a page of its own.
                             PagingCase{178, true, 3, 93, 3, 50},
                             // Without a title line the first page holds two more rows.
                             PagingCase{87, false, 2, 87, 2, 50},
                             PagingCase{80, false, 1, 80, 1, 110 + 20 + 800}),
                         [](const ::testing::TestParamInfo<PagingCase>& param) {
                             return std::to_string(param.param.rows) +
                                    (param.param.title ? "_rows" : "_rows_untitled");
                         });

TEST(GridPrintLayout, RowTallerThanAPageStillGetsPlaced)
{
    GridPrintLayout::Input in = page(3);
    in.rowHeight = 2000;
    GridPrintLayout layout = GridPrintLayout::compute(in);
    EXPECT_EQ(layout.rowsOnFirstPage(), 0);
    EXPECT_EQ(layout.rowsPerPage(), 1);
    EXPECT_EQ(layout.pageCount(), 5); // heading page, three rows, the date
}

TEST(GridPrintLayout, FixedTexts)
{
    EXPECT_EQ(GridPrintLayout::pageHeaderText(3).toStdString(), "Страница. 3");
    EXPECT_EQ(GridPrintLayout::headingText().toStdString(), "Кварцет KM350");
    EXPECT_EQ(GridPrintLayout::dateText(QDate(2024, 3, 7)).toStdString(), "07/03/24");
}

TEST(GridPrintTitle, TitleByDataSource)
{
    const std::pair<const char*, const char*> cases[] = {
        {"DSTip", "Архив - Параметры счетчиков"},
        {"DSIdent", "Архив - Обозначение счетчиков"},
        {"DSResult", "Архив - Результаты проверки"},
        {"DSTableTip", "Типы счетчиков"},
        {"DSSinchro", "Буфер обмена - Параметры счетчиков"},
        {"DSSinchroResult", "Буфер обмена - Результаты проверки"},
        {"DSData", ""},
        {"DSSinchroData", ""},
        {"DSExtern", ""},
        {"dstip", ""},
    };
    for (const auto& [source, title] : cases)
        EXPECT_EQ(GridPrintTitle::forDataSource(QString::fromLatin1(source)).toStdString(), title)
            << source;
}

} // namespace
