// Helpers for typed and received numbers, key texts and file names.
#include "core/ulang.h"
#include "core/utools.h"

#include <gtest/gtest.h>

#include <clocale>

namespace
{

struct ReadCase {
    const char* text;
    long double expected;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class TextToFloatTest : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(TextToFloatTest, ReadsTolerantly)
{
    const ReadCase& c = GetParam();
    EXPECT_DOUBLE_EQ(static_cast<double>(TextToFloat(QString::fromUtf8(c.text))),
                     static_cast<double>(c.expected))
        << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextToFloatTest,
    ::testing::Values(ReadCase{"12,5", 12.5L}, ReadCase{"  1 200,5  ", 1200.5L},
                      ReadCase{".5", 0.5L}, ReadCase{"5.", 5}, ReadCase{"-1.25", -1.25L},
                      ReadCase{"-7", -7}, ReadCase{"05", 5}, ReadCase{"1.2.3", 12.3L},
                      ReadCase{"12a", 0}, ReadCase{"0,0", 0}, ReadCase{"", 0}, ReadCase{"    ", 0},
                      ReadCase{"0220", 220}, ReadCase{"1,5", 1.5L}, ReadCase{"1.5", 1.5L},
                      ReadCase{"1.-5", 0.15L}, ReadCase{"-", 0}, ReadCase{"0.00", 0},
                      ReadCase{"2147483647", 2147483647.0L},
                      ReadCase{"-2147483648", -2147483648.0L}, ReadCase{"1e5", 0},
                      ReadCase{"\t5", 0}, ReadCase{"-0005", -5}));

TEST(TextToFloat, IntegerConversionErrorsAreTyped)
{
    for (const char* bad :
         {"5-", "--5", "2147483648", "-2147483649", "99999999999999999999", "1-2"}) {
        try {
            TextToFloat(QString::fromUtf8(bad));
            ADD_FAILURE() << bad << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(bad))) << e.Message().toStdString();
        }
    }
}

struct WriteCase {
    long double value;
    const char* expected;
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.expected;
}

class FloatToTextTest : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(FloatToTextTest, WritesGeneralFormat)
{
    EXPECT_EQ(FloatToText(GetParam().value).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, FloatToTextTest,
                         ::testing::Values(WriteCase{0, "0"}, WriteCase{12.5L, "12.5"},
                                           WriteCase{6400, "6400"}, WriteCase{-1.25L, "-1.25"},
                                           WriteCase{0.000001L, "1E-6"},
                                           WriteCase{0.00001L, "0.00001"}, WriteCase{0.1L, "0.1"},
                                           WriteCase{1.0L / 3, "0.333333333333333"},
                                           WriteCase{123456789012345.0L, "123456789012345"},
                                           WriteCase{1234567890123456.0L, "1.23456789012346E15"},
                                           WriteCase{1e20L, "1E20"},
                                           WriteCase{-0.0000025L, "-2.5E-6"}, WriteCase{220, "220"},
                                           WriteCase{0.8L, "0.8"},
                                           WriteCase{999999999999999.9L, "1E15"}));

TEST(FloatToText, RoundTripNormalisesEntryFields)
{
    EXPECT_EQ(FloatToText(TextToFloat(QStringLiteral("12,5"))), QStringLiteral("12.5"));
    EXPECT_EQ(FloatToText(TextToFloat(QStringLiteral("   "))), QStringLiteral("0"));
    EXPECT_EQ(FloatToText(TextToFloat(QStringLiteral("0220"))), QStringLiteral("220"));
}

TEST(FloatToText, IgnoresTheUserLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(FloatToText(12.5L), QStringLiteral("12.5"));
        EXPECT_DOUBLE_EQ(static_cast<double>(TextToFloat(QStringLiteral("12.5"))), 12.5);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TrimTrailingBlanks, RemovesOnlyTrailingSpaces)
{
    EXPECT_EQ(TrimTrailingBlanks(QStringLiteral("ABC  ")), QStringLiteral("ABC"));
    EXPECT_EQ(TrimTrailingBlanks(QStringLiteral("  ABC")), QStringLiteral("  ABC"));
    EXPECT_EQ(TrimTrailingBlanks(QStringLiteral("     ")), QString());
    EXPECT_EQ(TrimTrailingBlanks(QStringLiteral("ABC\t")), QStringLiteral("ABC\t"));
    EXPECT_EQ(TrimTrailingBlanks(QStringLiteral("СО-И446 ")), QStringLiteral("СО-И446"));
}

TEST(FileTitle, DropsFolderAndLastExtension)
{
    EXPECT_EQ(FileTitle(QStringLiteral("C:\\Data\\Archive.2005.mdb")),
              QStringLiteral("Archive.2005"));
    EXPECT_EQ(FileTitle(QStringLiteral("/home/u/Счетчики.dbf")), QStringLiteral("Счетчики"));
    EXPECT_EQ(FileTitle(QStringLiteral("README")), QStringLiteral("README"));
    EXPECT_EQ(FileTitle(QStringLiteral("/a.b/name")), QStringLiteral("name"));
}

} // namespace
