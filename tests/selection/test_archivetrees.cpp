// The selection trees built from the archive: which nodes, their captions and their order.
#include "selection/archivetrees.h"

#include "support/selectionarchive.h"

namespace
{

class ArchiveTreesTest : public SelectionArchive
{
  protected:
    // "caption(key)" per node in tree order, children indented by their level.
    static QStringList Outline(const CheckTree& t)
    {
        QStringList lines;
        std::function<void(int, int)> walk = [&](int level, int index) {
            lines << QString(level * 2, QLatin1Char(' ')) + t.Caption(level, index).toString() +
                         QStringLiteral("(%1)").arg(t.Key(level, index));
            if (level + 1 < t.Depth()) {
                for (int c = t.FirstChild(level, index);
                     c < t.FirstChild(level, index) + t.ChildCount(level, index); ++c)
                    walk(level + 1, c);
            }
        };
        for (int i = 0; i < t.Count(0); ++i)
            walk(0, i);
        return lines;
    }
};

TEST_F(ArchiveTreesTest, VerificationTreeHoldsMetersWithVerificationsOnly)
{
    CheckTree t = ArchiveTrees::VerificationTree(dm->ConnectionName());
    EXPECT_EQ(Outline(t), (QStringList{"СО-2(1)", "  101(10)", "    15/03/06(100)",
                                       "    16/03/06(101)", "  102(11)", "    16/03/06(110)",
                                       "ЦЭ6807(2)", "  201(20)", "    17/03/06 10:30:00(200)"}));
    for (int level = 0; level < 3; ++level)
        EXPECT_TRUE(t.CheckedKeys(level).empty());
}

TEST_F(ArchiveTreesTest, MeterTreeHoldsEveryTypeWithAMeter)
{
    CheckTree t = ArchiveTrees::MeterTree(dm->ConnectionName());
    EXPECT_EQ(Outline(t), (QStringList{"БЕЗ-ПОВ(4)", "  401(40)", "СО-2(1)", "  101(10)",
                                       "  102(11)", "ЦЭ6807(2)", "  201(20)"}));
}

TEST_F(ArchiveTreesTest, DesignationsAreOrderedIgnoringCaseAndMetersByKey)
{
    Exec(QStringLiteral("INSERT INTO TTip VALUES (7, 'Аб', 1, 1, 1, 1), (8, 'аа', 1, 1, 1, 1)"));
    Exec(QStringLiteral("INSERT INTO TIdent VALUES (72, 7, 'z', 'm', 1, 'a'), "
                        "(71, 7, 'y', 'm', 1, 'a'), (81, 8, 'x', 'm', 1, 'a')"));
    CheckTree t = ArchiveTrees::MeterTree(dm->ConnectionName());
    QStringList outline = Outline(t);
    EXPECT_EQ(outline.mid(0, 5), (QStringList{"аа(8)", "  x(81)", "Аб(7)", "  y(71)", "  z(72)"}));
}

TEST_F(ArchiveTreesTest, EmptyArchiveGivesEmptyTrees)
{
    Exec(QStringLiteral("DELETE FROM TTip"));
    EXPECT_EQ(ArchiveTrees::VerificationTree(dm->ConnectionName()).NodeCount(), 0);
    EXPECT_EQ(ArchiveTrees::MeterTree(dm->ConnectionName()).NodeCount(), 0);
}

} // namespace
