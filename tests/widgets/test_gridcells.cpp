// Cell and title drawing shared by the grids: errors beyond 1000 %, Symbol-font titles.
#include "widgets/overlimitcell.h"
#include "widgets/symboltitleheader.h"

#include <gtest/gtest.h>

namespace
{

struct OverLimitCase {
    QVariant error;
    bool over;
};

TEST(OverLimitCellTest, OnlyErrorsStrictlyBeyondAThousandAreReplaced)
{
    const OverLimitCase cases[] = {{1000.5, true},  {-1200.0, true},    {1500.0, true},
                                   {-2000.0, true}, {1000.0, false},    {-1000.0, false},
                                   {999.9, false},  {QVariant(), false}};
    for (const OverLimitCase& c : cases)
        EXPECT_EQ(OverLimitCell::IsOverLimit(c.error), c.over) << c.error.toString().toStdString();
}

TEST(OverLimitCellTest, TextIsCentredWithHalvesRoundedToEven)
{
    // centre 50.5 -> 50, half width 15 -> 35; top 10 - 7 = 3
    EXPECT_EQ(OverLimitCell::TextOrigin(QRect(0, 0, 101, 20), QSize(30, 14)), QPoint(35, 3));
    // centre 51, half width 15.5 -> 16; top (10 + 31) / 2 = 20.5 -> 20, half height 6.5 -> 6: 14.5
    // -> 14
    EXPECT_EQ(OverLimitCell::TextOrigin(QRect(10, 10, 82, 21), QSize(31, 13)), QPoint(35, 14));
}

TEST(SymbolTitleHeaderTest, LatinLettersShowAsTheSymbolFontsGreek)
{
    EXPECT_EQ(SymbolTitleHeader::SymbolText(QStringLiteral("d, %")), QStringLiteral("δ, %"));
    EXPECT_EQ(SymbolTitleHeader::SymbolText(QStringLiteral("Dp")), QStringLiteral("Δπ"));
}

} // namespace
