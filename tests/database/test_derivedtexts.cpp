// Creep-test and error texts shown in reports.
#include "database/derivedtexts.h"

#include <gtest/gtest.h>

namespace
{

TEST(DerivedTexts, CreepTest)
{
    struct {
        QVariant value;
        const char* text;
    } cases[] = {{QVariant(), "нет"}, {0, "нет"},  {1, "нет"},
                 {2, "есть"},         {3, "есть"}, {99, "не проводился"}};
    for (const auto& c : cases)
        EXPECT_EQ(PSamohodSText(c.value), QString::fromUtf8(c.text))
            << c.value.toString().toStdString();
}

TEST(DerivedTexts, Error)
{
    struct {
        QVariant value;
        const char* text;
    } cases[] = {{QVariant(), "0.00"}, {-1000.0, "-1000.00"}, {1000.0, "1000.00"},
                 {1000.004, ">1000"},  {1000.5, ">1000"},     {-1000.01, ">1000"},
                 {0.005, "0.01"},      {1.005, "1.01"},       {-0.001, "0.00"},
                 {0.5, "0.50"},        {-2.345, "-2.35"},     {999.999, "1000.00"},
                 {12.0, "12.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(PMistMeasureText(c.value), QString::fromUtf8(c.text)) << c.value.toDouble();
}

} // namespace
