// The simulated KM350 reads the program's records as strictly as the device: 68-byte meter and
// 26-byte type records with each field at its offset, or it refuses them.
#include "simdevice.h"

#include <QList>
#include <QPair>

#include <gtest/gtest.h>

namespace
{

using Fields = QList<QPair<char, QByteArray>>;

// "/", STX, the fields as given, ETX, the sum of the field bytes, CR, LF: the layout the fields
// make, right or wrong, with a correct checksum.
QByteArray Record(const Fields& fields)
{
    QByteArray body;
    for (const auto& f : fields)
        body += f.first + QByteArray("(") + f.second + ")";
    unsigned sum = 0;
    for (char c : body)
        sum += static_cast<unsigned char>(c);
    return QByteArray("/\x02") + body + '\x03' + static_cast<char>(sum & 0xFF) + "\r\n";
}

const QByteArray Address = "ul. Mira 5      "; // 16
const QByteArray Type = "SO-I446  ";           // 9
const QByteArray Constant = "1600 ";           // 5
const QByteArray Number = "100234   ";         // 9
const QByteArray Date(8, ' ');

struct RecordCase {
    const char* name;
    char mode; // the announce that puts the device in load mode: 'W' meters, 'w' types
    QByteArray record;
    bool accepted;
};

class SimRecords : public ::testing::TestWithParam<RecordCase>
{
};

TEST_P(SimRecords, AcceptedOnlyInTheDevicesLayout)
{
    const RecordCase& c = GetParam();
    SCOPED_TRACE(c.name);
    SimDevice device;
    QList<QByteArray> answers;
    device.write = [&answers](const QByteArray& bytes) { answers << bytes; };
    device.Feed(QByteArray("/") + c.mode + "\r\n");
    device.Feed(c.record);
    ASSERT_EQ(answers.size(), 2);
    EXPECT_EQ(answers[1], QByteArray(c.accepted ? "/\x06\r\n" : "/\x15\r\n"));
    EXPECT_EQ(device.loadedMeters.size() + device.loadedTypes.size(), c.accepted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SimRecords,
    ::testing::Values(
        RecordCase{
            "meter", 'W',
            Record({{'A', Address}, {'T', Type}, {'P', Constant}, {'N', Number}, {'D', Date}}),
            true},
        RecordCase{"meter with a constant four wide", 'W',
                   Record({{'A', Address}, {'T', Type}, {'P', "1600"}, {'N', Number}, {'D', Date}}),
                   false},
        RecordCase{
            "meter with type and address in each other's places", 'W',
            Record({{'T', Type}, {'A', Address}, {'P', Constant}, {'N', Number}, {'D', Date}}),
            false},
        RecordCase{"meter of the right length with a long address and a short type", 'W',
                   Record({{'A', Address + "X"},
                           {'T', Type.left(8)},
                           {'P', Constant},
                           {'N', Number},
                           {'D', Date}}),
                   false},
        RecordCase{"meter without its date field", 'W',
                   Record({{'A', Address}, {'T', Type}, {'P', Constant}, {'N', Number}}), false},
        RecordCase{"type", 'w', Record({{'T', Type}, {'P', Constant}}), true},
        RecordCase{"type with a long constant", 'w', Record({{'T', Type}, {'P', "16000 "}}), false},
        RecordCase{"type with its fields swapped", 'w', Record({{'P', Constant}, {'T', Type}}),
                   false},
        RecordCase{
            "meter record in a type load", 'w',
            Record({{'A', Address}, {'T', Type}, {'P', Constant}, {'N', Number}, {'D', Date}}),
            false}),
    [](const ::testing::TestParamInfo<RecordCase>& p) { return "case" + std::to_string(p.index); });

} // namespace
