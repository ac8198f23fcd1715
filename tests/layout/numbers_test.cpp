#include "layout/leadingnumber.h"
#include "platform/roundnumber.h"
#include "platform/runtimeerror.h"

#include <cmath>
#include <gmock/gmock.h>
#include <limits>
#include <optional>
#include <QString>

namespace {

struct LeadingCase {
    QString text;
    std::optional<double> number; // nullopt: overflow
};

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberTheTextBeginsWith) {
    const LeadingCase& row = GetParam();
    if (row.number) {
        EXPECT_EQ(leadingNumber(row.text), *row.number);
    } else {
        try {
            leadingNumber(row.text);
            ADD_FAILURE() << "no overflow";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), static_cast<int>(ErrorNumber::Overflow));
        }
    }
}

const LeadingCase leadingCases[] = {
    {QString(), 0},
    {QStringLiteral("abc"), 0},
    {QStringLiteral("1/2"), 1},
    {QStringLiteral("2;"), 2},
    {QStringLiteral("2'"), 2},
    {QStringLiteral("0.5"), 0.5},
    {QStringLiteral(".5"), 0.5},
    {QStringLiteral("-.25"), -0.25},
    {QStringLiteral("+7"), 7},
    {QStringLiteral("-"), 0},
    {QStringLiteral("."), 0},
    {QStringLiteral("--1"), 0},
    {QStringLiteral("1.2.3"), 1.2},
    {QStringLiteral("1,5"), 1},
    {QStringLiteral("1 2"), 12},
    {QStringLiteral(" \t-\n3 . 5"), -3.5},
    {QStringLiteral("\r1"), 0},
    {QStringLiteral("1E1"), 10},
    {QStringLiteral("1e1"), 10},
    {QStringLiteral("1D2"), 100},
    {QStringLiteral("2.5E-1"), 0.25},
    {QStringLiteral("1E+2x"), 100},
    {QStringLiteral("3E"), 3},
    {QStringLiteral("3E-"), 3},
    {QStringLiteral("1E-400"), 0},
    {QStringLiteral("1E400"), std::nullopt},
    {QStringLiteral("-1E400"), std::nullopt},
    {QStringLiteral("&H10"), 16},
    {QStringLiteral("&h1f"), 31},
    {QStringLiteral("& H 1 0"), 16},
    {QStringLiteral("&H1G"), 1},
    {QStringLiteral("&H"), 0},
    {QStringLiteral("&O17"), 15},
    {QStringLiteral("&O8"), 0},
    {QStringLiteral("&17"), 0},
    {QStringLiteral("&HFFFF"), -1},
    {QStringLiteral("&H8000"), -32768},
    {QStringLiteral("&HFFFF&"), 65535},
    {QStringLiteral("&H10000"), 65536},
    {QStringLiteral("&HFFFFFFFF"), -1},
    {QStringLiteral("&O177777"), -1},
    {QStringLiteral("&H100000000"), std::nullopt},
    {QStringLiteral("\u0661"), 0}, // digits of other scripts are not digits here
};

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest, testing::ValuesIn(leadingCases));

struct RoundCase {
    double value;
    std::optional<int> int16;
    std::optional<long long> int32;
};

TEST(RoundNumber, TiesToEvenWithOverflow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RoundCase cases[] = {
        {0.5, 0, 0},
        {1.5, 2, 2},
        {2.5, 2, 2},
        {-2.5, -2, -2},
        {-0.5, 0, 0},
        {2.4999, 2, 2},
        {32767.49, 32767, 32767},
        {32767.5, std::nullopt, 32768},
        {-32768.5, -32768, -32768},
        {-32769.5, std::nullopt, -32770},
        {2147483647.5, std::nullopt, std::nullopt},
        {-2147483648.5, std::nullopt, -2147483648LL},
        {nan, std::nullopt, std::nullopt},
    };
    for (const RoundCase& row : cases) {
        if (row.int16)
            EXPECT_EQ(roundToInt16(row.value), *row.int16) << row.value;
        else
            EXPECT_THROW(roundToInt16(row.value), RuntimeError) << row.value;
        if (row.int32)
            EXPECT_EQ(roundToInt32(row.value), *row.int32) << row.value;
        else
            EXPECT_THROW(roundToInt32(row.value), RuntimeError) << row.value;
    }
}

} // namespace
