#include "gui/about/modproductinfo.h"
#include "gui/about/versionformat.h"
#include "qtprinters.h"

#include <gtest/gtest.h>
#include <QUrl>

TEST(FormatVersion, PadsMinorToTwoAndRevisionToFourDigitsWithoutCutting) {
    const struct {
        int major, minor, revision;
        const char* expected;
    } cases[] = {
        {1, 0, 7, "1.00.0007"}, {2, 10, 123, "2.10.0123"},      {3, 5, 12345, "3.05.12345"},
        {0, 0, 0, "0.00.0000"}, {12, 123, 9999, "12.123.9999"}, {1, 99, 10000, "1.99.10000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatVersion(c.major, c.minor, c.revision), QString::fromLatin1(c.expected))
            << c.major << '.' << c.minor << '.' << c.revision;
}

TEST(HomePageAddress, IsAnHttpAddressOnAReservedExampleHostEndingInMain) {
    const QString address = HomePageAddress();
    const QUrl url(address, QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << address.toStdString();
    EXPECT_EQ(url.scheme(), QStringLiteral("http"));
    EXPECT_TRUE(url.host() == QStringLiteral("example.com") ||
                url.host().endsWith(QStringLiteral(".example.com")));
    EXPECT_EQ(address, QStringLiteral("http://") + url.host() + QStringLiteral("/main"));
}
