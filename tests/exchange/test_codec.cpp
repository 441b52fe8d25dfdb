// Code page 1251, frame layouts, checksums and the reading of device records.
#include "exchange/cp1251.h"
#include "exchange/framecodec.h"

#include <gtest/gtest.h>

namespace
{

QByteArray Bytes(const char* text, std::size_t size)
{
    return QByteArray(text, static_cast<qsizetype>(size));
}

// A device record around the given fields with its checksum, built here by hand.
QByteArray DeviceFrame(const QByteArray& fields, int checksumDelta = 0)
{
    QByteArray f = QByteArray("/\x02") + fields;
    unsigned sum = 0;
    for (qsizetype i = 2; i < f.size(); ++i)
        sum += static_cast<unsigned char>(f.at(i));
    f.append('\x03');
    f.append(static_cast<char>((sum + checksumDelta) & 0xFF));
    f.append("\r\n");
    return f;
}

TEST(Cp1251, KnownLettersBothWays)
{
    const QString text = QStringLiteral("АяЁё№ Мz");
    const QByteArray bytes = Bytes("\xC0\xFF\xA8\xB8\xB9\x20\xCCz", 8);
    EXPECT_EQ(Cp1251::Encode(text), bytes);
    EXPECT_EQ(Cp1251::Decode(bytes), text);
}

TEST(Cp1251, EveryAssignedByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        if (b != 0x98)
            all.append(static_cast<char>(b));
    }
    const QString text = Cp1251::Decode(all);
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
    EXPECT_EQ(Cp1251::Encode(text), all);
}

TEST(Cp1251, CharactersOutsideTheCodePageKeepTheirWidth)
{
    EXPECT_EQ(Cp1251::Encode(QStringLiteral("a中ü")), QByteArray("a??"));
    EXPECT_EQ(Cp1251::Decode(QByteArray("\x98", 1)), QString(QChar(0xFFFD)));
}

struct FitCase {
    const char* text; // UTF-8
    int width;
    QByteArray expected;
};

