// Archive meters dragged into the exchange buffer.
#include "support/transferfixture.h"
#include "transfer/buffertransfer.h"

namespace
{

class BufferTransferTest : public TransferFixture
{
  protected:
    void SetUp() override
    {
        TransferFixture::SetUp();
        t1 = AddType(QStringLiteral("T1"), QStringLiteral("1600"));
        AddMeter(QStringLiteral("N1"), QStringLiteral("A1"));
        m2 = AddMeter(QStringLiteral("N2"), QStringLiteral("A2"));
        AddMeter(QStringLiteral("N3"), QStringLiteral("A3"));
        t2 = AddType(QStringLiteral("T2"), QStringLiteral("800"));
        AddMeter(QStringLiteral("N9"), QStringLiteral("A9"));
    }
    qint64 t1 = 0, t2 = 0, m2 = 0;
};

TEST_F(BufferTransferTest, TypesBringAllTheirMetersAndMetersAlreadyInTheBufferAreNotRepeated)
{
    // Present already: the address differs only in letter case.
    AddBufferMeter(QStringLiteral("t1"), 1600, QStringLiteral("N2"), QStringLiteral("a2"));
    EXPECT_EQ(BufferTransfer(*dm).ATransInTip(RowSelection::Marked({t1})), 2);
    EXPECT_EQ(Rows("TSTip"), 3);
    EXPECT_EQ(Count(QStringLiteral(
                  "select count(*) from TSTip where PNumber in ('N1', 'N3') and PTipCH = 'T1' "
                  "and PReductRate = 1600")),
              2);

    EXPECT_EQ(BufferTransfer(*dm).ATransInTip(RowSelection::Everything()), 1);
    EXPECT_EQ(Rows("TSTip"), 4);
    EXPECT_EQ(
        Count(QStringLiteral("select count(*) from TSTip where PTipCH = 'T2' and PNumber = 'N9'")),
        1);
}

TEST_F(BufferTransferTest, NothingSelectedAddsNothing)
{
    EXPECT_EQ(BufferTransfer(*dm).ATransInTip(RowSelection{}), 0);
    EXPECT_EQ(BufferTransfer(*dm).ATransIdent(RowSelection{}), 0);
    EXPECT_EQ(Rows("TSTip"), 0);
}

TEST_F(BufferTransferTest, MarkedMetersOfTheCurrentTypeAreAdded)
{
    ASSERT_TRUE(dm->ADOTip->GotoBookmark(t1));
    EXPECT_EQ(BufferTransfer(*dm).ATransIdent(RowSelection::Marked({m2})), 1);
    EXPECT_EQ(BufferTransfer(*dm).ATransIdent(RowSelection::Everything()), 2);
    EXPECT_EQ(Rows("TSTip"), 3);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from TSTip where PTipCH = 'T1'")), 3);
}

} // namespace
