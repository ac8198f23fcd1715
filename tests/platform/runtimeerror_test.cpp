#include "runtimeerror.h"

#include <gtest/gtest.h>

TEST(RuntimeError, MessageNamesNumberAndDescription) {
    const RuntimeError error(ErrorNumber::FileNotFound, QStringLiteral("/tmp/x.dat"));
    EXPECT_EQ(error.number(), 53);
    EXPECT_EQ(error.description(), QStringLiteral("File not found: /tmp/x.dat"));
    EXPECT_EQ(error.message(),
              QStringLiteral("Run-time error '53':\n\nFile not found: /tmp/x.dat"));
    EXPECT_STREQ(error.what(), "Run-time error '53':\n\nFile not found: /tmp/x.dat");
}

TEST(RuntimeError, StandardDescriptionsOfTheNumbersInUse) {
    const std::pair<ErrorNumber, const char*> cases[] = {
        {ErrorNumber::Overflow, "Overflow"},
        {ErrorNumber::SubscriptOutOfRange, "Subscript out of range"},
        {ErrorNumber::DivisionByZero, "Division by zero"},
        {ErrorNumber::InputPastEndOfFile, "Input past end of file"},
        {ErrorNumber::PathFileAccessError, "Path/File access error"},
        {ErrorNumber::PathNotFound, "Path not found"},
    };
    for (const auto& [number, text] : cases) {
        const RuntimeError error(number);
        EXPECT_EQ(error.number(), static_cast<int>(number));
        EXPECT_EQ(error.description(), QString::fromLatin1(text));
    }
}