class FitFieldTest : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(FitFieldTest, PadsAndCuts)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(FrameCodec::FitField(QString::fromUtf8(c.text), c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, FitFieldTest,
                         ::testing::Values(FitCase{"abc", 16, QByteArray("abc             ")},
                                           FitCase{"ABCDEFGHIJKL", 9, QByteArray("ABCDEFGHI")},
                                           FitCase{"", 5, QByteArray("     ")},
                                           FitCase{"СО-И446", 9,
                                                   Bytes("\xD1\xCE-\xC8"
                                                         "446  ",
                                                         9)},
                                           FitCase{"ЦЭ6803ВМ7Р", 9,
                                                   Bytes("\xD6\xDD"
                                                         "6803\xC2\xCC"
                                                         "7",
                                                         9)}));

struct ConstantCase {
    std::optional<long double> value; // none: the field is empty
    QByteArray expected;
};

class ConstantFieldTest : public ::testing::TestWithParam<ConstantCase>
{
};

TEST_P(ConstantFieldTest, GeneralFormCutToFive)
{
    EXPECT_EQ(FrameCodec::ConstantField(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Constants, ConstantFieldTest,
                         ::testing::Values(ConstantCase{6400, "6400 "}, ConstantCase{1600, "1600 "},
                                           ConstantCase{500, "500  "},
                                           ConstantCase{123456, "12345"},
                                           ConstantCase{12.3456789L, "12.34"},
                                           ConstantCase{0.5L, "0.5  "}, ConstantCase{0, "0    "},
                                           ConstantCase{std::nullopt, "     "}));

TEST(Frames, ControlAndSpeedFrames)
{
    EXPECT_EQ(FrameCodec::ControlFrame('?'), Bytes("/?\r\n", 4));
    EXPECT_EQ(FrameCodec::ControlFrame(0x06), Bytes("/\x06\r\n", 4));
    // The rate code is a raw byte, not a digit.
    EXPECT_EQ(FrameCodec::SpeedFrame(4), Bytes("/V(\x04)\r\n", 7));
    EXPECT_EQ(FrameCodec::Trace('@', FrameCodec::ControlFrame('?')),
              QStringLiteral("@+47+63+13+10"));
    EXPECT_EQ(FrameCodec::Trace('/', FrameCodec::ControlFrame(0x06)),
              QStringLiteral("/+47+6+13+10"));
}

TEST(Frames, MeterRecordIsByteExact)
{
    MeterRow row{QStringLiteral("abc"), QStringLiteral("ABCDEFGHIJKL"), 6400,
                 QStringLiteral("123")};
    const QByteArray expected =
        Bytes("/\x02"
              "A(abc             )T(ABCDEFGHI)P(6400 )N(123      )D(        )\x03\x7F\r\n",
              68);
    EXPECT_EQ(FrameCodec::MeterRecord(row), expected);
}

TEST(Frames, TypeRecordCarriesCyrillicIn1251)
{
    TypeRow row{QStringLiteral("СО-И446"), 1600};
    const QByteArray expected = Bytes("/\x02T(\xD1\xCE-\xC8"
                                      "446  )P(1600 )\x03\x9F\r\n",
                                      26);
    EXPECT_EQ(FrameCodec::TypeRecord(row), expected);
}

TEST(Frames, ChecksumWrapsModulo256)
{
    QByteArray b(300, '\x01');
    EXPECT_EQ(FrameCodec::Checksum(b, 0, 299), 300 % 256);
    EXPECT_EQ(FrameCodec::Checksum(QByteArray("\xFF\x02", 2), 0, 1), 1);
}

TEST(ParseRecord, ReadsTrimmedValuesOfAGoodRecord)
{
    DeviceRecord v;
    bool incomplete = false;
    const QByteArray frame = DeviceFrame(QByteArray("A(12  )T(") +
                                         Bytes("\xD1\xCE-\xC8"
                                               "446",
                                               7) +
                                         "  )N(777)P(6400 )D(15/06/07)E(123.4)");
    EXPECT_TRUE(FrameCodec::ParseRecord(frame, v, incomplete));
    EXPECT_EQ(v.A, "12");
    EXPECT_EQ(v.T, QStringLiteral("СО-И446"));
    EXPECT_EQ(v.N, "777");
    EXPECT_EQ(v.P, "6400");
    EXPECT_EQ(v.D, "15/06/07");
    EXPECT_EQ(v.E, "123.4");
    EXPECT_TRUE(v.U.isEmpty());
    EXPECT_FALSE(incomplete);
}

struct RecordCase {
    const char* name;
    QByteArray frame;
    bool ok;
    char letter;
    const char* value; // expected value of letter after parsing
    bool incomplete;
};

class ParseRecordTest : public ::testing::TestWithParam<RecordCase>
{
};

TEST_P(ParseRecordTest, Case)
{
    const RecordCase& c = GetParam();
    DeviceRecord v;
    v.C = "old";
    bool incomplete = false;
    EXPECT_EQ(FrameCodec::ParseRecord(c.frame, v, incomplete), c.ok) << c.name;
    EXPECT_EQ(*v.Slot(c.letter), QString::fromUtf8(c.value)) << c.name;
    EXPECT_EQ(incomplete, c.incomplete) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Records, ParseRecordTest,
    ::testing::Values(
        RecordCase{"result", DeviceFrame("U(220.1)I(5)M(1100)K(0.8)S(-0.25)F(C)"), true, 'S',
                   "-0.25", false},
        RecordCase{"wrong checksum keeps the values read", DeviceFrame("U(220)I(5)C(2)", 1), false,
                   'C', "2", false},
        RecordCase{"no ) before ETX", QByteArray("/\x02U(220\x03\x00\r\n", 11), false, 'U', "",
                   false},
        RecordCase{"empty field has no value", DeviceFrame("A()T(x)N(1)"), true, 'A', "", true},
        RecordCase{"blank serial number", DeviceFrame("A(1)T(x)N(   )"), true, 'N', "", true},
        RecordCase{"blank constant of a meter", DeviceFrame("A(1)T(x)N(1)P(     )D(1/1/07)E(1)"),
                   true, 'P', "", true},
        RecordCase{"meter without a constant", DeviceFrame("A(1)T(x)N(1)D(1/1/07)E(1)"), true, 'T',
                   "x", true},
        RecordCase{"complete meter", DeviceFrame("A(1)T(x)N(1)P(6400 )"), true, 'P', "6400", false},
        RecordCase{"blank constant of a type", DeviceFrame("T(x)P(     )"), true, 'T', "x", true},
        RecordCase{"complete type", DeviceFrame("T(x)P(6400 )"), true, 'P', "6400", false},
        RecordCase{"absent letter keeps its value", DeviceFrame("U(1)I(2)"), true, 'C', "old",
                   false},
        RecordCase{"letter inside a value is no field", DeviceFrame("E(xC(9)"), true, 'C', "old",
                   false},
        RecordCase{"first occurrence decides", DeviceFrame("U(1)I(2)xS(3)S(4)"), true, 'S', "",
                   false},
        RecordCase{"not a record", Bytes("/\x06\r\n", 4), false, 'U', "", false}),
    [](const ::testing::TestParamInfo<RecordCase>& p) { return "case" + std::to_string(p.index); });

} // namespace
