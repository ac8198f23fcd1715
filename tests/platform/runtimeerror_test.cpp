#include "platform/runtimeerror.h"

#include <gtest/gtest.h>

TEST(RuntimeError, MessageNamesNumberAndDescription) {
    const RuntimeError error(ErrorNumber::FileNotFound, QStringLiteral("/tmp/x.dat"));
    EXPECT_EQ(error.number(), 53);
    EXPECT_EQ(error.description(), QStringLiteral("File not found: /tmp/x.dat"));
    EXPECT_EQ(error.message(),
              QStringLiteral("Run-time error '53':\n\nFile not found: /tmp/x.dat"));
    EXPECT_STREQ(error.what(), "Run-time error '53':\n\nFile not found: /tmp/x.dat");
}
